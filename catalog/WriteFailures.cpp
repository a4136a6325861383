#include "catalog/WriteFailures.h"

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
