#include "tree/CLeftView.h"

#include <array>
#include <utility>

#include "app/framework/FrameWindow.h"
#include "catalog/document/CVantoryDoc.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/TextFile.h"
#include "pages/PageBuilder.h"
#include "pages/PageCommand.h"
#include "pages/PageDisplay.h"
#include "res/Resource.h"
#include "tree/TreeLabel.h"

CLeftView* g_pLeftView = nullptr;

namespace {

// The catalog label behind an item, kept byte for byte: the shown text is
// decoded and may not even be valid UTF-8.
constexpr int kLabelRole = Qt::UserRole;

// The members that hold the type nodes, in the order of the nodes under
// the root (CONTENT_TYPE_TREE_ORDER).
constexpr std::array<QTreeWidgetItem* CLeftView::*, CONTENT_TYPE_COUNT> kTypeNodes = {
    &CLeftView::m_hRtPoly, &CLeftView::m_hRtMono, &CLeftView::m_hWallpapers, &CLeftView::m_hScreensavers,
    &CLeftView::m_hJava,   &CLeftView::m_hLogos,  &CLeftView::m_hLogosBig};

} // namespace

CLeftView::CLeftView(QWidget* parent)
    : CXTreeView(parent), m_strBasePath(BaseDirectory())
{
    g_pLeftView = this;
    SetPageNavigator(this);
    // The tree draws nothing for printing: an empty page.
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnSelChanged(current); });
    connect(this, &QTreeWidget::itemClicked, this, &CLeftView::OnItemClicked);
    connect(this, &QTreeWidget::itemActivated, this, &CLeftView::OnItemClicked);
}

CLeftView::~CLeftView()
{
    // No notification of the items going with the widget reaches a view
    // that is half destroyed.
    disconnect(this, &QTreeWidget::currentItemChanged, this, nullptr);
    if (g_pLeftView == this)
        g_pLeftView = nullptr;
    if (GetPageNavigator() == this)
        SetPageNavigator(nullptr);
}

void CLeftView::OnInitialUpdate()
{
    CXTreeView::OnInitialUpdate();
    CVantoryDoc::LoadDatabase(false);
    FillTree();
    if (FrameWindow* frame = GetParentFrame())
        frame->UpdateCommandUI();
}

namespace {

QTreeWidgetItem* MakeItem(const std::string& label)
{
    auto* item = new QTreeWidgetItem();
    item->setText(0, QString::fromStdString(DisplayLabel(label)));
    item->setData(0, kLabelRole, QByteArray(label.data(), static_cast<qsizetype>(label.size())));
    return item;
}

} // namespace

QTreeWidgetItem* CLeftView::InsertItem(const std::string& label, QTreeWidgetItem* parent)
{
    QTreeWidgetItem* item = MakeItem(label);
    if (parent)
        parent->addChild(item);
    else
        addTopLevelItem(item);
    return item;
}

QTreeWidgetItem** CLeftView::NodeOfType(int type)
{
    const ContentTypeInfo* info = FindContentType(type);
    return info ? &(this->*kTypeNodes[static_cast<size_t>(info->treeRank)]) : nullptr;
}

void CLeftView::FillTree()
{
    // The handles name items that clear() deletes.
    for (QTreeWidgetItem* CLeftView::*node : kTypeNodes)
        this->*node = nullptr;
    m_hRoot = nullptr;
    clear();
    // The browser starts again from its blank page.
    m_bPageCovered = false;

    m_hRoot = InsertItem("Vantory", nullptr);
    for (int type : CONTENT_TYPE_TREE_ORDER)
        *NodeOfType(type) = InsertItem(TypeTitle(type), m_hRoot);
    m_hRoot->setExpanded(true);
    for (int type : CONTENT_TYPE_TREE_ORDER)
        AddGroups(*CVantoryDoc::CatalogForType(type), *NodeOfType(type));
}

void CLeftView::AddGroups(const ContentCatalog& catalog, QTreeWidgetItem* typeNode)
{
    QList<QTreeWidgetItem*> leaves;
    for (int i = 0; i < catalog.GetGroupCount(); ++i)
        leaves.append(MakeItem(catalog.GetGroupLib(i)));
    // One insertion for all leaves: a type may have hundreds of groups.
    typeNode->addChildren(leaves);
}

