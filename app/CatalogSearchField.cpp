#include "app/CatalogSearchField.h"

#include <algorithm>

#include <QKeyEvent>

#include "pages/PageBuilder.h"
#include "pages/PageCommand.h"
#include "pages/SearchPage.h"
#include "search/CatalogSearch.h"
#include "tree/CLeftView.h"

namespace {

bool IsBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

} // namespace

CatalogSearchField::CatalogSearchField(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("searchField"));
    setPlaceholderText(QStringLiteral("Search the catalog"));
    setClearButtonEnabled(true);
    setToolTip(QStringLiteral("Search the names and descriptions of the whole catalog (Ctrl+F)\n"
                              "Enter searches at once, Escape goes back to the tree's page"));
    // Room for a few words without crowding the buttons.
    setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    setMaximumWidth(fontMetrics().averageCharWidth() * 44);
    m_pause.setSingleShot(true);
    m_pause.setInterval(TYPING_PAUSE_MS);
    connect(&m_pause, &QTimer::timeout, this, &CatalogSearchField::SearchNow);
    connect(this, &QLineEdit::textEdited, this, &CatalogSearchField::OnTextEdited);
    connect(this, &QLineEdit::returnPressed, this, &CatalogSearchField::SearchNow);
    SetResultsNavigator(this);
}

CatalogSearchField::~CatalogSearchField()
{
    if (GetResultsNavigator() == this)
        SetResultsNavigator(nullptr);
}

void CatalogSearchField::Activate()
{
    setFocus(Qt::ShortcutFocusReason);
    selectAll();
}

void CatalogSearchField::OnTextEdited(const QString& text)
{
    // The clear button and deleting the last character alike: an empty
    // field gives the tree its page back.
    if (IsBlank(text)) {
        m_pause.stop();
        if (text.isEmpty())
            LeaveResults();
        return;
    }
    m_pause.start();
}

void CatalogSearchField::SearchNow()
{
    m_pause.stop();
    // Blanks find nothing and change nothing.
    if (IsBlank(text()))
        return;
    ShowResults(text().toStdString(), SEARCH_PAGE_ITEMS, 0);
}

void CatalogSearchField::ShowMoreResults(int itemLimit)
{
    if (m_shownQuery.empty() || itemLimit <= 0 || !g_pLeftView || !g_pLeftView->IsPageCovered())
        return;
    ShowResults(m_shownQuery, static_cast<size_t>(itemLimit), m_shownItems);
}

void CatalogSearchField::ShowResults(const std::string& query, size_t limit, size_t openAt)
{
    if (!g_pLeftView)
        return;
    const SearchResult result = TheCatalogSearch().Find(query);
    const bool typing = hasFocus();
    g_pLeftView->ShowOtherPage(
        SearchResultsPage(PageBuilder(g_pLeftView->m_strBasePath), query, result, limit, openAt));
    m_shownQuery = query;
    m_shownItems = std::min(limit, result.items.size());
    // The user goes on typing while the results change.
    if (typing && !hasFocus())
        setFocus(Qt::OtherFocusReason);
}

void CatalogSearchField::LeaveResults()
{
    m_shownQuery.clear();
    m_shownItems = 0;
    if (g_pLeftView && g_pLeftView->IsPageCovered())
        g_pLeftView->ShowSelectedPage();
}

void CatalogSearchField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_pause.stop();
        clear();
        LeaveResults();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
