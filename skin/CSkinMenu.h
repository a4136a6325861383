#pragma once

#include <memory>
#include <vector>

#include <QMenu>
#include <QPointer>
#include <QSize>

#include "skin/CSkinMenuItemData.h"
#include "skin/MenuMetrics.h"

class CSkinMenuIcons;

// A menu of the skin: it keeps the data of its items (command, icon,
// title), may carry a title, and executes the first item whose mnemonic is
// typed. Every pop-up menu is drawn by the skin; a CSkinMenu adds what a
// plain menu lacks.
class CSkinMenu : public QMenu
{
    Q_OBJECT

public:
    explicit CSkinMenu(const QString& title = {}, QWidget* parent = nullptr);
    ~CSkinMenu() override;

    // A sub-menu of the skin at the end of this menu.
    CSkinMenu* AddSubMenu(const QString& title);

    // The data of the action's item; null for an action of another menu.
    // The data is rebuilt first when the number of items changed.
    const CSkinMenuItemData* ItemData(const QAction* action) const;
    int ItemDataCount() const;

    // Gives the items whose commands the set holds their icons.
    void LoadIcons(std::shared_ptr<CSkinMenuIcons> icons);
    QSize IconSize() const { return m_iconSize; }

    // A title item in front of the items (MenuTitleOption bits; MenuTitle
    // is implied). An empty title removes it.
    void SetMenuTitle(const QString& title, int options);
    QString MenuTitleText() const;
    int MenuTitleOptions() const { return m_nTitleOptions; }
    // The band of a vertical title along the left side; 0 without one.
    int VerticalTitleWidth() const;

    // The menu's measures in its font.
    MenuMetrics Metrics() const;

    // The menu character rule for a typed character: the item index in the
    // low word and 2 (execute) in the high word, or 0.
    int OnMenuChar(QChar character) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SyncItemData() const;
    int SystemCommandsWidth(const MenuMetrics& metrics) const;

    QSize m_iconSize{16, 15};
    QPointer<QAction> m_pTitle;
    int m_nTitleOptions = 0;
    std::vector<std::shared_ptr<CSkinMenuIcons>> m_iconSets;
    mutable std::vector<std::pair<const QAction*, std::unique_ptr<CSkinMenuItemData>>> m_items;
};
