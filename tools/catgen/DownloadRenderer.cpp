#include "tools/catgen/DownloadRenderer.h"

#include <array>
#include <utility>

#include "tools/catgen/CatgenTypeTable.h"
#include "tools/catgen/JavaGamePackage.h"
#include "tools/catgen/Melody.h"
#include "tools/catgen/MidiFile.h"
#include "tools/catgen/PictureRenderer.h"
#include "tools/catgen/PreviewRenderer.h"
#include "tools/catgen/RtttlText.h"

namespace {

// Apart from the streams the pictures and previews draw from.
CatgenRandom DownloadRandom(int typeCode, const GeneratedItem& item)
{
    return CatgenRandom::ForText(item.id, 0xD0000u + static_cast<std::uint64_t>(typeCode));
}

using ScreenSize = std::pair<int, int>;

constexpr std::array<ScreenSize, 4> kWallpaperSizes = {{{128, 160}, {176, 208}, {176, 220}, {240, 320}}};
constexpr std::array<ScreenSize, 4> kScreensaverSizes = {{{128, 128}, {128, 160}, {176, 208}, {240, 320}}};

// General MIDI programs a ringtone's tune sounds well on: pianos, mallets,
// guitar, brass, flute and synth leads.
constexpr std::array<int, 9> kMelodyPrograms = {0, 4, 11, 12, 24, 56, 73, 80, 81};

} // namespace

RenderedDownload RenderDownload(int typeCode, const GeneratedItem& item)
{
    const CatgenTypeTraits* traits = FindCatgenTraits(typeCode);
    return traits && traits->download ? traits->download(typeCode, item) : RenderedDownload();
}

DownloadFormat DownloadFileFormat(int typeCode)
{
    const CatgenTypeTraits* traits = FindCatgenTraits(typeCode);
    return traits ? traits->downloadFormat : DownloadFormat();
}

bool HasDescriptor(int typeCode)
{
    const CatgenTypeTraits* traits = FindCatgenTraits(typeCode);
    return traits && traits->downloadDescriptor;
}

RenderedDownload RenderPictureDownload(int typeCode, const GeneratedItem& item)
{
    return {RenderPicture(typeCode, item), {}};
}

RenderedDownload RenderRtttlDownload(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = DownloadRandom(typeCode, item);
    return {EncodeRtttl(RtttlName(item.lib, item.id), ComposeMelody(random)), {}};
}

RenderedDownload RenderMidiDownload(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = DownloadRandom(typeCode, item);
    const Melody melody = ComposeMelody(random);
    MidiVoices voices;
    voices.melodyProgram = kMelodyPrograms[random.Below(static_cast<std::uint32_t>(kMelodyPrograms.size()))];
    voices.bassProgram = random.Percent(70) ? (random.Percent(50) ? 33 : 38) : -1;
    return {EncodeMidi(melody, item.lib, voices), {}};
}

RenderedDownload RenderWallpaperDownload(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = DownloadRandom(typeCode, item);
    const auto [width, height] = kWallpaperSizes[random.Below(static_cast<std::uint32_t>(kWallpaperSizes.size()))];
    return {RenderWallpaperScreen(typeCode, item, width, height), {}};
}

RenderedDownload RenderScreensaverDownload(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = DownloadRandom(typeCode, item);
    const auto [width, height] = kScreensaverSizes[random.Below(static_cast<std::uint32_t>(kScreensaverSizes.size()))];
    return {RenderScreensaverScreen(typeCode, item, width, height), {}};
}

RenderedDownload RenderJavaDownload(int typeCode, const GeneratedItem& item)
{
    JavaGamePackage game = RenderJavaGame(typeCode, item);
    return {std::move(game.jar), std::move(game.jad)};
}

std::string DownloadFileStem(const GeneratedItem& item)
{
    std::string stem;
    if (item.author && !item.author->empty())
        stem = *item.author + " - ";
    stem += item.lib;
    std::string clean;
    for (const char c : stem) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            continue;
        clean += c == '/' || c == '\\' ? '_' : c;
    }
    return clean.empty() ? item.id : clean;
}

std::filesystem::path DownloadRelativePath(std::string_view typeKey, std::string_view itemId,
                                           std::string_view ending)
{
    return std::filesystem::path("media") / "downloads" / std::string(typeKey) /
           (std::string(itemId) + std::string(ending));
}

std::filesystem::path DownloadNamesRelativePath(std::string_view typeKey)
{
    return std::filesystem::path("media") / "downloads" / std::string(typeKey) / "names.txt";
}
