#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidgetItem>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CatalogSearchField.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "tree/CLeftView.h"

namespace {

// The shipped templates over a small catalog, the program started on it.
class SearchFieldTest : public testing::Test
{
protected:
    void SetUp() override
    {
        InstallTemplates();
        std::vector<std::string> many;
        for (int i = 0; i < 230; ++i)
            many.push_back("Echo " + std::to_string(i));
        WriteTypeCatalog(CT_WALLPAPERS, {{"10", "Love", {"heart", "Été indien"}},
                                         {"11", "Cars &amp; bikes", {"mini"}},
                                         {"12", "Echoes", many}});
        WriteTypeCatalog(CT_JAVA, {{"20", "Puzzle", {"blocks", "l'été"}}});
        m_app = std::make_unique<RunningApp>();
        ASSERT_TRUE(m_app->Started());
        ASSERT_TRUE(WaitForLoaded(View()));
        m_field = m_app->Frame()->findChild<CatalogSearchField*>(QStringLiteral("searchField"));
        ASSERT_NE(m_field, nullptr);
        ASSERT_TRUE(LoadsNewPage(View(), [&] { Tree().SelectItem(Tree().m_hJava); }));
    }

    CLeftView& Tree() { return *m_app->Tree(); }
    CVantoryView& View() { return *m_app->Browser(); }
    QString Title() { return RunScript(View(), QStringLiteral("document.title")).toString(); }
    int Count(const char* selector)
    {
        return RunScript(View(), QStringLiteral("document.querySelectorAll('%1').length").arg(QLatin1String(selector)))
            .toInt();
    }

    // Ctrl+F, then the keys of the text typed into the field; true when the
    // results page came without Enter.
    bool Type(const QString& text)
    {
        QTest::keyClick(m_app->Frame(), Qt::Key_F, Qt::ControlModifier);
        return LoadsNewPage(View(), [&] { QTest::keyClicks(m_field, text); });
    }

    // A real click of the mouse on the first element the selector finds (on
    // its first line, should it wrap).
    void Click(const char* selector)
    {
        const QVariantList box = RunScript(View(), QStringLiteral(
            "var e = document.querySelector('%1'); e.scrollIntoView({block: 'center'});"
            "var r = e.getClientRects()[0]; [r.left + r.width / 2, r.top + r.height / 2]")
                                                       .arg(QLatin1String(selector)))
                                     .toList();
        ASSERT_EQ(box.size(), 2);
        QTest::mouseClick(View().focusProxy(), Qt::LeftButton, {},
                          QPoint(box[0].toInt(), box[1].toInt()));
    }

    TestDir m_dir;
    std::unique_ptr<RunningApp> m_app;
    CatalogSearchField* m_field = nullptr;
};

TEST_F(SearchFieldTest, TypingShowsTheResultsAndTheFieldKeepsTheFocus)
{
    ASSERT_TRUE(Type(QStringLiteral("ETE")));
    EXPECT_EQ(Title(), QStringLiteral("Search: ETE"));
    // Accents and case aside; wallpapers before Java games, as in the tree.
    EXPECT_EQ(RunScript(View(), QStringLiteral("[...document.querySelectorAll('.search-type')]"
                                               ".map(e => e.textContent).join('/')"))
                  .toString(),
              QStringLiteral("Wallpapers/Java games"));
    EXPECT_EQ(Count(".item, .row-item"), 2);
    EXPECT_TRUE(m_field->hasFocus());
    EXPECT_EQ(Tree().currentItem(), Tree().m_hJava);

    // Enter does not wait for the pause.
    QTest::keyClicks(m_field, QStringLiteral(" indien"));
    EXPECT_TRUE(m_field->IsSearchPending());
    ASSERT_TRUE(LoadsNewPage(View(), [&] { QTest::keyClick(m_field, Qt::Key_Return); }));
    EXPECT_FALSE(m_field->IsSearchPending());
    EXPECT_EQ(Count(".item, .row-item"), 1);
    EXPECT_TRUE(m_field->hasFocus());
}

TEST_F(SearchFieldTest, GroupLinksAndHeadingsSelectTheirGroup)
{
    ASSERT_TRUE(Type(QStringLiteral("bikes")));
    EXPECT_EQ(Count(".search-group"), 1);
    ASSERT_TRUE(LoadsNewPage(View(), [&] { Click(".search-group"); }));
    EXPECT_EQ(Tree().currentItem(), FindNode(Tree(), QStringLiteral("Vantory/Wallpapers/Cars & bikes")));
    EXPECT_EQ(Title(), QStringLiteral("Cars & bikes"));

    ASSERT_TRUE(Type(QStringLiteral("blocks")));
    ASSERT_TRUE(LoadsNewPage(View(), [&] { Click(".search-group-head a"); }));
    EXPECT_EQ(Tree().currentItem(), FindNode(Tree(), QStringLiteral("Vantory/Java games/Puzzle")));
    EXPECT_EQ(Title(), QStringLiteral("Puzzle"));
}

TEST_F(SearchFieldTest, EscapeAndTheSelectedNodeGiveTheTreesPageBack)
{
    ASSERT_TRUE(Type(QStringLiteral("heart")));
    ASSERT_TRUE(LoadsNewPage(View(), [&] { QTest::keyClick(m_field, Qt::Key_Escape); }));
    EXPECT_EQ(Title(), QStringLiteral("Java games"));
    EXPECT_TRUE(m_field->text().isEmpty());

    // A click on the node that is selected already shows its page too.
    ASSERT_TRUE(Type(QStringLiteral("heart")));
    const QRect row = Tree().visualItemRect(Tree().m_hJava);
    ASSERT_TRUE(LoadsNewPage(View(), [&] {
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, row.center());
    }));
    EXPECT_EQ(Title(), QStringLiteral("Java games"));
    EXPECT_EQ(Tree().currentItem(), Tree().m_hJava);

    // Blanks find nothing and change nothing.
    const int pages = Count("*");
    QTest::keyClick(m_app->Frame(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(m_field, QStringLiteral("   "));
    QTest::keyClick(m_field, Qt::Key_Return);
    Pump(400);
    EXPECT_EQ(Title(), QStringLiteral("Java games"));
    EXPECT_EQ(Count("*"), pages);
}

TEST_F(SearchFieldTest, ShowMoreAddsTheNextItems)
{
    ASSERT_TRUE(Type(QStringLiteral("echo")));
    EXPECT_EQ(Count(".item"), 200);
    EXPECT_EQ(Count(".search-more a"), 1);
    ASSERT_TRUE(LoadsNewPage(View(), [&] { Click(".search-more a"); }));
    EXPECT_EQ(Count(".item"), 230);
    EXPECT_EQ(Count(".search-more"), 0);
}

} // namespace
