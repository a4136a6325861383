#include "catalog/TextFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    // Not blocking, and only a regular file: a FIFO would hang the reader
    // and a device (a link to /dev/zero) would never end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    std::string text;
    struct stat info{};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // What the file may have grown by since is not read.
        text.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t got = ::read(fd, text.data() + done, text.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<size_t>(got);
        }
        // A read error is no end of the file: the text is not the file's.
        if (done < text.size())
            text.clear();
    }
    ::close(fd);
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

std::string CurrentDirectory()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

std::string BaseDirectory()
{
    return WithTrailingBackslash(CurrentDirectory());
}
