#include "tools/catgen/Melody.h"

#include <algorithm>
#include <array>

namespace {

using Scale = std::vector<int>;  // semitones above the tonic within an octave

const std::array<Scale, 4>& Scales()
{
    static const std::array<Scale, 4> scales = {{
        {0, 2, 4, 5, 7, 9, 11},  // major
        {0, 2, 3, 5, 7, 8, 10},  // natural minor
        {0, 2, 4, 7, 9},         // major pentatonic
        {0, 3, 5, 7, 10},        // minor pentatonic
    }};
    return scales;
}

// Tempos from RTTTL's list that suit a ringtone.
constexpr std::array<int, 6> kTempos = {100, 112, 125, 140, 160, 180};

int PitchOfDegree(const Scale& scale, int root, int degree)
{
    const int size = static_cast<int>(scale.size());
    return root + 12 * (degree / size) + scale[static_cast<std::size_t>(degree % size)];
}

int NoteLength(CatgenRandom& random)
{
    const auto roll = random.Below(100);
    if (roll < 50)
        return 8;
    if (roll < 80)
        return 4;
    if (roll < 92)
        return 16;
    return 2;
}

} // namespace

Melody ComposeMelody(CatgenRandom& random)
{
    Melody melody;
    melody.beatsPerMinute = kTempos[random.Below(static_cast<std::uint32_t>(kTempos.size()))];
    const Scale& scale = Scales()[random.Below(static_cast<std::uint32_t>(Scales().size()))];
    melody.root = kLowestPitch + random.Between(0, 7);
    const int size = static_cast<int>(scale.size());
    // Degrees from the tonic up to about an octave and a half, which keeps
    // the highest note below kHighestPitch for every root.
    const int topDegree = size + size / 2;

    const int count = random.Between(8, 32);
    int degree = random.Between(2, size + 1);
    for (int i = 0; i < count - 1; ++i) {
        MelodyNote note;
        note.length = NoteLength(random);
        note.dotted = (note.length == 4 || note.length == 8) && random.Percent(12);
        if (i > 0 && random.Percent(8)) {
            note.pitch = kRest;
        } else {
            // Mostly steps, now and then a leap or a repeated note; off
            // an edge of the range the tune turns back.
            int step = random.Percent(15) ? random.Between(-4, 4) : random.Between(-2, 2);
            if (step == 0 && random.Percent(60))
                step = random.Percent(50) ? 1 : -1;
            degree += step;
            if (degree < 0)
                degree = -degree;
            if (degree > topDegree)
                degree = std::max(0, 2 * topDegree - degree);
            note.pitch = PitchOfDegree(scale, melody.root, degree);
        }
        melody.notes.push_back(note);
    }
    // A long tonic closes the phrase, an octave up if the tune went high.
    MelodyNote last;
    last.pitch = melody.root + (degree >= size ? 12 : 0);
    last.length = random.Percent(50) ? 2 : 4;
    melody.notes.push_back(last);
    return melody;
}
