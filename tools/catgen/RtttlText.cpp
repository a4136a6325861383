#include "tools/catgen/RtttlText.h"

namespace {

constexpr int kDefaultLength = 4;
constexpr int kDefaultOctave = 5;
constexpr const char* kNoteNames[12] = {"c",  "c#", "d",  "d#", "e",  "f",
                                        "f#", "g",  "g#", "a",  "a#", "b"};

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

std::string RtttlName(std::string_view label, std::string_view id)
{
    std::string name;
    for (const char c : label) {
        if (name.size() == kMaxRtttlName)
            break;
        if (IsNameCharacter(c))
            name += c;
        else if (c == ' ' && !name.empty() && name.back() != ' ')
            name += ' ';
    }
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty()) {
        const std::size_t digits = kMaxRtttlName - 4;
        name = "Tone" + std::string(id.size() > digits ? id.substr(id.size() - digits) : id);
    }
    return name;
}

std::string EncodeRtttl(std::string_view name, const Melody& melody)
{
    std::string text(name);
    text += ":d=" + std::to_string(kDefaultLength) + ",o=" + std::to_string(kDefaultOctave) +
            ",b=" + std::to_string(melody.beatsPerMinute) + ":";
    bool first = true;
    for (const MelodyNote& note : melody.notes) {
        if (!first)
            text += ',';
        first = false;
        if (note.length != kDefaultLength)
            text += std::to_string(note.length);
        if (note.pitch == kRest) {
            text += 'p';
            if (note.dotted)
                text += '.';
            continue;
        }
        text += kNoteNames[note.pitch % 12];
        const int octave = note.pitch / 12;
        if (octave != kDefaultOctave)
            text += std::to_string(octave);
        else if (note.dotted)
            text += '.';
    }
    return text;
}
