#include "tools/catgen/CatgenCommandLine.h"

#include <charconv>
#include <optional>

#include "tools/cli/LongOptions.h"

namespace {

// Caps that keep a typing error from filling the disk.
constexpr long long kMaxGroups = 100000;
constexpr long long kMaxItems = 1000000;

std::optional<unsigned long long> ParseNumber(const std::string& text, unsigned long long max)
{
    unsigned long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end || value > max)
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> ParseTypes(const std::string& text)
{
    std::vector<int> codes;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        const auto code = ParseNumber(text.substr(start, comma - start), 1000);
        if (!code || ContentTypeKey(static_cast<int>(*code)).empty())
            return std::nullopt;
        codes.push_back(static_cast<int>(*code));
        if (comma == std::string::npos)
            return codes;
        start = comma + 1;
    }
}

} // namespace

std::string ParseCatgenCommandLine(const std::vector<std::string>& args, CatgenCommandLine& out)
{
    out = CatgenCommandLine();
    bool haveOut = false;
    static const std::vector<LongOption> options = {
        {"--out", true},   {"--groups", true}, {"--items", true},      {"--seed", true},
        {"--types", true}, {"--media-base", true}, {"--vary"},        {"--unsafe-ids"},
        {"--pictures"},    {"--help"},         {"-h"},
    };
    const std::string error = ParseLongOptions(args, options, [&](std::string_view name, const std::string& value) {
        if (name == "--vary") {
            out.options.varyItems = true;
        } else if (name == "--unsafe-ids") {
            out.options.unsafeIds = true;
        } else if (name == "--pictures") {
            out.options.pictures = true;
        } else if (name == "--help" || name == "-h") {
            out.help = true;
        } else if (name == "--out") {
            if (value.empty())
                return std::string("expected a directory");
            out.options.outDir = value;
            haveOut = true;
        } else if (name == "--groups") {
            const auto n = ParseNumber(value, kMaxGroups);
            if (!n)
                return "expected a number from 0 to " + std::to_string(kMaxGroups);
            out.options.groupsPerType = static_cast<int>(*n);
        } else if (name == "--items") {
            const auto n = ParseNumber(value, kMaxItems);
            if (!n)
                return "expected a number from 0 to " + std::to_string(kMaxItems);
            out.options.itemsPerGroup = static_cast<int>(*n);
        } else if (name == "--seed") {
            const auto n = ParseNumber(value, ~0ull);
            if (!n)
                return std::string("expected a non-negative number");
            out.options.seed = *n;
        } else if (name == "--types") {
            const auto codes = ParseTypes(value);
            if (!codes)
                return "expected codes out of " + ContentTypeCodeList(",") + " separated by commas";
            out.options.types = *codes;
        } else {
            if (value.rfind("http://", 0) != 0 && value.rfind("https://", 0) != 0)
                return std::string("expected an absolute http address");
            out.options.mediaBase = value;
        }
        return std::string();
    });
    if (!error.empty())
        return error;
    if (!out.help && !haveOut)
        return "missing --out DIR";
    return {};
}

std::string CatgenUsage()
{
    return "Usage: vantory-catgen --out DIR [options]\n"
           "Writes a generated content catalog to DIR/data as the update leaves it.\n"
           "\n"
           "  --out DIR          output directory (required)\n"
           "  --groups N         groups per content type (default 8)\n"
           "  --items N          items per group (default 45)\n"
           "  --vary             vary the item counts per group around N, some groups\n"
           "                     empty, some with more than 100 items\n"
           "  --seed S           random seed (default 1); equal options give equal files\n"
           "  --types 1,2,...    content type codes out of " + ContentTypeCodeList(",") +
           " (default all)\n"
           "  --media-base URL   address of the media files\n"
           "                     (default " + std::string(kDefaultMediaBase) + ")\n"
           "  --unsafe-ids       give some groups ids with ?, *, /, \\ or blanks around them\n"
           "  --pictures         also write DIR/media/<key>/<group>/<id>.gif, a GIF picture\n"
           "                     for every logo, big logo and Java game, and a preview\n"
           "                     with a half-size copy for every wallpaper and screen saver\n"
           "  --help             show this help\n";
}
