#include "app/startup/WorkingDirectorySeed.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The names of the files shipped for the working directory, relative to
// the shared directory and to the working directory alike.
const char* const kSeededEntries[] = {"tpl", "hint.js"};
constexpr char kSampleCatalog[] = "sample/data";
constexpr char kCatalog[] = "data";

bool IsMissing(const fs::path& path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() == fs::file_type::not_found;
}

// A name beside `path` that no other start running at the same time uses.
fs::path PartName(const fs::path& path)
{
    fs::path part = path;
    part += ".part-" + std::to_string(::getpid());
    return part;
}

class Seeder
{
public:
    Seeder(const fs::path& shared, const fs::path& target) : m_shared(shared), m_target(target) {}

    SeedResult Run()
    {
        for (const char* entry : kSeededEntries)
            if (m_result.error.empty())
                AddMissing(entry);
        if (m_result.error.empty())
            AddCatalog();
        return m_result;
    }

private:
    bool Fail(const std::string& what, const fs::path& path, const std::error_code& error)
    {
        m_result.error = "cannot " + what + " " + path.string() + ": " + error.message();
        return false;
    }

    // The file or the tree `relative`, as far as the target lacks it.
    void AddMissing(const fs::path& relative)
    {
        std::error_code error;
        const fs::path from = m_shared / relative;
        const fs::file_type type = fs::status(from, error).type();
        if (type == fs::file_type::regular)
            CopyFile(from, m_target / relative);
        else if (type == fs::file_type::directory)
            CopyTree(relative);
    }

    void CopyTree(const fs::path& relative)
    {
        const fs::path from = m_shared / relative;
        const fs::path to = m_target / relative;
        std::error_code error;
        fs::create_directories(to, error);
        if (error) {
            Fail("make", to, error);
            return;
        }
        for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error))
            if (m_result.error.empty())
                AddMissing(relative / it->path().filename());
        if (error && m_result.error.empty())
            Fail("read", from, error);
    }

    void CopyFile(const fs::path& from, const fs::path& to)
    {
        if (!IsMissing(to))
            return;
        std::error_code error;
        const fs::path part = PartName(to);
        if (!fs::copy_file(from, part, fs::copy_options::overwrite_existing, error) && error) {
            Fail("copy", from, error);
            fs::remove(part, error);
            return;
        }
        fs::rename(part, to, error);
        if (error) {
            Fail("write", to, error);
            fs::remove(part, error);
            return;
        }
        ++m_result.filesAdded;
    }

    void AddCatalog()
    {
        const fs::path from = m_shared / kSampleCatalog;
        const fs::path to = m_target / kCatalog;
        std::error_code error;
        if (!IsMissing(to) || !fs::is_directory(from, error))
            return;
        const fs::path part = PartName(to);
        fs::copy(from, part, fs::copy_options::recursive, error);
        if (!error)
            fs::rename(part, to, error);
        if (!error) {
            m_result.catalogAdded = true;
            return;
        }
        std::error_code ignored;
        fs::remove_all(part, ignored);
        // Another start that ran at the same time may have put its copy there first.
        if (IsMissing(to))
            Fail("copy the sample catalog to", to, error);
    }

    const fs::path m_shared;
    const fs::path m_target;
    SeedResult m_result;
};

} // namespace

SeedResult SeedWorkingDirectory(const fs::path& shared, const fs::path& target)
{
    return Seeder(shared, target).Run();
}
