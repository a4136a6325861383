#pragma once

#include <string>

#include "pages/PageNavigator.h"
#include "tree/CXTreeView.h"

class ContentCatalog;
class PageDisplay;
class QTreeWidgetItem;

// The catalog tree in the left pane: the root "Vantory", the seven content
// types under it and one leaf per group of each type. Every selection, by
// click, command or page, goes through OnSelChanged, which shows the page of
// the selected node.
class CLeftView : public CXTreeView, public PageNavigator
{
    Q_OBJECT

public:
    explicit CLeftView(QWidget* parent = nullptr);
    ~CLeftView() override;

    // Loads the catalog (without rebuild) and builds the tree.
    void OnInitialUpdate() override;

    // Rebuilds the whole tree from the catalog; selects nothing.
    void FillTree();
    // One leaf per group of the catalog under the type node, in catalog order.
    void AddGroups(const ContentCatalog& catalog, QTreeWidgetItem* typeNode);
    // Where the pages go; the frame that makes both panes sets it. No page
    // is shown without one.
    void SetPageDisplay(PageDisplay* display) { m_pageDisplay = display; }

    // Selects the first child of the selected item whose label is exactly
    // this one; nothing when there is none.
    void SelectGroup(const std::string& label) override;
    // Selects the type's node, or the root for 0.
    void SelectTypeNode(int typeCode) override;
    // Selects the first group leaf of the type with exactly this label.
    void SelectTypeGroup(int typeCode, const std::string& label) override;

    // The selected item's next sibling, previous sibling or parent: true
    // when there is one, which is then stored through `item` if given. They
    // only look; they never wrap and never leave the siblings.
    bool FindNextItem(QTreeWidgetItem** item = nullptr) const;
    bool FindPrevItem(QTreeWidgetItem** item = nullptr) const;
    bool FindParentItem(QTreeWidgetItem** item = nullptr) const;

    // Makes the item the selected one, opening its parents; the selection
    // change shows its page. Selecting the selected item changes nothing,
    // unless another page covers its page (ShowOtherPage): then its page is
    // shown again.
    void SelectItem(QTreeWidgetItem* item);

    // Shows a page that is not the selection's (the search results) in the
    // selection's place. Until a page of the tree is shown again, selecting
    // the selected node, by command or by a click on it, shows its page.
    void ShowOtherPage(std::string page);
    bool IsPageCovered() const { return m_bPageCovered; }
    // The page of the selected node again; the blank page when none is
    // selected.
    void ShowSelectedPage();

    // The catalog label of a node (its shown text has the references
    // decoded); "" for null.
    static std::string ItemLabel(const QTreeWidgetItem* item);
    // The content type code of a type node; 0 for any other item.
    int TypeOfNode(const QTreeWidgetItem* item) const;

    // The page of the item: the start page for the root, the groups page
    // for a type node, the items page for a group leaf; nothing otherwise.
    void ShowItem(QTreeWidgetItem* item);
    void ShowContentPage();
    void ShowGroupsPage(int type);
    // Tables of more than 100 items are built under a progress dialog.
    void ShowItemsPage(int type, std::string groupLabel, std::string itemTemplate);
    // A template of tpl/ whole, or only what stands between its "<body>"
    // and "</body>"; "" when it cannot be read.
    std::string LoadTemplate(const std::string& name, bool fragmentOnly) const;

    // The fixed nodes of the current tree: null until the first FillTree,
    // replaced by every later one.
    QTreeWidgetItem* m_hRtPoly = nullptr;
    QTreeWidgetItem* m_hRtMono = nullptr;
    QTreeWidgetItem* m_hJava = nullptr;
    QTreeWidgetItem* m_hScreensavers = nullptr;
    QTreeWidgetItem* m_hWallpapers = nullptr;
    QTreeWidgetItem* m_hRoot = nullptr;
    QTreeWidgetItem* m_hLogos = nullptr;
    QTreeWidgetItem* m_hLogosBig = nullptr;

    // The working directory at construction, with a trailing separator:
    // where the pages find tpl/ and data/.
    std::string m_strBasePath;

private:
    void OnSelChanged(QTreeWidgetItem* current);
    void OnItemClicked(QTreeWidgetItem* item);
    // Shows the page through the display, if there is one; `covering` when
    // it is not the selection's page.
    void ShowPage(std::string page, bool covering = false);
    QTreeWidgetItem* InsertItem(const std::string& label, QTreeWidgetItem* parent);
    QTreeWidgetItem** NodeOfType(int type);
    PageDisplay* m_pageDisplay = nullptr;
    bool m_bPageCovered = false;
};

// The one tree view; null before it is made and after it is gone.
extern CLeftView* g_pLeftView;
