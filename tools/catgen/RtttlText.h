#pragma once

#include <string>
#include <string_view>

#include "tools/catgen/Melody.h"

// A tune as RTTTL, the ring tone text phones took by message:
//     <name>:d=<length>,o=<octave>,b=<tempo>:<note>,<note>,...
// with every note [length]<letter>[#][octave][.] or [length]p for a rest.
// The defaults are d=4 and o=5; a note gives its length and octave only
// where they differ. A dot is written only on notes of the default octave,
// where every reader takes it ("4c."); readers disagree on "4c6." and
// "4c.6".

inline constexpr std::size_t kMaxRtttlName = 10;

// The name part of a ringtone labelled `label`: its ASCII letters, digits
// and single blanks, at most kMaxRtttlName characters; "Tone" and the end
// of `id` when the label has none (a label in another script).
std::string RtttlName(std::string_view label, std::string_view id);

std::string EncodeRtttl(std::string_view name, const Melody& melody);
