#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QWebEngineUrlSchemeHandler>

// Serves the page scheme: PageUrl() gives the page written last, any other
// address the file its path names, if that is a regular file below one of
// the allowed directories. Everything else is not found.
class PageSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    // Files below `baseDir` are served, and below the working directory of
    // the moment a file is asked for.
    PageSchemeHandler(std::filesystem::path baseDir, QObject* parent = nullptr);

    void SetPage(QByteArray html) { m_page = std::move(html); }
    const QByteArray& Page() const { return m_page; }

    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // The file an address of the scheme names, resolved through links, if
    // it is a regular file below one of the roots; nothing otherwise.
    static std::optional<std::filesystem::path> ServableFile(const QUrl& url,
                                                             const std::vector<std::filesystem::path>& roots);

private:
    std::filesystem::path m_baseDir;
    QByteArray m_page;
};
