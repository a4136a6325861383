#include "pages/browser/PageSchemeHandler.h"

#include <iterator>
#include <system_error>

#include <QBuffer>
#include <QFile>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>

#include "catalog/TextFile.h"
#include "pages/browser/PageScheme.h"

namespace fs = std::filesystem;

namespace {

bool IsBelow(const fs::path& path, const fs::path& root)
{
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        // A trailing separator leaves an empty last element in the root.
        if (r->empty() && std::next(r) == root.end())
            break;
        if (p == path.end() || *p != *r)
            return false;
    }
    return true;
}

QByteArray MimeTypeOf(const fs::path& file)
{
    static const QMimeDatabase database;
    return database.mimeTypeForFile(QString::fromStdString(file.string()), QMimeDatabase::MatchExtension)
        .name()
        .toUtf8();
}

} // namespace

PageSchemeHandler::PageSchemeHandler(fs::path baseDir, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_baseDir(std::move(baseDir))
{
}

std::optional<fs::path> PageSchemeHandler::ServableFile(const QUrl& url, const std::vector<fs::path>& roots)
{
    if (url.scheme() != QLatin1String(PAGE_SCHEME))
        return std::nullopt;
    // "//tpl/x" behind a working directory of "/" reads as the host "tpl".
    QString path = url.path(QUrl::FullyDecoded);
    if (url.host() != QLatin1String(PAGE_HOST))
        path = QLatin1Char('/') + url.host(QUrl::FullyDecoded) + path;
    if (!path.startsWith(QLatin1Char('/')))
        return std::nullopt;

    std::error_code error;
    const fs::path file = fs::canonical(fs::path(path.toStdString()), error);
    if (error || !fs::is_regular_file(file, error))
        return std::nullopt;
    for (const fs::path& root : roots) {
        const fs::path canonicalRoot = fs::canonical(root, error);
        if (!error && IsBelow(file, canonicalRoot))
            return file;
    }
    return std::nullopt;
}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QUrl url = job->requestUrl();
    if (url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment) == PageUrl()) {
        auto* page = new QBuffer(job);
        page->setData(m_page);
        page->open(QIODevice::ReadOnly);
        // The pages are UTF-8, whatever a template's meta element claims.
        job->reply("text/html;charset=utf-8", page);
        return;
    }

    std::vector<fs::path> roots = {m_baseDir};
    if (const std::string current = CurrentDirectory(); !current.empty())
        roots.push_back(current);
    const auto file = ServableFile(url, roots);
    if (!file) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* device = new QFile(QString::fromStdString(file->string()), job);
    if (!device->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(MimeTypeOf(*file), device);
}
