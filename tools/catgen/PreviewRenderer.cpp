#include "tools/catgen/PreviewRenderer.h"

#include <vector>

#include "tools/catgen/CatgenTypeTable.h"
#include "tools/catgen/ClockScenes.h"
#include "tools/catgen/GifEncoder.h"
#include "tools/catgen/LandscapeScenes.h"
#include "tools/catgen/NightScenes.h"
#include "tools/catgen/PatternScenes.h"
#include "tools/catgen/SceneKit.h"

namespace {

struct SceneStyle
{
    void (*draw)(Scene&);
    unsigned schemes;  // SceneScheme bits it looks good in
};

constexpr unsigned kAnyScheme = ~0u;
constexpr SceneStyle kMountains = {DrawMountains,
                                   kDusk | kDay | kSunset | kMint | kGold | kIce | kViolet};
constexpr SceneStyle kBeach = {DrawBeach, kDusk | kSunset | kRose | kGold | kViolet};
constexpr SceneStyle kCity = {DrawCity, kDusk | kNight | kSunset | kViolet};
constexpr SceneStyle kFlowers = {DrawFlowers, kDay | kMint | kGold | kRose};
constexpr SceneStyle kSnow = {DrawSnow, kNight | kIce | kViolet | kDusk};
constexpr SceneStyle kUnderwater = {DrawUnderwater, kDay | kMint | kNight | kIce};
constexpr SceneStyle kHearts = {DrawHearts, kRose | kViolet | kSunset | kDusk};
constexpr SceneStyle kRings = {DrawRings, kAnyScheme};
constexpr SceneStyle kStripes = {DrawStripes, kAnyScheme};
constexpr SceneStyle kMosaic = {DrawMosaic, kAnyScheme};
constexpr SceneStyle kRays = {DrawRays, kAnyScheme};
constexpr SceneStyle kBubbles = {DrawBubbles, kAnyScheme};
constexpr SceneStyle kSpace = {DrawSpace, kNight | kViolet | kDusk | kMint};
constexpr SceneStyle kStarField = {DrawStarField, kNight | kViolet | kIce};
constexpr SceneStyle kFireworks = {DrawFireworks, kNight | kViolet | kDusk};
constexpr SceneStyle kCampfire = {DrawCampfire, kNight | kDusk | kViolet};
constexpr SceneStyle kAnalogClock = {DrawAnalogClock, kAnyScheme};
constexpr SceneStyle kDigitalClock = {DrawDigitalClock, kNight | kViolet | kMint | kDusk | kIce};

// The words that ask for each scene, their ASCII letters in lower case.
// The first word found in the label picks the scene, so the more telling
// words come first ("ocean waves" is a beach, "waves" alone a pattern).
struct SceneWords
{
    const SceneStyle* style;
    std::vector<std::string_view> words;
};

const std::vector<SceneWords>& WordsOfScenes()
{
    static const std::vector<SceneWords> table = {
        {&kDigitalClock, {"digital", "countdown"}},
        {&kAnalogClock, {"clock", "hourglass"}},
        {&kFireworks, {"firework", "rocket", "sparkl", "new year", "golden rain", "disco"}},
        {&kCampfire, {"campfire", "flame", "fire", "phoenix", "dragon"}},
        {&kUnderwater, {"fish", "coral", "jelly", "aquarium", "dolphin"}},
        {&kSnow, {"snow", "winter", "ski", "Снеж", "Метел", "Зимн"}},
        {&kStarField, {"star field", "meteor", "matrix", "Étoile"}},
        {&kSpace,
         {"nebula", "galaxy", "planet", "moon", "comet", "aurora", "northern lights", "earth",
          "space", "voie lact", "nuit"}},
        {&kBeach,
         {"ocean", "beach", "lagoon", "palm", "surf", "sunset", "dune", "sailing", "côte"}},
        {&kCity, {"skyline", "night lights", "old town", "bridge", "harbour", "gate", "京都"}},
        {&kHearts, {"heart", "love", "kiss", "roses", "candle", "cupid"}},
        {&kFlowers,
         {"tulip", "rose", "orchid", "blossom", "lotus", "sunflower", "butterfl", "spring",
          "summer field", "meadow", "lavande", "桜"}},
        {&kMountains,
         {"mountain", "lake", "fjord", "glacier", "waterfall", "sunrise", "mist", "forest",
          "blue hour", "vignoble", "château", "富士"}},
        {&kRings, {"swirl", "waves", "spiral", "tunnel", "plasma", "pulse", "fractal"}},
        {&kStripes, {"neon", "prism", "rainbow", "graffiti"}},
        {&kMosaic, {"mosaic", "stained glass", "kaleidoscope", "watercolour"}},
        {&kRays, {"star", "goal", "smiley", "sketch"}},
        {&kBubbles, {"bubble", "ball", "rain", "lava lamp"}},
    };
    return table;
}

// Scenes for labels that name none: what the type's shops would show.
using Scenes = std::vector<const SceneStyle*>;

const Scenes& WallpaperScenes()
{
    static const Scenes scenes = {
        &kMountains, &kBeach, &kCity,    &kFlowers, &kUnderwater, &kHearts,
        &kSpace,     &kRings, &kStripes, &kMosaic,  &kRays,       &kBubbles};
    return scenes;
}

const Scenes& ScreensaverScenes()
{
    static const Scenes scenes = {
        &kAnalogClock, &kDigitalClock, &kSnow,  &kStarField, &kFireworks, &kCampfire,
        &kUnderwater,  &kHearts,       &kRings, &kRays,      &kBubbles,   &kSpace};
    return scenes;
}

const SceneStyle& PickScene(const Scenes& fallback, std::string_view label, CatgenRandom& random)
{
    std::string lower(label);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const SceneWords& scene : WordsOfScenes())
        for (const std::string_view word : scene.words)
            if (lower.find(word) != std::string::npos)
                return *scene.style;
    return *random.Pick(fallback);
}

