#pragma once

#include <string>
#include <string_view>

#include "tools/catgen/GeneratedCatalog.h"

// The download of a Java game: a JAR (a zip of stored entries) holding
//     META-INF/MANIFEST.MF   Manifest-Version, MIDlet-Name, MIDlet-Vendor,
//                            MIDlet-Version, MIDlet-1 (name, icon, class),
//                            MicroEdition-Profile, MicroEdition-Configuration
//     <Class>.class          a class file of the MIDlet's name, extending
//                            javax.microedition.midlet.MIDlet
//     icon.png               the 24 x 24 icon MIDlet-1 names
// and its JAD, the descriptor a phone reads before it fetches the JAR: the
// same attributes, plus MIDlet-Jar-URL (the item's download address) and
// MIDlet-Jar-Size (the JAR's size in bytes). The same item always gives the
// same bytes.

struct JavaGamePackage
{
    std::string jar;
    std::string jad;
};

JavaGamePackage RenderJavaGame(int typeCode, const GeneratedItem& item);

// A Java class name from the label: its ASCII words run together, each
// with a capital ("Space Race 2" gives "SpaceRace2"); "Game" and the id
// when nothing usable is left.
std::string MidletClassName(std::string_view label, std::string_view id);
