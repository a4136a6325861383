#include "tools/catgen/CatgenTypeTable.h"

#include <array>

#include "catalog/ContentTypeTable.h"
#include "tools/catgen/PictureRenderer.h"
#include "tools/catgen/PreviewRenderer.h"

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
     .preview = nullptr,
     .downloadFormat = {".gif", "image/gif"},
     .download = RenderPictureDownload,
     .downloadDescriptor = false},
    {.key = "rt_mono",
     .words = RingtoneWords,
     .fileEnding = ".mid",
     .screenboxEnding = "",
     .filePercent = 85,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = nullptr,
     .preview = nullptr,
     .downloadFormat = {".rtttl", "text/x-rtttl"},
     .download = RenderRtttlDownload,
     .downloadDescriptor = false},
    {.key = "logos_big",
     .words = BigLogoWords,
     .fileEnding = "",
     .screenboxEnding = "",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = RenderBigLogo,
     .preview = nullptr,
     .downloadFormat = {".gif", "image/gif"},
     .download = RenderPictureDownload,
     .downloadDescriptor = false},
    {.key = "rt_poly",
     .words = RingtoneWords,
     .fileEnding = ".mid",
     .screenboxEnding = "",
     .filePercent = 85,
     .otherFileEnding = ".mmf",
     .otherFilePercent = 40,
     .picture = nullptr,
     .preview = nullptr,
     .downloadFormat = {".mid", "audio/midi"},
     .download = RenderMidiDownload,
     .downloadDescriptor = false},
    {.key = "wallpapers",
     .words = WallpaperWords,
     .fileEnding = ".jpg",
     .screenboxEnding = "_s.gif",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = nullptr,
     .preview = RenderWallpaperPreview,
     .downloadFormat = {".gif", "image/gif"},
     .download = RenderWallpaperDownload,
     .downloadDescriptor = false},
    {.key = "screensavers",
     .words = ScreensaverWords,
     .fileEnding = ".gif",
     .screenboxEnding = "_s.gif",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = nullptr,
     .preview = RenderScreensaverPreview,
     .downloadFormat = {".gif", "image/gif"},
     .download = RenderScreensaverDownload,
     .downloadDescriptor = false},
    {.key = "java",
     .words = GameWords,
     .fileEnding = "",
     .screenboxEnding = "",
     .filePercent = 100,
     .otherFileEnding = "",
     .otherFilePercent = 0,
     .picture = RenderGameScreen,
     .preview = nullptr,
     .downloadFormat = {".jar", "application/java-archive"},
     .download = RenderJavaDownload,
     .downloadDescriptor = true},
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
