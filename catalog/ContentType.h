#pragma once

#include <string>

#include "catalog/ContentTypeTable.h"

// The key names the type's data directory and its server requests ("logos",
// "rt_mono", ...); "" for a code without an entry.
std::string TypeKey(int code);

// The title shown to the user ("Logos", "Ringtones (mono)", ...); "" for a
// code without an entry.
std::string TypeTitle(int code);
