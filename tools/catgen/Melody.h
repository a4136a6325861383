#pragma once

#include <string>
#include <vector>

#include "tools/catgen/CatgenRandom.h"

// A short tune for a ringtone, written out both as a MIDI file and as
// RTTTL text, so it holds only what both can say: one voice of notes and
// rests with the note lengths of RTTTL.

inline constexpr int kRest = -1;

struct MelodyNote
{
    int pitch = kRest;    // MIDI note number (60 is RTTTL's c5), or kRest
    int length = 4;       // 1, 2, 4, 8, 16 or 32: a whole note divided by this
    bool dotted = false;  // half as long again
};

struct Melody
{
    int beatsPerMinute = 125;  // quarter notes a minute, a tempo RTTTL lists
    int root = 60;             // the key's tonic, where the tune ends
    std::vector<MelodyNote> notes;  // 8 to 32, neither first nor last a rest
};

// Lowest and highest pitch a tune uses: RTTTL's octaves 5 to 7, which
// every phone plays.
inline constexpr int kLowestPitch = 60;
inline constexpr int kHighestPitch = 95;

// A tune in a major, minor or pentatonic scale that moves mostly by steps
// and ends on its key's tonic; the same random stream gives the same tune.
Melody ComposeMelody(CatgenRandom& random);
