#pragma once

#include <array>
#include <string>

// The integer codes of the seven content types. They are not contiguous.
enum ContentTypeCode : int
{
    CT_LOGOS = 1,
    CT_RT_MONO = 2,
    CT_LOGOS_BIG = 3,
    CT_RT_POLY = 14,
    CT_WALLPAPERS = 15,
    CT_SCREENSAVERS = 24,
    CT_JAVA = 26,
};

inline constexpr int CONTENT_TYPE_COUNT = 7;

// The order in which the whole catalog is loaded and its caches rewritten.
inline constexpr std::array<int, CONTENT_TYPE_COUNT> CONTENT_TYPE_LOAD_ORDER = {
    CT_RT_MONO, CT_RT_POLY, CT_JAVA, CT_LOGOS, CT_LOGOS_BIG, CT_WALLPAPERS, CT_SCREENSAVERS};

// True for the seven codes above.
bool IsContentType(int code);

// The key names the type's data directory and its server requests ("logos",
// "rt_mono", ...); "" for a code without an entry.
std::string TypeKey(int code);

// The title shown to the user ("Logos", "Ringtones (mono)", ...); "" for a
// code without an entry.
std::string TypeTitle(int code);
