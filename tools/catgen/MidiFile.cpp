#include "tools/catgen/MidiFile.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

struct MidiEvent
{
    long tick = 0;
    int order = 0;       // at equal ticks: note offs (0) before the rest (1)
    std::string bytes;   // status byte and data
};

void AppendBigEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// MIDI's variable-length quantity: seven bits a byte, most significant
// first, the high bit set on all but the last.
void AppendVariable(std::string& out, std::uint32_t value)
{
    char bytes[5];
    int count = 0;
    bytes[count++] = static_cast<char>(value & 0x7F);
    while ((value >>= 7) != 0)
        bytes[count++] = static_cast<char>(0x80 | (value & 0x7F));
    while (count > 0)
        out += bytes[--count];
}

std::string Meta(int type, std::string_view data)
{
    std::string event = {'\xFF', static_cast<char>(type)};
    AppendVariable(event, static_cast<std::uint32_t>(data.size()));
    event += data;
    return event;
}

std::string Channel(int status, int channel, int first, int second = -1)
{
    std::string event = {static_cast<char>(status | channel), static_cast<char>(first & 0x7F)};
    if (second >= 0)
        event += static_cast<char>(second & 0x7F);
    return event;
}

long Ticks(const MelodyNote& note)
{
    const long ticks = 4L * kMidiTicksPerQuarter / note.length;
    return note.dotted ? ticks * 3 / 2 : ticks;
}

void AddNote(std::vector<MidiEvent>& events, long tick, long length, int channel, int pitch,
             int velocity)
{
    // Released a little early, so that repeated notes are heard apart.
    const long held = std::max(1L, length * 7 / 8);
    events.push_back({tick, 1, Channel(0x90, channel, pitch, velocity)});
    events.push_back({tick + held, 0, Channel(0x80, channel, pitch, 0)});
}

} // namespace

std::string EncodeMidi(const Melody& melody, std::string_view trackName, const MidiVoices& voices)
{
    std::vector<MidiEvent> events;
    events.push_back({0, 1, Meta(0x03, trackName)});
    std::string tempo;
    AppendBigEndian(tempo, static_cast<std::uint32_t>(60000000 / melody.beatsPerMinute), 3);
    events.push_back({0, 1, Meta(0x51, tempo)});
    events.push_back({0, 1, Meta(0x58, std::string("\x04\x02\x18\x08", 4))});  // 4/4
    events.push_back({0, 1, Channel(0xC0, 0, voices.melodyProgram)});

    long tick = 0;
    for (const MelodyNote& note : melody.notes) {
        if (note.pitch != kRest)
            AddNote(events, tick, Ticks(note), 0, note.pitch, 100);
        tick += Ticks(note);
    }
    const long end = tick;

    if (voices.bassProgram >= 0) {
        events.push_back({0, 1, Channel(0xC0, 1, voices.bassProgram)});
        constexpr long kHalf = 2L * kMidiTicksPerQuarter;
        for (long at = 0, k = 0; at < end; at += kHalf, ++k) {
            const int pitch = melody.root - 24 + (k % 2 == 0 ? 0 : 7);
            AddNote(events, at, std::min(kHalf, end - at), 1, pitch, 70);
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });

    std::string track;
    long last = 0;
    for (const MidiEvent& event : events) {
        AppendVariable(track, static_cast<std::uint32_t>(event.tick - last));
        track += event.bytes;
        last = event.tick;
    }
    AppendVariable(track, static_cast<std::uint32_t>(std::max(0L, end - last)));
    track += Meta(0x2F, "");

    std::string file = "MThd";
    AppendBigEndian(file, 6, 4);
    AppendBigEndian(file, 0, 2);  // format 0
    AppendBigEndian(file, 1, 2);  // one track
    AppendBigEndian(file, kMidiTicksPerQuarter, 2);
    file += "MTrk";
    AppendBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
    file += track;
    return file;
}
