#include "tools/catgen/PictureRenderer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "catalog/ContentTypeTable.h"
#include "tools/catgen/CanvasShapes.h"
#include "tools/catgen/CatgenTypeTable.h"
#include "tools/catgen/CatgenRandom.h"
#include "tools/catgen/GifEncoder.h"
#include "tools/catgen/PixelCanvas.h"

namespace {

// A picture depends on its item alone, so it is seeded from the id.
CatgenRandom ItemRandom(int typeCode, const GeneratedItem& item)
{
    return CatgenRandom::ForText(item.id, static_cast<std::uint64_t>(typeCode));
}

// The first word of the label in capitals, as the 3 x 5 font can show it.
std::string LabelWord(std::string_view lib, std::size_t maxLength)
{
    std::string word;
    for (const char c : lib) {
        if (c >= 'a' && c <= 'z')
            word += static_cast<char>(c - 'a' + 'A');
        else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            word += c;
        else if (!word.empty())
            break;
        if (word.size() == maxLength)
            break;
    }
    return word;
}

} // namespace

std::string RenderLogo(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = ItemRandom(typeCode, item);
    constexpr std::uint8_t paper = 0;
    constexpr std::uint8_t ink = 1;
    PixelCanvas canvas(72, 14, paper);
    DrawShape(canvas, PickShape(random), 1, 1, 12, ink, paper);
    const int end = canvas.DrawText(16, 2, item.id.substr(0, 5), 2, ink);
    // An equaliser of bars fills what the id leaves free.
    for (int x = end; x + 2 <= 71; x += 3) {
        const int height = random.Between(2, 12);
        canvas.FillRect(x, 13 - height, 2, height, ink);
    }
    return EncodeGif(72, 14, canvas.Pixels(), {{199, 219, 176}, {28, 40, 28}});
}

std::string RenderBigLogo(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = ItemRandom(typeCode, item);
    constexpr std::uint8_t paper = 0;
    constexpr std::uint8_t ink = 1;
    PixelCanvas canvas(96, 64, paper);
    canvas.FrameRect(0, 0, 96, 64, ink);
    DrawShape(canvas, PickShape(random), 5, 6, 36, ink, paper);
    canvas.DrawText(46, 8, item.id.substr(0, 6), 2, ink);
    const std::string word = LabelWord(item.lib, 6);
    if (!word.empty()) {
        canvas.DrawText(46, 24, word, 2, ink);
    } else {  // a label in another script: a row of small symbols instead
        for (int k = 0; k < 3; ++k)
            DrawShape(canvas, PickShape(random), 46 + k * 16, 24, 12, ink, paper);
    }

    // A band along the bottom: waves, checks or stripes.
    const std::uint32_t band = random.Below(3);
    for (int x = 2; x < 94; ++x)
        for (int y = 48; y < 61; ++y) {
            bool on = false;
            if (band == 0)
                on = std::abs((y - 48) - ((x / 3) % 8 < 4 ? (x / 3) % 4 : 3 - (x / 3) % 4) * 3) <= 1;
            else if (band == 1)
                on = ((x / 4) + (y - 48) / 4) % 2 == 0;
            else
                on = (x + y) % 6 < 2;
            if (on)
                canvas.Set(x, y, ink);
        }
    return EncodeGif(96, 64, canvas.Pixels(), {{255, 255, 255}, {0, 0, 0}});
}

namespace {

namespace colour {
constexpr std::uint8_t kBlack = 0, kWhite = 1, kSky = 2, kLightSky = 3, kNight = 4,
                       kOrange = 5, kRed = 6, kPurple = 7, kYellow = 8, kGreen = 9,
                       kDarkGreen = 10, kBrown = 11, kGrey = 12, kPink = 13, kCyan = 14,
                       kTan = 15;
}

const std::vector<GifColour>& GamePalette()
{
    static const std::vector<GifColour> palette = {
        {0, 0, 0},      {255, 255, 255}, {72, 144, 248}, {160, 208, 255},
        {24, 24, 96},   {248, 152, 32},  {216, 40, 40},  {128, 56, 176},
        {248, 224, 56}, {72, 192, 72},   {24, 112, 40},  {136, 80, 32},
        {128, 128, 128}, {248, 136, 192}, {64, 224, 224}, {224, 192, 136},
    };
    return palette;
}

} // namespace

