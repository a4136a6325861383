#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "GuiTestSupport.h"
#include "ShownPaneTest.h"
#include "app/framework/MessageBox.h"
#include "pages/browser/CVantoryView.h"
#include "pages/browser/PageScheme.h"

namespace {

using HtmlPaneTest = ShownPaneTest;

// A page whose script calls window.external in the ways pages may, and in
// some they should not; "end" comes last.
constexpr char kCallingPage[] = R"(<!DOCTYPE html><html><head><meta charset="utf-8"></head><body>
<script>
window.external.selectSomething('selcnt|java');
window.external.Another('Größe ヒット');
window.external.two('first', 'last');
window.external.empty('');
window.external.none();
window.external.number(42);
window.external.notLast('a', 7);
window.external = 5;
window.external.end('end');
</script></body></html>)";

TEST_F(HtmlPaneTest, PageCallsFromScriptDeliverTheirStringArgument)
{
    CVantoryView& view = View();
    std::vector<std::string> calls;
    view.SetExternalCallback([&](std::string argument) { calls.push_back(std::move(argument)); });

    ASSERT_TRUE(WritePage(view, kCallingPage));
    ASSERT_TRUE(WaitFor([&] { return !calls.empty() && calls.back() == "end"; }));
    EXPECT_EQ(calls, (std::vector<std::string>{"selcnt|java", "Größe ヒット", "last", "", "end"}));

    // Later calls, from an event rather than the parse, arrive the same way.
    calls.clear();
    RunScript(view, QStringLiteral("window.external.whateverName('selgroup|Love'); 1"));
    ASSERT_TRUE(WaitFor([&] { return !calls.empty(); }));
    EXPECT_EQ(calls, (std::vector<std::string>{"selgroup|Love"}));
    EXPECT_EQ(view.url(), PageUrl());
}

struct CallCase
{
    const char* name;
    bool withCallback;
    int dispId;
    QVariantList arguments;
    CxHtmlView::CallResult result;
    const char* delivered;  // null: the callback is not called
};

class ExternalCallTest : public testing::TestWithParam<CallCase>
{
};

TEST_P(ExternalCallTest, FollowsTheCallRules)
{
    const CallCase& c = GetParam();
    CxHtmlView view;
    std::vector<std::string> calls;
    if (c.withCallback)
        view.SetExternalCallback([&](std::string argument) { calls.push_back(std::move(argument)); });
    EXPECT_EQ(view.OnExternalCall(c.dispId, c.arguments), c.result);
    if (c.delivered)
        EXPECT_EQ(calls, std::vector<std::string>{c.delivered});
    else
        EXPECT_TRUE(calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ExternalCallTest,
    testing::Values(
        CallCase{"NoCallback", false, DISPID_PAGECALL, {QStringLiteral("x")}, CxHtmlView::CallResult::NoCallback, nullptr},
        CallCase{"OtherCallId", true, 2, {QStringLiteral("x")}, CxHtmlView::CallResult::OtherCallId, nullptr},
        CallCase{"NoArgument", true, DISPID_PAGECALL, {}, CxHtmlView::CallResult::NoStringArgument, nullptr},
        CallCase{"Number", true, DISPID_PAGECALL, {42.0}, CxHtmlView::CallResult::NoStringArgument, nullptr},
        CallCase{"Null", true, DISPID_PAGECALL, {QVariant()}, CxHtmlView::CallResult::NoStringArgument, nullptr},
        CallCase{"LastNotString", true, DISPID_PAGECALL, {QStringLiteral("a"), 7.0},
                 CxHtmlView::CallResult::NoStringArgument, nullptr},
        CallCase{"LastIsString", true, DISPID_PAGECALL, {7.0, QStringLiteral("a")}, CxHtmlView::CallResult::Delivered,
                 "a"},
        CallCase{"Utf8", true, DISPID_PAGECALL, {QStringLiteral("selgroup|Éxitos")},
                 CxHtmlView::CallResult::Delivered, "selgroup|Éxitos"}),
    [](const testing::TestParamInfo<CallCase>& param) { return std::string(param.param.name); });

TEST_F(HtmlPaneTest, ExternalObjectExistsOnlyInTheProgramsPage)
{
    CVantoryView& view = View();
    ASSERT_TRUE(WritePage(view, "<html><body><iframe srcdoc='<p>inner</p>'></iframe></body></html>"));
    ASSERT_TRUE(WaitFor([&] {
        return RunScript(view, QStringLiteral("frames.length && frames[0].document.readyState")).toString() ==
               QStringLiteral("complete");
    }));
    EXPECT_EQ(RunScript(view, QStringLiteral("typeof window.external.anyName")).toString(), QStringLiteral("function"));
    EXPECT_EQ(RunScript(view, QStringLiteral("typeof frames[0].external.anyName")).toString(),
              QStringLiteral("undefined"));
    // Nor does the page see the channel library's names.
    EXPECT_EQ(RunScript(view, QStringLiteral("typeof QWebChannel")).toString(), QStringLiteral("undefined"));
}

TEST_F(HtmlPaneTest, BlankDocumentAtStartAndTheSameAddressForEveryPage)
{
    CVantoryView& view = View();
    EXPECT_EQ(RunScript(view, QStringLiteral("document.body ? document.body.innerHTML : ''")).toString(), QString());
    EXPECT_EQ(view.url(), PageUrl());

    ASSERT_TRUE(WritePage(view, "<html><body><p id='p'>one</p></body></html>"));
    ASSERT_TRUE(WritePage(view, "<html><body><p id='p'>two</p></body></html>"));
    EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementById('p').textContent")).toString(),
              QStringLiteral("two"));
    EXPECT_EQ(view.url(), PageUrl());
}

