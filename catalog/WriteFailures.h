#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The files an update or a rebuild could not write, each with the system's
// reason (an errno value), so that the user is told instead of being shown
// counts as if all was stored.
class WriteFailures
{
public:
    struct Failure
    {
        std::string path;
        int error = 0;
    };

    void Add(std::string path, int error);
    // The failures of another run, after this run's own.
    void Append(const WriteFailures& other);

    bool Empty() const { return m_failures.empty(); }
    size_t Count() const { return m_failures.size(); }
    const std::vector<Failure>& All() const { return m_failures; }

    // "path: reason", the reason as strerror gives it.
    static std::string Describe(const Failure& failure);

    // One sentence for the user: how many files, and why, with one path a
    // reason, e.g. "3 files could not be written: Read-only file system
    // (data/logos/cats.xml and 2 more)." "" when there were none.
    std::string Summary() const;

private:
    std::vector<Failure> m_failures;
};
