// Items pages of 1,000 and 10,000 logos, pictures on disk:
//
//   generation   the page text built from the templates and the catalog
//                (median of 21), and the growth from 1,000 to 10,000 items
//   shown        from the selection of the group in the tree until the
//                browser first paints the page and until it has loaded it
//                (the pictures in view included), against the same engine
//                loading that page's HTML from a local file, in the same run
//                (median of 5, alternating)
//
//   vantory_bench_pages [--runs N] [--check]      (needs a display: xvfb-run -a)
//
// --check exits with 1 when 10,000 items take more than 12 times as long to
// generate as 1,000, or the 10,000-item page takes more than 1.5 times as
// long to load as the file.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "app/CVantoryApp.h"
#include "app/startup/HugePageHeap.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"
#include "common/BenchTiming.h"
#include "pages/browser/BrowserEngine.h"
#include "pages/browser/CVantoryView.h"
#include "pages/PageBuilder.h"
#include "tools/catgen/GifEncoder.h"
#include "tree/CLeftView.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSizes[] = {1000, 10000};

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Label(int size)
{
    return "Logos " + std::to_string(size);
}

// One logos group per size, listed 30 items to a page as the update leaves
// them, each item with its picture.
void WriteCatalog(const fs::path& dir)
{
    fs::copy(fs::path(VANTORY_SOURCE_DIR) / "templates", dir,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const fs::path type = dir / "data" / "logos";
    std::string index = "<response>\n";
    int id = 100000;
    for (int size : kSizes) {
        const std::string group = std::to_string(size);
        index += "<ressource><id>" + group + "</id><lib>" + Label(size) + "</lib></ressource>\n";
        const int pages = (size + 29) / 30;
        for (int page = 1; page <= pages; ++page) {
            std::string text = "<response max_page=\"" + std::to_string(pages) + "\" total_results=\"" +
                               std::to_string(size) + "\">\n";
            for (int i = (page - 1) * 30; i < std::min(size, page * 30); ++i, ++id) {
                const std::string item = std::to_string(id);
                text += "<ressource><id>" + item + "</id><lib>Logo " + item +
                        "</lib><url_download>http://127.0.0.1:8642/dl.php?id=" + item +
                        "</url_download><desc>A crisp black-and-white operator logo, number " + item +
                        ".</desc><file>http://127.0.0.1:8642/media/logos/" + group + "/" + item +
                        ".gif</file></ressource>\n";
                std::vector<std::uint8_t> pixels(72 * 14);
                for (size_t p = 0; p < pixels.size(); ++p)
                    pixels[p] = static_cast<std::uint8_t>(((p * 7 + static_cast<size_t>(id)) / 5) % 2);
                Write(type / group / (item + ".gif"), EncodeGif(72, 14, pixels, {{200, 220, 180}, {20, 30, 20}}));
            }
            Write(type / group / (std::to_string(page) + ".xml"), text + "</response>\n");
        }
    }
    Write(type / "cats.xml", index + "</response>\n");
}

bool WaitForLoad(QWebEnginePage& page, const std::function<void()>& start, double& seconds)
{
    QEventLoop loop;
    bool ok = false;
    bool done = false;
    const auto connection = QObject::connect(&page, &QWebEnginePage::loadFinished, [&](bool success) {
        ok = success;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    const double begin = bench::NowSeconds();
    start();
    if (!done)
        loop.exec();
    seconds = bench::NowSeconds() - begin;
    QObject::disconnect(connection);
    return done && ok;
}

// The first paint with content of the page loaded last, in milliseconds
// after `startMs` (milliseconds since the epoch, the clock the engine's
// time origin counts from); negative when there is none.
double FirstPaintAfter(QWebEnginePage& page, double startMs)
{
    QEventLoop loop;
    double paint = -1;
    page.runJavaScript(QStringLiteral("var p = performance.getEntriesByName('first-contentful-paint')[0];"
                                      "p ? performance.timeOrigin + p.startTime : -1"),
                       [&](const QVariant& value) {
                           const double at = value.toDouble();
                           paint = at < 0 ? -1 : at - startMs;
                           loop.quit();
                       });
    loop.exec();
    return paint;
}

double EpochMs()
{
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch());
}

// The median of the values that were measured (first paints may be missing).
double MedianOfKnown(std::vector<double> values)
{
    std::erase_if(values, [](double v) { return v < 0; });
    return values.empty() ? -1 : bench::Median(values);
}

struct Measures
{
    std::vector<double> written;  // the selection's own handling, to the page written
    std::vector<double> paint;
    std::vector<double> loaded;
    std::vector<double> filePaint;
    std::vector<double> fileLoaded;
};

QTreeWidgetItem* Leaf(CLeftView& tree, int size)
{
    for (int i = 0; i < tree.m_hLogos->childCount(); ++i)
        if (CLeftView::ItemLabel(tree.m_hLogos->child(i)) == Label(size))
            return tree.m_hLogos->child(i);
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    RestartWithHugePageHeap(argv);  // as the program starts
    int runs = 5;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--check")
            check = true;
        else {
            std::fprintf(stderr, "usage: vantory_bench_pages [--runs N] [--check]\n");
            return 2;
        }
    }

    const fs::path work = fs::temp_directory_path() / ("vantory-bench-pages-" + std::to_string(::getpid()));
    fs::remove_all(work);
    WriteCatalog(work);
    fs::current_path(work);

    // Generation alone, from the loaded catalog.
    LoadAllCatalogs(true);
    const PageBuilder builder(work.string() + "/");
    // The two sizes take turns, so that a busy moment of the machine falls
    // on both alike.
    std::vector<double> times[2];
    size_t pageBytes[2] = {0, 0};
    for (int run = 0; run < 21; ++run)
        for (int s = 0; s < 2; ++s) {
            const double begin = bench::NowSeconds();
            pageBytes[s] = builder.ItemsPage(CT_LOGOS, Label(kSizes[s]), "item_logo", nullptr).size();
            times[s].push_back(bench::NowSeconds() - begin);
        }
    const double generation[2] = {bench::Median(times[0]), bench::Median(times[1])};

    // The program, then the clicks.
    PrepareBrowserEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The program's own command line would read the options as a file name.
    int appArgc = 1;
    QApplication application(appArgc, argv);
    CVantoryApp app;
    if (!app.InitInstance()) {
        std::fprintf(stderr, "vantory_bench_pages: the program did not start\n");
        return 1;
    }
    CLeftView& tree = *g_pLeftView;
    CVantoryView& view = *g_pHtmlView;
    QWebEnginePage& page = *view.page();
    double ignored = 0;
    WaitForLoad(page, [&] { tree.SelectItem(tree.m_hRoot); }, ignored);

    // The yardstick: a plain view of the same size on the same engine.
    QWebEngineView fileView;
    fileView.resize(view.size());
    fileView.show();
    fileView.page()->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    const fs::path file = work / "page.html";

    Measures measures[2];
    bool failed = false;
    for (int s = 0; s < 2; ++s) {
        QTreeWidgetItem* leaf = Leaf(tree, kSizes[s]);
        if (!leaf) {
            std::fprintf(stderr, "vantory_bench_pages: no group %s\n", Label(kSizes[s]).c_str());
            return 1;
        }
        Measures& m = measures[s];
        for (int r = 0; r < runs; ++r) {
            double seconds = 0;
            // From a small page, as a user comes from the groups page.
            WaitForLoad(page, [&] { tree.SelectItem(tree.m_hLogos); }, ignored);
            double program = 0;
            double startMs = 0;
            failed |= !WaitForLoad(page, [&] {
                startMs = EpochMs();
                const double begin = bench::NowSeconds();
                tree.SelectItem(leaf);
                program = bench::NowSeconds() - begin;
            }, seconds);
            m.written.push_back(program);
            m.loaded.push_back(seconds);
            m.paint.push_back(FirstPaintAfter(page, startMs) / 1000);
            if (r == 0) {
                const QByteArray html = view.CurrentPage();
                std::ofstream(file, std::ios::binary).write(html.constData(), html.size());
            }
            WaitForLoad(*fileView.page(), [&] { fileView.load(QUrl(QStringLiteral("about:blank"))); }, ignored);
            failed |= !WaitForLoad(*fileView.page(), [&] {
                startMs = EpochMs();
                fileView.load(QUrl::fromLocalFile(QString::fromStdString(file.string())));
            }, seconds);
            m.fileLoaded.push_back(seconds);
            m.filePaint.push_back(FirstPaintAfter(*fileView.page(), startMs) / 1000);
        }
    }

    std::printf("%-7s %10s %11s %10s | %11s %11s %6s | %11s %11s %6s\n", "items", "page bytes", "generation",
                "written", "click:paint", "file:paint", "ratio", "click:load", "file:load", "ratio");
    for (int s = 0; s < 2; ++s) {
        const Measures& m = measures[s];
        const double paint = MedianOfKnown(m.paint);
        const double filePaint = MedianOfKnown(m.filePaint);
        const double loaded = bench::Median(m.loaded);
        const double fileLoaded = bench::Median(m.fileLoaded);
        std::printf("%-7d %10zu %8.2f ms %7.1f ms | %8.1f ms %8.1f ms %6.2f | %8.1f ms %8.1f ms %6.2f\n",
                    kSizes[s], pageBytes[s], generation[s] * 1000, bench::Median(m.written) * 1000,
                    paint * 1000, filePaint * 1000, paint / filePaint, loaded * 1000, fileLoaded * 1000,
                    loaded / fileLoaded);
    }
    const double growth = generation[1] / generation[0];
    const double showRatio = bench::Median(measures[1].loaded) / bench::Median(measures[1].fileLoaded);
    std::printf("\ngeneration 10,000 / 1,000 items = %.2f (target at most 12)\n", growth);
    std::printf("10,000 items: click->loaded / file->loaded = %.2f (target at most 1.5)\n", showRatio);
    std::printf("1,000 items: click->loaded / file->loaded = %.2f (target at most 1.0)\n",
                bench::Median(measures[0].loaded) / bench::Median(measures[0].fileLoaded));
    std::printf("first paint after the click: %.0f ms and %.0f ms (target at most 150 ms)\n",
                MedianOfKnown(measures[0].paint) * 1000, MedianOfKnown(measures[1].paint) * 1000);
    if (failed)
        std::printf("note: a page did not finish loading\n");

    app.ExitInstance();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    if (check && (growth > 12 || showRatio > 1.5 || failed))
        return 1;
    return 0;
}