TEST_F(HtmlPaneTest, PageOfFiftyMegabytesIsWrittenWhole)
{
    CVantoryView& view = View();

    // Fifty megabytes of markup the engine must parse, kept out of layout so
    // that the test measures the writing, not the rendering, and a visible
    // marker at the very end.
    std::string page = "<!DOCTYPE html><html><body><div id='bulk' style='display:none'>\n";
    const std::string row = "<div class='row'>0123456789 abcdefghijklmnopqrstuvwxyz 0123456789</div>\n";
    qlonglong rows = 0;
    for (; page.size() < 50u * 1024 * 1024; ++rows)
        page += row;
    page += "</div><p id='end'>END OF THE PAGE</p></body></html>\n";
    const auto size = static_cast<qlonglong>(page.size());

    ASSERT_TRUE(WritePage(view, page, 180000));
    EXPECT_EQ(view.CurrentPage().size(), size);
    EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementById('end').textContent")).toString(),
              QStringLiteral("END OF THE PAGE"));
    EXPECT_GT(RunScript(view, QStringLiteral("document.getElementById('end').offsetHeight")).toInt(), 0);
    EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementsByClassName('row').length")).toLongLong(),
              rows);
    EXPECT_EQ(view.url(), PageUrl());
}

TEST(HtmlViewTest, PagesLoadLocalFilesBelowTheWorkingDirectoryOnly)
{
    TestDir outside;
    QImage dot(3, 2, QImage::Format_RGB32);
    dot.fill(Qt::red);
    ASSERT_TRUE(dot.save(QStringLiteral("outside.png")));
    const std::string outsidePath = (outside.Path() / "outside.png").string();

    TestDir dir;
    std::filesystem::create_directories("tpl/img");
    ASSERT_TRUE(dot.save(QStringLiteral("tpl/img/dot.png")));
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CVantoryView& view = *app.Browser();
    ASSERT_TRUE(WaitForLoaded(view));

    // The doubled separator is what the page rewrite leaves behind.
    const std::string base = dir.Path().string() + "/";
    ASSERT_TRUE(WritePage(view, "<html><body><img id='in' src=\"" + base + "/tpl/img/dot.png\"><img id='out' src=\"" +
                                    outsidePath + "\"></body></html>"));
    ASSERT_TRUE(WaitFor([&] {
        return RunScript(view, QStringLiteral("document.images[0].complete && document.images[1].complete")).toBool();
    }));
    EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementById('in').naturalWidth")).toInt(), 3);
    EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementById('out').naturalWidth")).toInt(), 0);
}

TEST_F(HtmlPaneTest, WebLinksOpenInTheUsersBrowserNotInThePane)
{
    CVantoryView& view = View();
    UrlRecorder desktop;
    ASSERT_TRUE(WritePage(view, "<html><body style='margin:0'><a id='web' href='http://www.example.org/x?y=1'"
                                " style='display:block;height:40px'>web</a></body></html>"));
    QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(WaitFor([&] { return !desktop.m_opened.isEmpty(); }));
    EXPECT_EQ(desktop.m_opened, QList<QUrl>{QUrl(QStringLiteral("http://www.example.org/x?y=1"))});
    Pump(200);
    EXPECT_EQ(view.url(), PageUrl());
    EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementById('web').textContent")).toString(),
              QStringLiteral("web"));
}

class ViewWithoutExternalScript : public CxHtmlView
{
protected:
    QString ExternalScriptPath() const override { return QStringLiteral(":/missing/script.js"); }
};

TEST(HtmlViewTest, MissingExternalScriptIsReportedAndPagesStillShow)
{
    TestDir dir;
    QStringList messages;
    MessageBoxHandler previous = SetMessageBoxHandler([&](const QString& text) { messages.append(text); });
    {
        ViewWithoutExternalScript view;
        view.OnInitialUpdate();
        EXPECT_EQ(messages, QStringList{QStringLiteral("ERROR!\n\nCouldn't get oldClientSite")});
        ASSERT_TRUE(WaitForLoaded(view));
        ASSERT_TRUE(WritePage(view, "<html><body><p id='p'>shown</p></body></html>"));
        EXPECT_EQ(RunScript(view, QStringLiteral("document.getElementById('p').textContent")).toString(),
                  QStringLiteral("shown"));
        EXPECT_EQ(RunScript(view, QStringLiteral("typeof window.external.anyName")).toString(),
                  QStringLiteral("undefined"));
    }
    SetMessageBoxHandler(std::move(previous));
}

TEST(HtmlViewTest, PageWrittenBeforeTheBlankDocumentIsDropped)
{
    CxHtmlView view;
    int written = 0;
    QObject::connect(&view, &CxHtmlView::PageWritten, [&] { ++written; });
    view.WriteHtml("<p>too early</p>");
    EXPECT_EQ(written, 0);
    EXPECT_TRUE(view.CurrentPage().isEmpty());
}

} // namespace
