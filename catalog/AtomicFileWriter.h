#pragma once

#include <string>
#include <string_view>

// Writes a file so that it replaces the old one only once it is complete:
// the bytes go to a new temporary file in the same directory, which Commit
// renames over the target. A writer destroyed without Commit, or a write
// that failed, leaves the old file untouched and removes the temporary.
// No fsync: the replacement is atomic, not durable. A target that is an
// empty directory is replaced too; one that is a link is replaced by the
// file, not followed.
class AtomicFileWriter
{
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file (mode 0666 less the umask); false when it
    // cannot be created, and then nothing is written.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }

    // Buffered; an error is remembered and makes Commit fail.
    void Write(std::string_view bytes);

    // Writes what is buffered and renames the temporary over the target.
    // True when the target now holds exactly what was written.
    bool Commit();

    // Drops the temporary file; the target keeps its old content.
    void Abandon();

    const std::string& TemporaryPath() const { return m_tempPath; }
    // The errno of the first failure (of Open, a write or Commit); 0 when
    // nothing failed.
    int Error() const { return m_error; }

private:
    void Flush();

    std::string m_path;
    std::string m_tempPath;
    std::string m_buffer;
    int m_fd = -1;
    bool m_failed = false;
    int m_error = 0;
};

// Removes the temporary files that writers killed before their Commit left
// in the directory (not below it): those of processes that are gone, and
// this process's own, of which none may be open when this is called.
void RemoveStaleTemporaries(const std::string& directory);
