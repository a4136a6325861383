#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestDir.h"
#include "GifDecoder.h"
#include "TestItem.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/CatgenRandom.h"
#include "tools/catgen/DownloadRenderer.h"
#include "tools/catgen/GifEncoder.h"
#include "tools/catgen/PictureRenderer.h"
#include "tools/catgen/PreviewRenderer.h"

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

} // namespace

TEST(PictureRenderer, EachTypeHasItsSizeAndColoursAndEveryItemItsOwnPicture)
{
    const PictureKind kinds[] = {{1, 72, 14, 2, 2}, {3, 96, 64, 2, 2}, {26, 96, 64, 8, 16}};
    for (const PictureKind& kind : kinds) {
        std::set<std::string> seen;
        for (const char* id : {"10001", "10002", "10003", "99999", "123456789"}) {
            const std::string bytes = RenderPicture(kind.code, TestItem(id));
            EXPECT_EQ(bytes, RenderPicture(kind.code, TestItem(id))) << kind.code << " " << id;
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
    EXPECT_EQ(DecodeGif(RenderPicture(3, TestItem("10001", "Медведь"))).error, "");
    for (const int code : {2, 14, 15, 24, 0})
        EXPECT_EQ(RenderPicture(code, TestItem("10001")), "") << code;
}

namespace {

struct MediaFile
{
    std::string name;     // below media/<type key>/<group directory>/
    std::string address;  // the item's address that names it
    std::string bytes;
};

// The pictures the update fetches and the previews the pages show.
std::vector<MediaFile> ItemMedia(int code, const GeneratedItem& item)
{
    switch (code) {
    case 1:
    case 3: return {{item.id + ".gif", *item.file, RenderPicture(code, item)}};
    case 26: return {{item.id + ".gif", *item.screenbox, RenderPicture(code, item)}};
    case 15:
    case 24: {
        const RenderedPreview preview = RenderPreview(code, item);
        return {{item.id + (code == 15 ? ".jpg" : ".gif"), *item.file, preview.file},
                {item.id + "_s.gif", *item.screenbox, preview.screenbox}};
    }
    default: return {};
    }
}

CatalogGeneratorOptions MediaOptions(const std::filesystem::path& out)
{
    CatalogGeneratorOptions options;
    options.outDir = out;
    options.groupsPerType = 6;
    options.itemsPerGroup = 7;
    options.unsafeIds = true;
    options.pictures = true;
    return options;
}

} // namespace

TEST(CatalogGenerator, MediaGoBelowMediaAtTheAddressPathOfEachItem)
{
    TestDir dir{false};
    const CatalogGeneratorOptions options = MediaOptions(dir.Path());
    const CatalogSummary summary = GenerateCatalog(options);
    const GeneratedCatalog catalog = GenerateCatalogModel(options);

    auto media = ReadTree(dir.Path() / "media");
    long long pictures = 0;
    long long previews = 0;
    long long downloadFiles = 0;
    std::map<std::string, std::string> names;  // names files by type key
    for (const GeneratedType& type : catalog.types) {
        for (const GeneratedGroup& group : type.groups) {
            for (const GeneratedItem& item : group.items) {
                for (const MediaFile& file : ItemMedia(type.code, item)) {
                    ++(HasPreview(type.code) ? previews : pictures);
                    const std::string relative = type.key + "/" + group.directory + "/" + file.name;
                    ASSERT_EQ(media.count(relative), 1u) << relative;
                    EXPECT_EQ(media[relative], file.bytes) << relative;
                    media.erase(relative);
                    // For ids that need no escaping the file's path is the address path.
                    if (group.directory == group.id) {
                        EXPECT_EQ(file.address, std::string(kDefaultMediaBase) + relative);
                    }
                }
                // Every item's download, below downloads/ where no media address leads.
                const RenderedDownload download = RenderDownload(type.code, item);
                const std::string stem = "downloads/" + type.key + "/" + item.id;
                const std::string name = stem + std::string(DownloadFileFormat(type.code).ending);
                ASSERT_EQ(media.count(name), 1u) << name;
                EXPECT_EQ(media[name], download.file) << name;
                media.erase(name);
                ++downloadFiles;
                if (HasDescriptor(type.code)) {
                    EXPECT_EQ(media[stem + ".jad"], download.descriptor);
                    media.erase(stem + ".jad");
                    ++downloadFiles;
                }
                names[type.key] += item.id + "\t" + DownloadFileStem(item) + "\n";
            }
        }
    }
    for (const auto& [key, text] : names) {
        EXPECT_EQ(media["downloads/" + key + "/names.txt"], text) << key;
        media.erase("downloads/" + key + "/names.txt");
    }
    EXPECT_EQ(names.size(), 7u);
    EXPECT_TRUE(media.empty()) << "unexpected file " << media.begin()->first;
    EXPECT_EQ(pictures, 3 * 6 * 7);
    EXPECT_EQ(previews, 2 * 2 * 6 * 7);
    EXPECT_EQ(summary.pictures, pictures);
    EXPECT_EQ(summary.previews, previews);
    EXPECT_EQ(summary.downloads, 7 * 6 * 7);
    EXPECT_EQ(downloadFiles, 8 * 6 * 7);  // a game has two
    // One page a group, and a names file a type.
    EXPECT_EQ(summary.files, 7 + 7 * 6 + pictures + previews + downloadFiles + 7);
}

// The same catalog served from another address has the same media files.
TEST(CatalogGenerator, MediaDoNotDependOnTheMediaBase)
{
    TestDir first{false};
    TestDir second{false};
    GenerateCatalog(MediaOptions(first.Path()));
    CatalogGeneratorOptions moved = MediaOptions(second.Path());
    moved.mediaBase = "http://media.example:8080/shop/media/";
    GenerateCatalog(moved);
    auto files = ReadTree(first.Path() / "media");
    auto movedFiles = ReadTree(second.Path() / "media");
    ASSERT_FALSE(files.empty());
    // Only a game's JAD names an address: that of its JAR, on the other host.
    int descriptors = 0;
    for (auto& [name, bytes] : files) {
        if (!name.ends_with(".jad"))
            continue;
        ++descriptors;
        const auto url = bytes.find("http://127.0.0.1:8642/dl.php");
        ASSERT_NE(url, std::string::npos) << name;
        bytes.replace(url, 21, "http://media.example:8080");
    }
    EXPECT_EQ(descriptors, 6 * 7);
    EXPECT_TRUE(files == movedFiles);
}

// A second opinion from ImageMagick where it is installed.
TEST(CatalogGenerator, PicturesAndPreviewsAreReadableByImageMagick)
{
    if (std::system("identify -version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    TestDir dir{false};
    const RenderedPreview wallpaper = RenderPreview(15, TestItem("12345", "Ocean sunset"));
    const RenderedPreview screensaver = RenderPreview(24, TestItem("12345", "Analog clock"));
    const struct {
        std::string bytes;
        const char* expected;
    } kinds[] = {
        {RenderPicture(1, TestItem("12345")), "GIF 72x14 "},
        {RenderPicture(3, TestItem("12345")), "GIF 96x64 "},
        {RenderPicture(26, TestItem("12345")), "GIF 96x64 "},
        {wallpaper.file, "GIF 128x160 "},
        {wallpaper.screenbox, "GIF 64x80 "},
        {screensaver.file, "GIF 128x128 "},
        {screensaver.screenbox, "GIF 64x64 "},
    };
    int number = 0;
    for (const auto& kind : kinds) {
        const std::filesystem::path path = dir.Path() / (std::to_string(++number) + ".gif");
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_TRUE(file);
        std::fwrite(kind.bytes.data(), 1, kind.bytes.size(), file);
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
