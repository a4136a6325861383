#include "catalog/WriteFailures.h"

#include <algorithm>
#include <cstring>

void WriteFailures::Add(std::string path, int error)
{
    m_failures.push_back({std::move(path), error});
}

void WriteFailures::Append(const WriteFailures& other)
{
    m_failures.insert(m_failures.end(), other.m_failures.begin(), other.m_failures.end());
}

std::string WriteFailures::Describe(const Failure& failure)
{
    return failure.path + ": " + std::strerror(failure.error);
}

std::string WriteFailures::Summary() const
{
    if (m_failures.empty())
        return {};
    // The reasons in the order they first came, each with its first path.
    struct Reason
    {
        int error;
        const std::string* path;
        size_t count;
    };
    std::vector<Reason> reasons;
    for (const Failure& failure : m_failures) {
        auto it = std::find_if(reasons.begin(), reasons.end(),
                               [&](const Reason& reason) { return reason.error == failure.error; });
        if (it == reasons.end())
            reasons.push_back({failure.error, &failure.path, 1});
        else
            ++it->count;
    }
    constexpr size_t kReasonsNamed = 3;
    std::string text = std::to_string(m_failures.size()) + (m_failures.size() == 1 ? " file" : " files")
        + " could not be written: ";
    for (size_t i = 0; i < reasons.size() && i < kReasonsNamed; ++i) {
        if (i > 0)
            text += "; ";
        text += std::string(std::strerror(reasons[i].error)) + " (" + *reasons[i].path;
        if (reasons[i].count > 1)
            text += " and " + std::to_string(reasons[i].count - 1) + " more";
        text += ")";
    }
    if (reasons.size() > kReasonsNamed)
        text += "; and " + std::to_string(reasons.size() - kReasonsNamed) + " other reasons";
    return text + ".";
}
