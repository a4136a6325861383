#include "updater/UpdateFiles.h"

#include <cstdio>

#include <sys/stat.h>

#include "catalog/AtomicFileWriter.h"

void MakeDirectory(const std::string& path)
{
    ::mkdir(path.c_str(), 0777);
}

bool WriteWholeFile(const std::string& path, std::string_view bytes)
{
    AtomicFileWriter writer;
    if (!writer.Open(path))
        return false;
    writer.Write(bytes);
    return writer.Commit();
}

bool FileExists(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

std::string TrimBlanks(const std::string& id)
{
    const size_t first = id.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const size_t last = id.find_last_not_of(' ');
    return id.substr(first, last - first + 1);
}

bool IsContainedName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('\0') == std::string::npos
        && name.find('/') == std::string::npos;
}
