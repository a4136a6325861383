#include "skin/CSkinMenu.h"

#include <algorithm>

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>

#include "skin/CSkinMenuIcons.h"
#include "skin/MenuChar.h"
#include "skin/MenuItem.h"
#include "skin/MenuMeasure.h"

namespace {

int CommandOf(const QAction* action)
{
    return action->data().toInt();
}

// A key that types a character the menu character rule looks for.
bool IsMenuCharacter(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    return text.size() == 1 && text[0].isPrint() && !text[0].isSpace();
}

} // namespace

CSkinMenu::CSkinMenu(const QString& title, QWidget* parent) : QMenu(title, parent)
{
}

CSkinMenu::~CSkinMenu() = default;

CSkinMenu* CSkinMenu::AddSubMenu(const QString& title)
{
    auto* menu = new CSkinMenu(title, this);
    addMenu(menu);
    return menu;
}

void CSkinMenu::SyncItemData() const
{
    // Rebuilt when the items differ, not only in number: an action may
    // have been replaced by another.
    const QList<QAction*> actions = this->actions();
    const bool same = std::equal(actions.begin(), actions.end(), m_items.begin(), m_items.end(),
                                 [](const QAction* action, const auto& item) { return action == item.first; });
    if (same)
        return;
    m_items.clear();
    for (const QAction* action : actions) {
        auto item = std::make_unique<CSkinMenuItemData>();
        item->m_nFlags = (action->isSeparator() ? MenuItemSeparator : 0u) | (action->menu() ? MenuItemPopup : 0u);
        item->m_nID = CommandOf(action);
        if (action == m_pTitle)
            item->m_nTitleFlags = m_nTitleOptions;
        for (const auto& icons : m_iconSets) {
            const int index = item->m_nID != 0 ? icons->FindCommand(item->m_nID) : -1;
            if (index >= 0) {
                item->m_pIcons = icons;
                item->m_nIconIndex = index;
                break;
            }
        }
        m_items.emplace_back(action, std::move(item));
    }
}

const CSkinMenuItemData* CSkinMenu::ItemData(const QAction* action) const
{
    SyncItemData();
    const auto it = std::find_if(m_items.begin(), m_items.end(), [action](const auto& item) { return item.first == action; });
    return it == m_items.end() ? nullptr : it->second.get();
}

int CSkinMenu::ItemDataCount() const
{
    SyncItemData();
    return static_cast<int>(m_items.size());
}

void CSkinMenu::LoadIcons(std::shared_ptr<CSkinMenuIcons> icons)
{
    if (!icons)
        return;
    m_iconSize = icons->IconSize();
    m_iconSets.push_back(std::move(icons));
    m_items.clear();
}

void CSkinMenu::SetMenuTitle(const QString& title, int options)
{
    delete m_pTitle.data();
    m_nTitleOptions = 0;
    m_items.clear();
    if (title.isEmpty())
        return;
    m_nTitleOptions = options | MenuTitle;
    auto* action = new QAction(title, this);
    action->setSeparator(true);
    QAction* first = actions().value(0);
    insertAction(first, action);
    m_pTitle = action;
    // The title leads the menu and must not be dropped as a leading separator.
    setSeparatorsCollapsible(false);
}

QString CSkinMenu::MenuTitleText() const
{
    return m_pTitle ? m_pTitle->text() : QString();
}

int CSkinMenu::VerticalTitleWidth() const
{
    if (!m_pTitle || !(m_nTitleOptions & MenuTitleVertical))
        return 0;
    MenuItem title;
    title.text = m_pTitle->text();
    title.titleOptions = m_nTitleOptions;
    const MenuMetrics metrics = Metrics();
    // The system widens every item by the check mark width.
    return MeasureTitle(title, metrics).width() + metrics.checkMarkWidth;
}

MenuMetrics CSkinMenu::Metrics() const
{
    MenuMetrics metrics = MenuMetrics::ForFont(font(), m_iconSize);
    metrics.systemCommandsWidth = SystemCommandsWidth(metrics);
    return metrics;
}

int CSkinMenu::SystemCommandsWidth(const MenuMetrics& metrics) const
{
    int widest = 0;
    for (const QAction* action : actions()) {
        if (!IsSystemCommand(CommandOf(action)))
            continue;
        MenuItem item;
        item.text = action->text();
        widest = std::max(widest, MeasureFlatItem(item, metrics).width());
    }
    return widest;
}

int CSkinMenu::OnMenuChar(QChar character) const
{
    QStringList texts;
    for (const QAction* action : actions())
        texts.append(action->text());
    return MenuCharResult(character, texts);
}

void CSkinMenu::keyPressEvent(QKeyEvent* event)
{
    if (!IsMenuCharacter(*event)) {
        QMenu::keyPressEvent(event);
        return;
    }
    event->accept();
    const int result = OnMenuChar(event->text()[0]);
    if (result == 0) {
        QApplication::beep();
        return;
    }
    QAction* action = actions().value(result & 0xFFFF);
    if (!action || !action->isEnabled() || action->isSeparator())
        return;
    // Executed as Return on the item would be: a command runs and closes
    // the menus, a sub-menu opens.
    setActiveAction(action);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QMenu::keyPressEvent(&enter);
}
