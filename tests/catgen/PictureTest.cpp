#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CatgenTestFiles.h"
#include "GifDecoder.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/CatgenRandom.h"
#include "tools/catgen/GifEncoder.h"
#include "tools/catgen/PictureRenderer.h"

namespace {

struct EncodeCase
{
    const char* name;
    int width;
    int height;
    int colours;
    int pattern;  // 0 one colour, 1 stripes, 2 noise
};

std::vector<std::uint8_t> MakePixels(const EncodeCase& c)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(c.width * c.height));
    CatgenRandom random(42, static_cast<std::uint64_t>(c.colours));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto x = static_cast<int>(i) % c.width;
        if (c.pattern == 1)
            pixels[i] = static_cast<std::uint8_t>((x / 3) % c.colours);
        else if (c.pattern == 2)
            pixels[i] = static_cast<std::uint8_t>(random.Below(static_cast<std::uint32_t>(c.colours)));
    }
    return pixels;
}

} // namespace

// The encoder against an independent decoder, over the code width changes
// and the dictionary resets that noise forces.
TEST(GifEncoder, DecodesToThePixelsAndColoursGiven)
{
    const EncodeCase cases[] = {
        {"single pixel", 1, 1, 2, 0},
        {"flat two colours", 72, 14, 2, 0},
        {"stripes two colours", 72, 14, 2, 1},
        {"three colours padded to four", 17, 9, 3, 1},
        {"noise sixteen colours", 96, 64, 16, 2},
        {"noise 256 colours, many resets", 160, 120, 256, 2},
        {"noise two colours, long", 400, 300, 2, 2},
    };
    for (const EncodeCase& c : cases) {
        std::vector<GifColour> palette;
        for (int i = 0; i < c.colours; ++i)
            palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(i * 7)});
        const std::vector<std::uint8_t> pixels = MakePixels(c);
        const DecodedGif gif = DecodeGif(EncodeGif(c.width, c.height, pixels, palette));
        ASSERT_EQ(gif.error, "") << c.name;
        EXPECT_EQ(gif.width, c.width) << c.name;
        EXPECT_EQ(gif.height, c.height) << c.name;
        EXPECT_TRUE(gif.pixels == pixels) << c.name;
        ASSERT_GE(gif.palette.size(), palette.size()) << c.name;
        EXPECT_EQ(gif.palette.size() & (gif.palette.size() - 1), 0u) << c.name;
        EXPECT_EQ(gif.palette[static_cast<std::size_t>(c.colours - 1)],
                  static_cast<std::uint32_t>((c.colours - 1) << 16 | (256 - c.colours) << 8 |
                                             ((c.colours - 1) * 7 & 0xFF)))
            << c.name;
    }
}

TEST(GifEncoder, RefusesWhatItCannotWrite)
{
    const std::vector<GifColour> two = {{}, {255, 255, 255}};
    EXPECT_THROW(EncodeGif(0, 1, {}, two), std::invalid_argument);
    EXPECT_THROW(EncodeGif(2, 2, {0, 0, 0}, two), std::invalid_argument);
    EXPECT_THROW(EncodeGif(1, 1, {2}, two), std::invalid_argument);
    EXPECT_THROW(EncodeGif(1, 1, {0}, {{}}), std::invalid_argument);
}

namespace {

struct PictureKind
{
    int code;
    int width;
    int height;
    std::size_t minColours;  // distinct colours the picture uses at least
    std::size_t maxColours;
};

GeneratedItem Item(const std::string& id, const std::string& lib = "Lucky Star")
{
    GeneratedItem item;
    item.id = id;
    item.lib = lib;
    return item;
}

} // namespace

