#include "catalog/TextFile.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser
{
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Drops each CR that stands right before an LF; a lone CR is kept.
void DropCrBeforeLf(std::string& text)
{
    const char* cr = static_cast<const char*>(std::memchr(text.data(), '\r', text.size()));
    if (!cr)
        return;
    size_t out = static_cast<size_t>(cr - text.data());
    for (size_t in = out; in < text.size(); ++in) {
        if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n')
            continue;
        text[out++] = text[in];
    }
    text.resize(out);
}

} // namespace

std::string ReadTextFile(const std::string& path)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return {};
    std::string text;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        text.append(buffer, got);
    DropCrBeforeLf(text);
    return text;
}

std::string WithTrailingBackslash(const std::string& path)
{
    if (path.empty())
        return std::string(1, PATH_SEPARATOR);
    if (path.back() == PATH_SEPARATOR)
        return path;
    return path + PATH_SEPARATOR;
}