std::string RenderGameScreen(int typeCode, const GeneratedItem& item)
{
    using namespace colour;
    CatgenRandom random = ItemRandom(typeCode, item);
    PixelCanvas canvas(96, 64, kBlack);

    // Sky in bands, by the time of day of the level.
    const std::uint8_t skies[3][4] = {
        {kSky, kSky, kLightSky, kLightSky},
        {kPurple, kRed, kOrange, kYellow},
        {kBlack, kNight, kNight, kPurple},
    };
    const std::uint32_t time = random.Below(3);
    for (int band = 0; band < 4; ++band)  // 8 to 46, where the ground starts
        canvas.FillRect(0, 8 + band * 10, 96, band == 3 ? 8 : 10, skies[time][band]);
    canvas.FillCircle(random.Between(12, 84), random.Between(14, 22), 5,
                      time == 2 ? kWhite : kYellow);

    // Hills behind, ground and bricks in front.
    const std::uint8_t hill = time == 2 ? kPurple : (random.Percent(50) ? kGreen : kDarkGreen);
    for (int x = -10; x < 96; x += random.Between(22, 34)) {
        const int peak = random.Between(22, 36);
        canvas.FillPolygon({{x, 46}, {x + 16, peak}, {x + 32, 46}}, hill);
    }
    const std::uint8_t ground = random.Percent(50) ? kBrown : kTan;
    canvas.FillRect(0, 46, 96, 18, ground);
    canvas.FillRect(0, 46, 96, 2, kGreen);
    for (int y = 51; y < 64; y += 5) {
        canvas.FillRect(0, y, 96, 1, kBlack);
        for (int x = (y / 5) % 2 * 4; x < 96; x += 8)
            canvas.FillRect(x, y - 4, 1, 4, kBlack);
    }

    // Platforms with coins above them.
    for (int p = 0; p < 2; ++p) {
        const int px = random.Between(4 + p * 46, 30 + p * 46);
        const int py = random.Between(28, 38);
        canvas.FillRect(px, py, 16, 4, kGrey);
        canvas.FrameRect(px, py, 16, 4, kBlack);
        for (int c = 0; c < 3; ++c)
            canvas.FillCircle(px + 3 + c * 5, py - 4, 1, kYellow);
    }

    // The hero and an enemy on the ground.
    const std::uint8_t shirt = random.Percent(50) ? kRed : kCyan;
    const int hx = random.Between(6, 40);
    canvas.FillRect(hx, 38, 6, 5, shirt);
    canvas.FillRect(hx + 1, 34, 4, 4, kPink);
    canvas.FillRect(hx, 43, 2, 3, kNight);
    canvas.FillRect(hx + 4, 43, 2, 3, kNight);
    const int ex = random.Between(56, 86);
    canvas.FillCircle(ex, 42, 4, kPurple);
    canvas.Set(ex - 2, 41, kWhite);
    canvas.Set(ex + 2, 41, kWhite);

    // The status line: the item id as the score and some lives.
    canvas.FillRect(0, 0, 96, 8, kBlack);
    canvas.DrawText(2, 1, "1UP", 1, kYellow);
    canvas.DrawText(20, 1, item.id.substr(0, 8), 1, kWhite);
    const int lives = random.Between(1, 4);
    for (int l = 0; l < lives; ++l)
        canvas.FillRect(90 - l * 6, 2, 4, 4, kRed);
    return EncodeGif(96, 64, canvas.Pixels(), GamePalette());
}

bool HasPicture(int typeCode)
{
    const ContentTypeInfo* type = FindContentType(typeCode);
    return type && type->HasMediaFiles();
}

std::string RenderPicture(int typeCode, const GeneratedItem& item)
{
    const CatgenTypeTraits* traits = FindCatgenTraits(typeCode);
    return traits && traits->picture ? traits->picture(typeCode, item) : std::string();
}

std::filesystem::path PictureRelativePath(const GeneratedType& type, const GeneratedGroup& group,
                                          const GeneratedItem& item)
{
    return std::filesystem::path("media") / type.key / group.directory / (item.id + ".gif");
}
