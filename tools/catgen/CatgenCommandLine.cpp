#include "tools/catgen/CatgenCommandLine.h"

#include <charconv>
#include <optional>

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
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const bool takesValue = name == "--out" || name == "--groups" || name == "--items" ||
                                name == "--seed" || name == "--types" || name == "--media-base";
        const bool isFlag = name == "--vary" || name == "--unsafe-ids" || name == "--pictures" ||
                            name == "--help" || name == "-h";
        if (!takesValue && !isFlag)
            return "unknown option '" + args[i] + "'";
        if (isFlag) {
            if (inlineValue)
                return "option '" + name + "' takes no value";
            if (name == "--vary")
                out.options.varyItems = true;
            else if (name == "--unsafe-ids")
                out.options.unsafeIds = true;
            else if (name == "--pictures")
                out.options.pictures = true;
            else
                out.help = true;
            continue;
        }

        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return "option '" + name + "' needs a value";
        }
        const auto bad = [&](const std::string& what) {
            return "bad value '" + value + "' for " + name + ": " + what;
        };

        if (name == "--out") {
            if (value.empty())
                return bad("expected a directory");
            out.options.outDir = value;
            haveOut = true;
        } else if (name == "--groups") {
            const auto n = ParseNumber(value, kMaxGroups);
            if (!n)
                return bad("expected a number from 0 to " + std::to_string(kMaxGroups));
            out.options.groupsPerType = static_cast<int>(*n);
        } else if (name == "--items") {
            const auto n = ParseNumber(value, kMaxItems);
            if (!n)
                return bad("expected a number from 0 to " + std::to_string(kMaxItems));
            out.options.itemsPerGroup = static_cast<int>(*n);
        } else if (name == "--seed") {
            const auto n = ParseNumber(value, ~0ull);
            if (!n)
                return bad("expected a non-negative number");
            out.options.seed = *n;
        } else if (name == "--types") {
            const auto codes = ParseTypes(value);
            if (!codes)
                return bad("expected codes out of " + ContentTypeCodeList(",") +
                           " separated by commas");
            out.options.types = *codes;
        } else {
            if (value.rfind("http://", 0) != 0 && value.rfind("https://", 0) != 0)
                return bad("expected an absolute http address");
            out.options.mediaBase = value;
        }
    }
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
