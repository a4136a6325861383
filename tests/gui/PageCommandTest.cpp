#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTreeWidgetItem>

#include "GuiTestSupport.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "pages/PageCommand.h"
#include "tree/CLeftView.h"

namespace {

// The shipped templates over a small catalog, the program started on it.
class PageCommandTest : public testing::Test
{
protected:
    void SetUp() override
    {
        InstallTemplates();
        WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"heart", "rose"}},
                                         {"11", "Cars &amp; bikes", {"mini"}},
                                         {"12", "A|B", {"pipe"}},
                                         {"13", "love", {"small"}}});
        WriteTypeCatalog(CT_JAVA, {{"20", "Puzzle", {"blocks"}}});
        m_app = std::make_unique<RunningApp>();
        ASSERT_TRUE(m_app->Started());
        ASSERT_TRUE(WaitForLoaded(View()));
        Show(Tree().m_hRoot);
        QObject::connect(&View(), &CxHtmlView::PageWritten, [this] { ++m_pages; });
    }

    CLeftView& Tree() { return *m_app->Tree(); }
    CVantoryView& View() { return *m_app->Browser(); }

    // Selects the node and waits until its page has loaded.
    void Show(QTreeWidgetItem* node)
    {
        ASSERT_TRUE(LoadsNewPage(View(), [&] { Tree().SelectItem(node); }));
    }

    // A page call from script in the shown page.
    void Call(const std::string& command)
    {
        RunScript(View(), QStringLiteral("window.external.anyMethod(%1); 1")
                              .arg(QString::fromStdString("'" + command + "'")));
    }

    QString Title() { return RunScript(View(), QStringLiteral("document.title")).toString(); }

    TestDir m_dir;
    std::unique_ptr<RunningApp> m_app;
    int m_pages = 0;
};

TEST_F(PageCommandTest, AClickOnAGroupCardSelectsTheGroupAndShowsItsItems)
{
    Show(Tree().m_hWallpapers);
    EXPECT_EQ(Title(), QStringLiteral("Wallpapers"));

    // A real click of the mouse on the second card.
    const QVariantList box = RunScript(View(), QStringLiteral(
        "var r = document.querySelectorAll('.group-card')[1].getBoundingClientRect();"
        "[r.left + r.width / 2, r.top + r.height / 2]")).toList();
    ASSERT_EQ(box.size(), 2);
    const QPoint centre(box[0].toInt(), box[1].toInt());
    ASSERT_TRUE(LoadsNewPage(View(), [&] { QTest::mouseClick(View().focusProxy(), Qt::LeftButton, {}, centre); }));
    EXPECT_EQ(Tree().currentItem(), FindNode(Tree(), QStringLiteral("Vantory/Wallpapers/Cars & bikes")));
    EXPECT_EQ(Title(), QStringLiteral("Cars & bikes"));
    EXPECT_EQ(RunScript(View(), QStringLiteral("document.querySelectorAll('.item').length")).toInt(), 1);
}

struct KindCase
{
    const char* kind;
    QTreeWidgetItem* CLeftView::*node;
    const char* title;
};

class SelectContentTest : public PageCommandTest, public testing::WithParamInterface<KindCase>
{
};