void CLeftView::SelectTypeNode(int typeCode)
{
    QTreeWidgetItem** node = typeCode == 0 ? &m_hRoot : NodeOfType(typeCode);
    if (node && *node)
        SelectItem(*node);
}

void CLeftView::SelectTypeGroup(int typeCode, const std::string& label)
{
    QTreeWidgetItem** node = NodeOfType(typeCode);
    if (!node || !*node)
        return;
    for (int i = 0; i < (*node)->childCount(); ++i) {
        QTreeWidgetItem* child = (*node)->child(i);
        if (ItemLabel(child) == label) {
            SelectItem(child);
            return;
        }
    }
}

void CLeftView::ShowPage(std::string page, bool covering)
{
    if (!m_pageDisplay)
        return;
    m_pageDisplay->ShowPage(std::move(page));
    m_bPageCovered = covering;
}

void CLeftView::ShowOtherPage(std::string page)
{
    ShowPage(std::move(page), true);
}

void CLeftView::ShowSelectedPage()
{
    if (QTreeWidgetItem* selected = currentItem())
        ShowItem(selected);
    else
        ShowPage(std::string());
}

void CLeftView::OnItemClicked(QTreeWidgetItem* item)
{
    // A click that changed the selection has shown its page already.
    if (m_bPageCovered && item && item == currentItem())
        ShowItem(item);
}

void CLeftView::SelectGroup(const std::string& label)
{
    QTreeWidgetItem* selected = currentItem();
    if (!selected)
        return;
    for (int i = 0; i < selected->childCount(); ++i) {
        QTreeWidgetItem* child = selected->child(i);
        if (ItemLabel(child) == label) {
            SelectItem(child);
            return;
        }
    }
}

namespace {

QTreeWidgetItem* Sibling(const QTreeWidget& tree, const QTreeWidgetItem* item, int step)
{
    if (!item)
        return nullptr;
    if (QTreeWidgetItem* parent = item->parent()) {
        const int index = parent->indexOfChild(const_cast<QTreeWidgetItem*>(item)) + step;
        return index >= 0 && index < parent->childCount() ? parent->child(index) : nullptr;
    }
    const int index = tree.indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) + step;
    return index >= 0 && index < tree.topLevelItemCount() ? tree.topLevelItem(index) : nullptr;
}

bool Found(QTreeWidgetItem* found, QTreeWidgetItem** item)
{
    if (!found)
        return false;
    if (item)
        *item = found;
    return true;
}

} // namespace

bool CLeftView::FindNextItem(QTreeWidgetItem** item) const
{
    return Found(Sibling(*this, currentItem(), 1), item);
}

bool CLeftView::FindPrevItem(QTreeWidgetItem** item) const
{
    return Found(Sibling(*this, currentItem(), -1), item);
}

bool CLeftView::FindParentItem(QTreeWidgetItem** item) const
{
    const QTreeWidgetItem* selected = currentItem();
    return Found(selected ? selected->parent() : nullptr, item);
}

void CLeftView::SelectItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    const bool wasCurrent = item == currentItem();
    setCurrentItem(item);
    // No selection change, so no page: the covered one is shown here.
    if (wasCurrent && m_bPageCovered)
        ShowItem(item);
}

std::string CLeftView::ItemLabel(const QTreeWidgetItem* item)
{
    if (!item)
        return {};
    const QByteArray label = item->data(0, kLabelRole).toByteArray();
    return std::string(label.constData(), static_cast<size_t>(label.size()));
}

int CLeftView::TypeOfNode(const QTreeWidgetItem* item) const
{
    if (!item)
        return 0;
    for (size_t i = 0; i < kTypeNodes.size(); ++i)
        if (this->*kTypeNodes[i] == item)
            return CONTENT_TYPE_TREE_ORDER[i];
    return 0;
}

void CLeftView::OnSelChanged(QTreeWidgetItem* current)
{
    ShowItem(current);
    if (FrameWindow* frame = GetParentFrame())
        frame->UpdateCommandUI();
}

void CLeftView::ShowItem(QTreeWidgetItem* item)
{
    if (!item || !m_pageDisplay)
        return;
    if (item == m_hRoot) {
        ShowContentPage();
        return;
    }
    if (const int type = TypeOfNode(item)) {
        ShowGroupsPage(type);
        return;
    }
    if (const int parentType = TypeOfNode(item->parent()))
        ShowItemsPage(parentType, ItemLabel(item), ItemTemplateOf(parentType));
}
