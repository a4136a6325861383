#pragma once

#include <string>
#include <string_view>

// Writes a file so that it replaces the old one only once it is complete:
// the bytes go to a new temporary file in the same directory, which Commit
// renames over the target. A writer destroyed without Commit, or a write
// that failed, leaves the old file untouched and removes the temporary.
// No fsync: the replacement is atomic, not durable.
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

private:
    void Flush();

    std::string m_path;
    std::string m_tempPath;
    std::string m_buffer;
    int m_fd = -1;
    bool m_failed = false;
};
