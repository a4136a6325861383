#pragma once

#include <string>
#include <string_view>

#include "pages/PageBuilder.h"

// Appends the cells of a page's table to a text, with the row break after
// every full row (so a table whose cells fill their rows ends with one).
class TableRows
{
public:
    TableRows(std::string& text, int cellsPerRow) : m_text(text), m_cellsPerRow(cellsPerRow) {}

    void Add(std::string_view cell)
    {
        m_text += cell;
        if (++m_inRow == m_cellsPerRow) {
            m_text += ROW_BREAK;
            m_inRow = 0;
        }
    }

private:
    std::string& m_text;
    int m_cellsPerRow;
    int m_inRow = 0;
};
