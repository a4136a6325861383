#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tools/catgen/GeneratedCatalog.h"

// What a phone gets from an item's download address, by type:
//     logos, big logos      the GIF picture the update also fetches
//     monophonic ringtones  RTTTL text
//     polyphonic ringtones  a Standard MIDI File (MidiFile.h)
//     wallpapers            a GIF at a phone's screen size, 128 x 160 to 240 x 320
//     screen savers         an animated GIF at a phone's screen size
//     Java games            a JAR, and its JAD as a second file
// Each drawn from the item alone: the same item always gives the same bytes.
//
// The generator writes them below media/downloads/, where no media address
// leads, and the content server hands them out for the download addresses.

struct RenderedDownload
{
    std::string file;
    std::string descriptor;  // the JAD of a Java game; "" for the other types
};

struct DownloadFormat
{
    std::string_view ending;       // ".mid", with the dot
    std::string_view contentType;  // "audio/midi"
};

inline constexpr DownloadFormat kDescriptorFormat = {".jad", "text/vnd.sun.j2me.app-descriptor"};

// Both files empty for a code without downloads.
RenderedDownload RenderDownload(int typeCode, const GeneratedItem& item);
// The format of the type's file; empty views for an unknown code.
DownloadFormat DownloadFileFormat(int typeCode);
bool HasDescriptor(int typeCode);

// The renderers the type traits name (CatgenTypeTraits).
RenderedDownload RenderPictureDownload(int typeCode, const GeneratedItem& item);
RenderedDownload RenderRtttlDownload(int typeCode, const GeneratedItem& item);
RenderedDownload RenderMidiDownload(int typeCode, const GeneratedItem& item);
RenderedDownload RenderWallpaperDownload(int typeCode, const GeneratedItem& item);
RenderedDownload RenderScreensaverDownload(int typeCode, const GeneratedItem& item);
RenderedDownload RenderJavaDownload(int typeCode, const GeneratedItem& item);

// The name a phone would save the download under, without the ending: the
// label, after the author and " - " where there is one ("Kid Cosmo - Blue
// Sky"). Control characters are dropped and "/" and "\" become "_", so the
// name is one line and one path segment.
std::string DownloadFileStem(const GeneratedItem& item);

// media/downloads/<key>/<id><ending>
std::filesystem::path DownloadRelativePath(std::string_view typeKey, std::string_view itemId,
                                           std::string_view ending);
// media/downloads/<key>/names.txt: a line "<id> TAB <file stem>" per item,
// from which the server names the files it hands out.
std::filesystem::path DownloadNamesRelativePath(std::string_view typeKey);
