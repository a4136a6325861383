#include "updater/UpdateFiles.h"

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>

#include "catalog/AtomicFileWriter.h"

int MakeDirectory(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) == 0 || errno == EEXIST)
        return 0;
    return errno;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, int* error)
{
    AtomicFileWriter writer;
    if (writer.Open(path)) {
        writer.Write(bytes);
        if (writer.Commit())
            return true;
    }
    if (error)
        *error = writer.Error();
    return false;
}

bool FileExists(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

bool IsContainedName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('\0') == std::string::npos
        && name.find('/') == std::string::npos;
}
