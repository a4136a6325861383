#pragma once

#include <string>
#include <string_view>

#include "tools/catgen/Melody.h"

// A Standard MIDI File of format 0: the header chunk (MThd) and one track
// chunk (MTrk) holding the track name, tempo, time signature and programs,
// the melody on channel 1 and, with `program` a melodic instrument, a bass
// on channel 2 that plays the tonic and its fifth on every half note, then
// the end-of-track event. 480 ticks a quarter note.

struct MidiVoices
{
    int melodyProgram = 80;  // General MIDI program, 0 to 127 (80: square lead)
    int bassProgram = -1;    // -1: no bass
};

std::string EncodeMidi(const Melody& melody, std::string_view trackName, const MidiVoices& voices);

inline constexpr int kMidiTicksPerQuarter = 480;
