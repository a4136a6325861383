#include <gtest/gtest.h>

#include <QPushButton>

#include "GuiTestSupport.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CTransparentStatic.h"
#include "res/Resource.h"

namespace {

const QUrl kHomepage(QStringLiteral("http://www.vantory.example.com/vantory.shtml"));

TEST(AboutDlgTest, ShowsNameVersionAndPictureUnderItsCaption)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CAboutDlg dlg(app.Frame());
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("About Vantory..."));
    const QStringList lines = dlg.m_ctlText->Text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Vantory 1.00"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_FALSE(lines[2].isEmpty());
    EXPECT_EQ(dlg.m_bmpAbout.size(), QSize(450, 250));
    // 287 x 152 dialog units of the 6 x 13 dialog font.
    EXPECT_EQ(dlg.size(), QSize(431, 247));
    EXPECT_EQ(dlg.m_okButton->text(), QStringLiteral("OK"));
    EXPECT_TRUE(dlg.m_okButton->isDefault());
    EXPECT_EQ(dlg.m_homepageButton->text(), QStringLiteral("Homepage"));
    EXPECT_EQ(dlg.parentWidget(), app.Frame());
    // The label draws no background: the picture shows through.
    EXPECT_FALSE(dlg.m_ctlText->autoFillBackground());
}

TEST(AboutDlgTest, HomepageButtonOpensTheHomepageAndLeavesTheBoxOpen)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    UrlRecorder desktop;
    CAboutDlg dlg(app.Frame());
    dlg.show();
    dlg.m_homepageButton->click();
    EXPECT_EQ(desktop.m_opened, QList<QUrl>{kHomepage});
    EXPECT_TRUE(dlg.isVisible());
    dlg.m_okButton->click();
    EXPECT_FALSE(dlg.isVisible());
}

TEST(AboutDlgTest, VisitHomepageOpensTheSameAddress)
{
    TestDir dir;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    UrlRecorder desktop;
    ASSERT_TRUE(app.Frame()->ExecuteCommand(ID_VISIT_HOMEPAGE));
    EXPECT_EQ(desktop.m_opened, QList<QUrl>{kHomepage});
}

} // namespace
