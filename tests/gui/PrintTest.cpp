#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QPrinter>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/CMainFrame.h"
#include "app/framework/PrintDialog.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "res/Resource.h"
#include "tree/CLeftView.h"

namespace {

// What a printed file holds.
struct Printed
{
    bool isPdf = false;
    int pages = 0;
    bool inked = false;  // something dark on the first page
};

Printed ReadPrinted(const QString& path)
{
    Printed printed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return printed;
    printed.isPdf = file.read(5) == "%PDF-";
    file.close();
    QPdfDocument document(nullptr);
    if (document.load(path) != QPdfDocument::Error::None)
        return printed;
    printed.pages = document.pageCount();
    // Unprinted paper comes out transparent.
    const QImage page = document.render(0, QSize(300, 424)).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < page.height() && !printed.inked; ++y)
        for (int x = 0; x < page.width() && !printed.inked; ++x) {
            const QRgb pixel = page.pixel(x, y);
            printed.inked = qAlpha(pixel) > 128 && qGray(pixel) < 128;
        }
    return printed;
}

// A PDF file instead of paper; screen resolution keeps the browser's
// pictures of its pages small.
void PrintToPdf(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(96);
}

// The program with a page of large text in the browser pane.
class PrintTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app = std::make_unique<RunningApp>();
        ASSERT_TRUE(m_app->Started());
        ASSERT_TRUE(WaitForLoaded(Browser()));
        ASSERT_TRUE(WritePage(Browser(), "<html><body><h1 style=\"font-size:96px\">Printed</h1></body></html>"));
        m_previousDialog = SetPrintDialogHandler([this](QPrinter& printer, QWidget* parent) {
            m_dialogParents.push_back(parent);
            if (!m_choosePrinter)
                return false;
            PrintToPdf(printer, Path("chosen.pdf"));
            return true;
        });
    }

    void TearDown() override { SetPrintDialogHandler(std::move(m_previousDialog)); }

    CMainFrame& Frame() const { return *m_app->Frame(); }
    CLeftView& Tree() const { return *m_app->Tree(); }
    CVantoryView& Browser() const { return *m_app->Browser(); }
    QString Path(const char* name) const { return QString::fromStdString((m_dir.Path() / name).string()); }

    // Prints the view to a PDF file through its print step, without the
    // dialog; nullopt when it does not finish.
    std::optional<bool> PrintView(View& view, const QString& path)
    {
        auto printer = std::make_shared<QPrinter>();
        PrintToPdf(*printer, path);
        std::optional<bool> result;
        view.Print(printer, [&](bool ok) { result = ok; });
        WaitFor([&] { return result.has_value(); });
        return result;
    }

    TestDir m_dir;
    std::unique_ptr<RunningApp> m_app;
    std::vector<QWidget*> m_dialogParents;
    bool m_choosePrinter = true;

private:
    PrintDialogHandler m_previousDialog;
};

TEST_F(PrintTest, BrowserPrintsThePageShownAndTheTreeAnEmptyPage)
{
    EXPECT_EQ(PrintView(Tree(), Path("tree.pdf")), true);
    EXPECT_EQ(PrintView(Browser(), Path("browser.pdf")), true);

    const Printed tree = ReadPrinted(Path("tree.pdf"));
    EXPECT_TRUE(tree.isPdf);
    EXPECT_EQ(tree.pages, 1);
    EXPECT_FALSE(tree.inked);
    const Printed browser = ReadPrinted(Path("browser.pdf"));
    EXPECT_TRUE(browser.isPdf);
    EXPECT_EQ(browser.pages, 1);
    EXPECT_TRUE(browser.inked);
    EXPECT_GT(QFile(Path("browser.pdf")).size(), QFile(Path("tree.pdf")).size());
}

TEST_F(PrintTest, BrowserPrintsOneDocumentAtATime)
{
    Frame().SetActiveView(&Browser());
    auto first = std::make_shared<QPrinter>();
    PrintToPdf(*first, Path("first.pdf"));
    std::optional<bool> firstDone;
    Browser().Print(first, [&](bool ok) { firstDone = ok; });
    EXPECT_TRUE(Browser().IsPrinting());
    EXPECT_FALSE(Frame().IsCommandEnabled(ID_FILE_PRINT));

    // Refused at once while the first runs; the first is not disturbed.
    EXPECT_EQ(PrintView(Browser(), Path("second.pdf")), false);
    EXPECT_FALSE(QFile::exists(Path("second.pdf")));
    // The printer stays in use until the engine is done with it.
    EXPECT_GT(first.use_count(), 1);

    ASSERT_TRUE(WaitFor([&] { return firstDone.has_value(); }));
    EXPECT_EQ(firstDone, true);
    EXPECT_EQ(first.use_count(), 1);
    EXPECT_FALSE(Browser().IsPrinting());
    EXPECT_TRUE(Frame().IsCommandEnabled(ID_FILE_PRINT));
    EXPECT_TRUE(ReadPrinted(Path("first.pdf")).inked);
}

TEST_F(PrintTest, CancelledDialogPrintsNothing)
{
    m_choosePrinter = false;
    for (View* view : {static_cast<View*>(&Tree()), static_cast<View*>(&Browser())}) {
        Frame().SetActiveView(view);
        ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT));
        EXPECT_FALSE(Browser().IsPrinting());
    }
    EXPECT_EQ(m_dialogParents.size(), 2u);
    EXPECT_FALSE(QFile::exists(Path("chosen.pdf")));
}

enum class Pane
{
    Tree,
    Browser,
    None,
};

struct RouteCase
{
    const char* name;
    Pane focus;    // the pane given the focus; None: no pane is active
    Pane printed;  // the pane that asks for the printer and prints
};

void PrintTo(const RouteCase& c, std::ostream* out)
{
    *out << c.name;
}

class PrintRouteTest : public PrintTest, public testing::WithParamInterface<RouteCase>
{
};

// Ctrl+P goes to the active pane, the one with the focus; with none active
// the browser pane prints.
TEST_P(PrintRouteTest, CtrlPPrintsTheActivePane)
{
    const RouteCase& c = GetParam();
    Frame().activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &Frame(); }, 5000));
    if (c.focus == Pane::None) {
        Frame().SetActiveView(nullptr);
    } else {
        QWidget* pane = c.focus == Pane::Tree ? static_cast<QWidget*>(&Tree()) : &Browser();
        pane->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(WaitFor([&] { return pane->isAncestorOf(QApplication::focusWidget()) ||
                                         QApplication::focusWidget() == pane; }, 5000));
    }
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Frame();

    QTest::keyClick(target, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return !Browser().IsPrinting() && QFile::exists(Path("chosen.pdf")); }));

    QWidget* expected = c.printed == Pane::Tree ? static_cast<QWidget*>(&Tree()) : &Browser();
    ASSERT_EQ(m_dialogParents.size(), 1u);
    EXPECT_EQ(m_dialogParents.front(), expected);
    const Printed printed = ReadPrinted(Path("chosen.pdf"));
    EXPECT_TRUE(printed.isPdf);
    EXPECT_EQ(printed.pages, 1);
    EXPECT_EQ(printed.inked, c.printed == Pane::Browser);
}

INSTANTIATE_TEST_SUITE_P(Panes, PrintRouteTest,
                         testing::Values(RouteCase{"TreeFocused", Pane::Tree, Pane::Tree},
                                         RouteCase{"BrowserFocused", Pane::Browser, Pane::Browser},
                                         RouteCase{"NoPaneActive", Pane::None, Pane::Browser}),
                         [](const testing::TestParamInfo<RouteCase>& param) { return std::string(param.param.name); });

} // namespace
