#include <set>
#include <string>

#include <gtest/gtest.h>

#include "GifDecoder.h"
#include "TestItem.h"
#include "tools/catgen/PreviewRenderer.h"

namespace {

struct PreviewKind
{
    int code;
    int width;
    int height;
};

constexpr PreviewKind kKinds[] = {{15, 128, 160}, {24, 128, 128}};

// A label that asks for each scene, then some that ask for none.
const char* const kLabels[] = {
    "Digital clock", "Analog clock", "New Year fireworks", "Campfire", "Aquarium",
    "Snowfall",      "Star field",   "Galaxy",             "Ocean sunset", "Skyline",
    "Hearts",        "Tulips",       "Mountain lake",      "Swirl",    "Neon",
    "Mosaic",        "Lucky star",   "Bubbles",            "Tiger",    "Медведь",
};

} // namespace

// Every scene at both sizes, decoded by an independent reader: the
// screenbox copy is the same picture at half size, and every item its own.
TEST(PreviewRenderer, EverySceneGivesAPictureOfItsTypesSizeAndAHalfSizeCopy)
{
    for (const PreviewKind& kind : kKinds) {
        for (const char* label : kLabels) {
            std::set<std::string> seen;
            for (const char* id : {"10001", "10002", "987654321"}) {
                const std::string name = std::to_string(kind.code) + " " + label + " " + id;
                const RenderedPreview preview = RenderPreview(kind.code, TestItem(id, label));
                EXPECT_TRUE(seen.insert(preview.file).second) << name << " repeats";
                // Small, as a page shows dozens of them at once.
                EXPECT_GE(preview.file.size(), 500u) << name;
                EXPECT_LE(preview.file.size(), 20000u) << name;

                const DecodedGif file = DecodeGif(preview.file);
                const DecodedGif box = DecodeGif(preview.screenbox);
                ASSERT_EQ(file.error, "") << name;
                ASSERT_EQ(box.error, "") << name;
                EXPECT_EQ(file.width, kind.width) << name;
                EXPECT_EQ(file.height, kind.height) << name;
                ASSERT_EQ(box.width, kind.width / 2) << name;
                ASSERT_EQ(box.height, kind.height / 2) << name;
                EXPECT_EQ(box.palette, file.palette) << name;
                for (int y = 0; y < box.height; ++y)
                    for (int x = 0; x < box.width; ++x)
                        ASSERT_EQ(box.pixels[static_cast<std::size_t>(y * box.width + x)],
                                  file.pixels[static_cast<std::size_t>(2 * y * file.width + 2 * x)])
                            << name << " at " << x << "," << y;
                const std::set<std::uint8_t> used(file.pixels.begin(), file.pixels.end());
                EXPECT_GE(used.size(), 5u) << name << ": a picture, not a flat field";
                EXPECT_LE(file.palette.size(), 64u) << name;
            }
        }
    }
}

// What a scene draws varies with the item (how many fish, which hour), so
// many items of each scene make sure none runs out of colours or throws.
TEST(PreviewRenderer, ManyItemsOfEverySceneRender)
{
    for (const PreviewKind& kind : kKinds)
        for (const char* label : kLabels)
            for (int id = 20000; id < 20060; ++id)
                ASSERT_NO_THROW(RenderPreview(kind.code, TestItem(std::to_string(id), label)))
                    << kind.code << " " << label << " " << id;
}

TEST(PreviewRenderer, DependsOnTheItemsIdAndLabelAlone)
{
    const GeneratedItem plain = TestItem("31415", "Morning mist");
    GeneratedItem dressed = plain;
    dressed.author = "Somebody";
    dressed.desc = "<b>New!</b> & more";
    dressed.urlDownload = "http://elsewhere:1/dl.php?t=15&id=31415";
    dressed.file = "http://elsewhere:1/media/wallpapers/7/31415.jpg";
    dressed.screenbox = "http://elsewhere:1/media/wallpapers/7/31415_s.gif";
    for (const PreviewKind& kind : kKinds) {
        const RenderedPreview first = RenderPreview(kind.code, plain);
        const RenderedPreview second = RenderPreview(kind.code, dressed);
        EXPECT_EQ(first.file, second.file) << kind.code;
        EXPECT_EQ(first.screenbox, second.screenbox) << kind.code;
        EXPECT_NE(first.file, RenderPreview(kind.code, TestItem("31416", "Morning mist")).file);
    }
    for (const int code : {1, 2, 3, 14, 26, 0}) {
        const RenderedPreview none = RenderPreview(code, plain);
        EXPECT_EQ(none.file, "") << code;
        EXPECT_EQ(none.screenbox, "") << code;
    }
}
