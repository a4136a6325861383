#include "tools/catgen/CatgenTypeTable.h"

#include <array>

#include "catalog/ContentTypeTable.h"
#include "tools/catgen/PictureRenderer.h"

namespace {

constexpr std::array<CatgenTypeTraits, CONTENT_TYPE_COUNT> kTraits = {{
    {.key = "logos",
     .words = LogoWords,
     .fileEnding = "",
     .screenboxEnding = "",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = RenderLogo,
     .preview = nullptr},
    {.key = "rt_mono",
     .words = RingtoneWords,
     .fileEnding = ".mid",
     .screenboxEnding = "",
     .filePercent = 85,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = nullptr,
     .preview = nullptr},
    {.key = "logos_big",
     .words = BigLogoWords,
     .fileEnding = "",
     .screenboxEnding = "",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = RenderBigLogo,
     .preview = nullptr},
    {.key = "rt_poly",
     .words = RingtoneWords,
     .fileEnding = ".mid",
     .screenboxEnding = "",
     .filePercent = 85,
     .otherFileEnding = ".mmf",
     .otherFilePercent = 40,
     .picture = nullptr,
     .preview = nullptr},
    {.key = "wallpapers",
     .words = WallpaperWords,
     .fileEnding = ".jpg",
     .screenboxEnding = "_s.gif",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = nullptr,
     .preview = RenderWallpaperPreview},
    {.key = "screensavers",
     .words = ScreensaverWords,
     .fileEnding = ".gif",
     .screenboxEnding = "_s.gif",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = nullptr,
     .preview = RenderScreensaverPreview},
    {.key = "java",
     .words = GameWords,
     .fileEnding = "",
     .screenboxEnding = "",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = RenderGameScreen,
     .preview = nullptr},
}};

const CatgenTypeTraits* TraitsOf(std::string_view key)
{
    for (const CatgenTypeTraits& traits : kTraits)
        if (traits.key == key)
            return &traits;
    return nullptr;
}


} // namespace

const CatgenTypeTraits* FindCatgenTraits(int code)
{
    const ContentTypeInfo* type = FindContentType(code);
    return type ? TraitsOf(type->key) : nullptr;
}
