#include "tools/contentserver/DownloadShelf.h"

#include <cstdio>

#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/DownloadRenderer.h"
#include "tools/contentserver/ContentDisposition.h"
#include "tools/contentserver/UpdateQuery.h"

namespace {

constexpr std::size_t kMaxIdDigits = 18;

ContentStore::Answer Refused(int status, std::string note)
{
    ContentStore::Answer answer;
    answer.status = status;
    answer.body = (status == 400 ? "Bad request: " : "Not found: ") + note + "\n";
    answer.note = std::move(note);
    return answer;
}

// Only digits ever reach a file name, so no id can leave the directory.
bool IsItemId(const std::string& id)
{
    if (id.empty() || id.size() > kMaxIdDigits)
        return false;
    for (const char c : id)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool ReadFile(const std::filesystem::path& path, std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char buffer[16384];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, n);
    const bool read = !std::ferror(file);
    std::fclose(file);
    return read;
}

} // namespace

DownloadShelf::DownloadShelf(std::filesystem::path contentDir) : m_dir(std::move(contentDir)) {}

ContentStore::Answer DownloadShelf::Fetch(const DownloadQuery& query)
{
    const std::optional<int> code = query.type ? ParseQueryNumber(*query.type) : std::nullopt;
    if (!code)
        return Refused(400, "type '" + query.type.value_or("") + "' is not a number");
    const std::string_view key = ContentTypeKey(*code);
    if (key.empty())
        return Refused(404, "unknown type " + std::to_string(*code));
    if (!query.id || !IsItemId(*query.id))
        return Refused(400, "item id '" + query.id.value_or("") + "' is not a number");

    const std::string form = query.form.value_or("");
    const bool descriptor = form == "jad" && HasDescriptor(*code);
    if (!descriptor && !form.empty() && !(form == "jar" && HasDescriptor(*code)))
        return Refused(404, "no form '" + form + "' for type " + std::to_string(*code));
    const DownloadFormat format = descriptor ? kDescriptorFormat : DownloadFileFormat(*code);

    ContentStore::Answer answer;
    if (!ReadFile(m_dir / DownloadRelativePath(key, *query.id, format.ending), answer.body))
        return Refused(404, "no download of item " + *query.id + " in type " +
                                std::to_string(*code));
    answer.status = 200;
    answer.contentType = std::string(format.contentType);
    answer.disposition = AttachmentDisposition(FileStem(*code, *query.id) + std::string(format.ending));
    return answer;
}

std::string DownloadShelf::FileStem(int code, const std::string& id)
{
    const std::filesystem::path path = m_dir / DownloadNamesRelativePath(ContentTypeKey(code));
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    const auto size = error ? 0 : std::filesystem::file_size(path, error);

    std::lock_guard lock(m_mutex);
    Names& names = m_names[code];
    if (!error && (names.time != time || names.size != size)) {
        names = Names();
        std::string text;
        if (ReadFile(path, text)) {
            names.time = time;
            names.size = size;
            for (std::size_t start = 0; start < text.size();) {
                auto end = text.find('\n', start);
                if (end == std::string::npos)
                    end = text.size();
                const std::string_view line(text.data() + start, end - start);
                const auto tab = line.find('\t');
                if (tab != std::string_view::npos)
                    names.stems.emplace(line.substr(0, tab), line.substr(tab + 1));
                start = end + 1;
            }
        }
    }
    const auto found = names.stems.find(id);
    // A file without a name in the list still gets one.
    return found != names.stems.end() ? found->second : id;
}