TEST(PictureRenderer, EachTypeHasItsSizeAndColoursAndEveryItemItsOwnPicture)
{
    const PictureKind kinds[] = {{1, 72, 14, 2, 2}, {3, 96, 64, 2, 2}, {26, 96, 64, 8, 16}};
    for (const PictureKind& kind : kinds) {
        std::set<std::string> seen;
        for (const char* id : {"10001", "10002", "10003", "99999", "123456789"}) {
            const std::string bytes = RenderPicture(kind.code, Item(id));
            EXPECT_EQ(bytes, RenderPicture(kind.code, Item(id))) << kind.code << " " << id;
            EXPECT_TRUE(seen.insert(bytes).second) << kind.code << " " << id << " repeats";
            EXPECT_GE(bytes.size(), 100u);
            EXPECT_LE(bytes.size(), 5000u);

            const DecodedGif gif = DecodeGif(bytes);
            ASSERT_EQ(gif.error, "") << kind.code << " " << id;
            EXPECT_EQ(gif.width, kind.width);
            EXPECT_EQ(gif.height, kind.height);
            const std::set<std::uint8_t> used(gif.pixels.begin(), gif.pixels.end());
            EXPECT_GE(used.size(), kind.minColours) << kind.code << " " << id;
            EXPECT_LE(used.size(), kind.maxColours) << kind.code << " " << id;
        }
    }
    // A label in a script the picture font lacks still gives a picture.
    EXPECT_EQ(DecodeGif(RenderPicture(3, Item("10001", "Медведь"))).error, "");
    for (const int code : {2, 14, 15, 24, 0})
        EXPECT_EQ(RenderPicture(code, Item("10001")), "") << code;
}

TEST(CatalogGenerator, PicturesGoBelowMediaAtTheAddressPathOfEachItem)
{
    TempDir dir;
    CatalogGeneratorOptions options;
    options.outDir = dir.Path();
    options.groupsPerType = 6;
    options.itemsPerGroup = 7;
    options.unsafeIds = true;
    options.pictures = true;
    const CatalogSummary summary = GenerateCatalog(options);
    const GeneratedCatalog catalog = GenerateCatalogModel(options);

    auto media = ReadTree(dir.Path() / "media");
    long long pictures = 0;
    for (const GeneratedType& type : catalog.types) {
        for (const GeneratedGroup& group : type.groups) {
            for (const GeneratedItem& item : group.items) {
                if (!HasPicture(type.code))
                    continue;
                ++pictures;
                const std::string relative = type.key + "/" + group.directory + "/" + item.id + ".gif";
                ASSERT_EQ(media.count(relative), 1u) << relative;
                EXPECT_EQ(media[relative], RenderPicture(type.code, item)) << relative;
                media.erase(relative);
                // For ids that need no escaping the file's path is the address path.
                const std::string& address = type.code == 26 ? *item.screenbox : *item.file;
                if (group.directory == group.id) {
                    EXPECT_EQ(address, std::string(kDefaultMediaBase) + relative);
                }
            }
        }
    }
    EXPECT_TRUE(media.empty()) << "unexpected picture " << media.begin()->first;
    EXPECT_EQ(summary.pictures, pictures);
    EXPECT_EQ(pictures, 3 * 6 * 7);
    EXPECT_EQ(summary.files, 7 + 7 * 6 + pictures);  // one page a group
}

// A second opinion from ImageMagick where it is installed.
TEST(CatalogGenerator, PicturesAreReadableByImageMagick)
{
    if (std::system("identify -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    TempDir dir;
    const struct {
        int code;
        const char* expected;
    } kinds[] = {{1, "GIF 72x14 "}, {3, "GIF 96x64 "}, {26, "GIF 96x64 "}};
    for (const auto& kind : kinds) {
        const std::filesystem::path path = dir.Path() / (std::to_string(kind.code) + ".gif");
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(file);
        const std::string bytes = RenderPicture(kind.code, Item("12345"));
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);

        std::FILE* pipe = ::popen(("identify '" + path.string() + "' 2>&1").c_str(), "r");
        ASSERT_TRUE(pipe);
        char line[512] = {};
        const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
        EXPECT_EQ(::pclose(pipe), 0) << line;
        ASSERT_TRUE(read);
        EXPECT_NE(std::string(line).find(kind.expected), std::string::npos) << line;
    }
}