struct DrawnScene
{
    PixelCanvas canvas;
    PreviewPalette palette;
};

// The item's scene at any size: the same scene and colours at every size,
// since they are drawn from the item's id before anything is painted.
DrawnScene DrawScene(int typeCode, const GeneratedItem& item, int width, int height,
                     const Scenes& fallback)
{
    CatgenRandom random = CatgenRandom::ForText(item.id, static_cast<std::uint64_t>(typeCode));
    const SceneStyle& style = PickScene(fallback, item.lib, random);
    DrawnScene drawn{PixelCanvas(width, height, 0), PreviewPalette()};
    Scene scene{drawn.canvas, drawn.palette, random, PickColours(random, item.lib, style.schemes)};
    style.draw(scene);
    return drawn;
}

RenderedPreview RenderScene(int typeCode, const GeneratedItem& item, int height,
                            const Scenes& fallback)
{
    const DrawnScene drawn = DrawScene(typeCode, item, 128, height, fallback);
    const PixelCanvas half = drawn.canvas.Halved();
    const auto& colours = drawn.palette.Colours();
    return {EncodeGif(drawn.canvas.Width(), drawn.canvas.Height(), drawn.canvas.Pixels(), colours),
            EncodeGif(half.Width(), half.Height(), half.Pixels(), colours)};
}

std::uint8_t BrightestColour(const std::vector<GifColour>& colours)
{
    std::size_t best = 0;
    const auto light = [](const GifColour& c) { return c.red + c.green + c.blue; };
    for (std::size_t i = 1; i < colours.size(); ++i)
        if (light(colours[i]) > light(colours[best]))
            best = i;
    return static_cast<std::uint8_t>(best);
}

// A flash over the scene: the rectangle around a sparkle at (x, y).
GifFrame SparkleFrame(const PixelCanvas& scene, int x, int y, int arm, std::uint8_t colour)
{
    PixelCanvas lit = scene;
    Sparkle(lit, x, y, arm, colour);
    GifFrame frame;
    frame.x = x - arm;
    frame.y = y - arm;
    frame.width = frame.height = 2 * arm + 1;
    frame.delay = 25;
    frame.restore = true;
    for (int row = frame.y; row < frame.y + frame.height; ++row)
        for (int column = frame.x; column < frame.x + frame.width; ++column)
            frame.pixels.push_back(lit.At(column, row));
    return frame;
}

} // namespace

bool HasPreview(int typeCode)
{
    const CatgenTypeTraits* traits = FindCatgenTraits(typeCode);
    return traits && traits->preview;
}

RenderedPreview RenderPreview(int typeCode, const GeneratedItem& item)
{
    const CatgenTypeTraits* traits = FindCatgenTraits(typeCode);
    return traits && traits->preview ? traits->preview(typeCode, item) : RenderedPreview();
}

RenderedPreview RenderWallpaperPreview(int typeCode, const GeneratedItem& item)
{
    return RenderScene(typeCode, item, 160, WallpaperScenes());
}

RenderedPreview RenderScreensaverPreview(int typeCode, const GeneratedItem& item)
{
    return RenderScene(typeCode, item, 128, ScreensaverScenes());
}

std::filesystem::path MediaRelativePath(const GeneratedType& type, const GeneratedGroup& group,
                                        std::string_view address)
{
    const auto slash = address.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? address : address.substr(slash + 1);
    return std::filesystem::path("media") / type.key / group.directory / std::string(name);
}

std::string RenderWallpaperScreen(int typeCode, const GeneratedItem& item, int width, int height)
{
    const DrawnScene drawn = DrawScene(typeCode, item, width, height, WallpaperScenes());
    return EncodeGif(width, height, drawn.canvas.Pixels(), drawn.palette.Colours());
}

std::string RenderScreensaverScreen(int typeCode, const GeneratedItem& item, int width, int height)
{
    const DrawnScene drawn = DrawScene(typeCode, item, width, height, ScreensaverScenes());
    const std::vector<GifColour>& colours = drawn.palette.Colours();
    const std::uint8_t light = BrightestColour(colours);

    std::vector<GifFrame> frames(1);
    frames[0].width = width;
    frames[0].height = height;
    frames[0].pixels = drawn.canvas.Pixels();
    frames[0].delay = 60;
    // Only the small rectangles of the flashes follow the first frame, so
    // the animation costs little more than a still picture.
    CatgenRandom random = CatgenRandom::ForText(item.id, static_cast<std::uint64_t>(typeCode) + 1);
    const int flashes = random.Between(3, 6);
    for (int k = 0; k < flashes; ++k) {
        const int arm = random.Between(3, 5);
        const int x = random.Between(arm, width - 1 - arm);
        const int y = random.Between(arm, height * 2 / 3);
        frames.push_back(SparkleFrame(drawn.canvas, x, y, arm, light));
    }
    return EncodeAnimatedGif(width, height, frames, colours);
}
