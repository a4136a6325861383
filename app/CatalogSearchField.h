#pragma once

#include <string>

#include <QLineEdit>
#include <QTimer>

#include "pages/ResultsNavigator.h"

class QKeyEvent;

// The toolbar's search field. What is typed is searched in the whole
// catalog after a short pause (at once on Enter) and the results page is
// shown in the browser pane in place of the tree selection's page; Escape
// clears the field and shows the selection's page again, as does emptying
// the field. It answers the results page's "Show more".
class CatalogSearchField : public QLineEdit, public ResultsNavigator
{
    Q_OBJECT

public:
    // The pause after a keystroke before its search runs.
    static constexpr int TYPING_PAUSE_MS = 150;

    explicit CatalogSearchField(QWidget* parent = nullptr);
    ~CatalogSearchField() override;

    // Focuses the field with its text selected, for a new query.
    void Activate();
    // Searches what the field holds now, without waiting for the pause.
    void SearchNow();
    bool IsSearchPending() const { return m_pause.isActive(); }

    void ShowMoreResults(int itemLimit) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextEdited(const QString& text);
    // Shows the results of the query with up to `limit` items, the page
    // opening at item `openAt`.
    void ShowResults(const std::string& query, size_t limit, size_t openAt);
    // Back to the tree selection's page, when results cover it.
    void LeaveResults();

    QTimer m_pause;
    std::string m_shownQuery;  // the query of the results shown
    size_t m_shownItems = 0;   // how many of its items they show
};
