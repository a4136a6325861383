// The page operations of the catalog tree: each builds its page from the
// templates and the catalog and writes it into the browser pane.

#include <memory>

#include "pages/PageBuilder.h"
#include "res/ResourceStrings.h"
#include "tree/CLeftView.h"
#include "updater/dialog/CProgressDlg.h"
#include "updater/dialog/CompactProgress.h"

namespace {

// The compact progress dialog of a large table, made when the table begins
// and kept until the page has been written.
class TableDialog : public TableProgress
{
public:
    void Begin(int items) override
    {
        m_dlg = std::make_unique<CProgressDlg>();
        OpenCompactProgress(*m_dlg, Texts::TABLE_CAPTION, Texts::TABLE_TEXT, items);
    }
    void Step() override { m_dlg->StepUpperBar(); }

private:
    std::unique_ptr<CProgressDlg> m_dlg;
};

} // namespace

std::string CLeftView::LoadTemplate(const std::string& name, bool fragmentOnly) const
{
    return PageBuilder(m_strBasePath).LoadTemplate(name, fragmentOnly);
}

void CLeftView::ShowContentPage()
{
    ShowPage(PageBuilder(m_strBasePath).ContentPage());
}

void CLeftView::ShowGroupsPage(int type)
{
    ShowPage(PageBuilder(m_strBasePath).GroupsPage(type));
}

void CLeftView::ShowItemsPage(int type, std::string groupLabel, std::string itemTemplate)
{
    TableDialog dialog;
    ShowPage(PageBuilder(m_strBasePath).ItemsPage(type, groupLabel, itemTemplate, &dialog));
}