TEST_P(SelectContentTest, SelectsTheNodeOfTheKindAndShowsItsPage)
{
    const KindCase& c = GetParam();
    QTreeWidgetItem* expected = Tree().*c.node;
    // From a page of another node, so that every kind moves the selection.
    Show(expected == Tree().m_hJava ? Tree().m_hLogos : Tree().m_hJava);

    ASSERT_TRUE(LoadsNewPage(View(), [&] { Call(std::string("selcnt|") + c.kind); }));
    EXPECT_EQ(Tree().currentItem(), expected);
    EXPECT_EQ(Title(), QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SelectContentTest,
                         testing::Values(KindCase{"java", &CLeftView::m_hJava, "Java games"},
                                         KindCase{"ss", &CLeftView::m_hScreensavers, "Screen savers"},
                                         KindCase{"wp", &CLeftView::m_hWallpapers, "Wallpapers"},
                                         KindCase{"rtmono", &CLeftView::m_hRtMono, "Ringtones (mono)"},
                                         KindCase{"rtpoly", &CLeftView::m_hRtPoly, "Ringtones (poly)"},
                                         KindCase{"logos", &CLeftView::m_hLogos, "Logos"},
                                         KindCase{"logos_big", &CLeftView::m_hLogosBig, "Logos (big)"},
                                         KindCase{"start", &CLeftView::m_hRoot, "Vantory"}),
                         [](const testing::TestParamInfo<KindCase>& p) { return std::string(p.param.kind); });

TEST_F(PageCommandTest, CommandsThatNameNothingChangeNothing)
{
    Show(Tree().m_hWallpapers);
    const int pages = m_pages;
    for (const char* command : {"SELCNT|wp", "selcnt|WP", "selcnt", "selcnt|", "selcnt|bogus", "help",
                                "help|selcnt|java", "selgroup|love bird", "selgroup|LOVE", "", "|java"})
        Call(command);
    // The calls arrive in order: when the last has moved the selection, the
    // others have been handled.
    ASSERT_TRUE(LoadsNewPage(View(), [&] { Call("selcnt|java"); }));
    EXPECT_EQ(Tree().currentItem(), Tree().m_hJava);
    EXPECT_EQ(m_pages, pages + 1);
}

TEST_F(PageCommandTest, SelectGroupLooksAmongTheChildrenOfTheSelectedNode)
{
    Show(Tree().m_hWallpapers);
    // Exact labels only; what follows the first "|" is the whole argument.
    ASSERT_TRUE(LoadsNewPage(View(), [&] { Call("selgroup|love"); }));
    EXPECT_EQ(Tree().currentItem(), FindNode(Tree(), QStringLiteral("Vantory/Wallpapers/love")));
    Show(Tree().m_hWallpapers);
    ASSERT_TRUE(LoadsNewPage(View(), [&] { Call("selgroup|A|B"); }));
    EXPECT_EQ(Tree().currentItem(), FindNode(Tree(), QStringLiteral("Vantory/Wallpapers/A|B")));
    EXPECT_EQ(Title(), QStringLiteral("A|B"));

    // With a group leaf selected there is nothing to find.
    QTreeWidgetItem* leaf = Tree().currentItem();
    const int pages = m_pages;
    Call("selgroup|Love");
    Call("selgroup|A|B");
    Pump(300);
    EXPECT_EQ(Tree().currentItem(), leaf);
    EXPECT_EQ(m_pages, pages);
}

TEST_F(PageCommandTest, TheCommandHandlerIsThePagesCallback)
{
    // Straight calls, as the view makes them.
    OnPageCommand("selcnt|logos");
    EXPECT_EQ(Tree().currentItem(), Tree().m_hLogos);
    OnPageCommand("selcnt|start");
    EXPECT_EQ(Tree().currentItem(), Tree().m_hRoot);
    EXPECT_EQ(View().OnExternalCall(DISPID_PAGECALL, {QStringLiteral("selcnt|wp")}),
              CxHtmlView::CallResult::Delivered);
    EXPECT_EQ(Tree().currentItem(), Tree().m_hWallpapers);
    OnPageCommand("selgroup|Love");
    EXPECT_EQ(Tree().currentItem(), FindNode(Tree(), QStringLiteral("Vantory/Wallpapers/Love")));
}

TEST(SplitCommandTest, SplitsAtTheFirstSeparator)
{
    const struct
    {
        const char* command;
        const char* name;
        const char* argument;
    } cases[] = {
        {"selcnt|wp", "selcnt", "wp"}, {"selgroup|A|B", "selgroup", "A|B"}, {"help", "help", ""},
        {"help|", "help", ""},         {"|x", "", "x"},                     {"", "", ""},
    };
    for (const auto& c : cases) {
        std::string name = "old";
        std::string argument = "old";
        SplitCommand(c.command, '|', name, argument);
        EXPECT_EQ(name, c.name) << c.command;
        EXPECT_EQ(argument, c.argument) << c.command;
    }
}

// The bar of the table dialog, at each of its paints.
class TableDialogRecorder : public QObject
{
public:
    std::vector<std::pair<int, int>> m_paints;  // value, maximum
    QString m_text;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* bar = qobject_cast<QProgressBar*>(watched);
        if (event->type() == QEvent::Paint && bar && bar->isVisible() &&
            bar->window()->windowTitle() == QStringLiteral("Genarating table")) {
            m_paints.emplace_back(bar->value(), bar->maximum());
            for (QLabel* label : bar->window()->findChildren<QLabel*>())
                if (label->isVisible())
                    m_text = label->text();
        }
        return false;
    }
};

TEST(ItemsPageTest, MoreThanAHundredItemsAreBuiltUnderAProgressDialog)
{
    TestDir dir;
    InstallTemplates();
    std::vector<std::string> hundred(100, "tune");
    std::vector<std::string> more(101, "tune");
    WriteTypeCatalog(CT_RT_POLY, {{"1", "Hundred", hundred}, {"2", "More", more}});
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CLeftView& tree = *app.Tree();
    TableDialogRecorder recorder;
    qApp->installEventFilter(&recorder);

    tree.SelectItem(FindNode(tree, QStringLiteral("Vantory/Ringtones (poly)/Hundred")));
    EXPECT_TRUE(recorder.m_paints.empty());

    tree.SelectItem(FindNode(tree, QStringLiteral("Vantory/Ringtones (poly)/More")));
    qApp->removeEventFilter(&recorder);
    ASSERT_FALSE(recorder.m_paints.empty());
    EXPECT_EQ(recorder.m_paints.back(), std::make_pair(101, 101));
    EXPECT_EQ(recorder.m_text, QStringLiteral("Generating content table..."));
    // The page is written, and the dialog gone with the operation.
    EXPECT_EQ(app.Browser()->CurrentPage().count("class=\"row-item\""), 101);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible() && window->windowTitle() == QStringLiteral("Genarating table"));
}

} // namespace
