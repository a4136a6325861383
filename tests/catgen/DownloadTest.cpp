#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GifDecoder.h"
#include "TestDir.h"
#include "TestItem.h"
#include "tools/catgen/DownloadRenderer.h"
#include "tools/catgen/JavaGamePackage.h"
#include "tools/catgen/RtttlText.h"

namespace {

const std::vector<std::string> kIds = {"10001", "10002", "13377", "18294", "99999", "7"};

// ---- An independent reader of Standard MIDI Files ----

struct MidiSummary
{
    std::string error;
    int format = -1;
    int tracks = 0;
    int division = 0;
    int tempoEvents = 0;
    int programChanges = 0;
    int melodyNotes = 0;   // note-ons on channel 1
    int openNotes = 0;     // note-ons without their note-off
    bool endsWithEndOfTrack = false;
    std::string trackName;
};

MidiSummary Failed(std::string error)
{
    MidiSummary midi;
    midi.error = std::move(error);
    return midi;
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

MidiSummary ReadMidi(const std::string& bytes)
{
    MidiSummary midi;
    if (bytes.size() < 22 || bytes.compare(0, 4, "MThd") != 0 || BigEndian(bytes, 4, 4) != 6)
        return Failed("no MThd header of six bytes");
    midi.format = static_cast<int>(BigEndian(bytes, 8, 2));
    midi.tracks = static_cast<int>(BigEndian(bytes, 10, 2));
    midi.division = static_cast<int>(BigEndian(bytes, 12, 2));
    if (bytes.compare(14, 4, "MTrk") != 0)
        return Failed("no MTrk chunk");
    const std::size_t end = 22 + BigEndian(bytes, 18, 4);
    if (end != bytes.size())
        return Failed("the track's length is not the rest of the file");

    std::map<std::pair<int, int>, int> sounding;  // (channel, pitch) -> count
    std::size_t at = 22;
    const auto byte = [&]() -> int {
        return at < end ? static_cast<unsigned char>(bytes[at++]) : -1;
    };
    const auto variable = [&]() {
        std::uint32_t value = 0;
        for (int k = 0; k < 4; ++k) {
            const int b = byte();
            if (b < 0)
                return -1L;
            value = value << 7 | static_cast<std::uint32_t>(b & 0x7F);
            if ((b & 0x80) == 0)
                return static_cast<long>(value);
        }
        return -1L;
    };
    while (at < end) {
        if (variable() < 0)
            return Failed("bad delta time");
        const int status = byte();
        if (status == 0xFF) {
            const int type = byte();
            const long length = variable();
            if (type < 0 || length < 0 || at + static_cast<std::size_t>(length) > end)
                return Failed("bad meta event");
            const std::string data = bytes.substr(at, static_cast<std::size_t>(length));
            at += static_cast<std::size_t>(length);
            if (type == 0x03)
                midi.trackName = data;
            if (type == 0x51 && length == 3)
                ++midi.tempoEvents;
            if (type == 0x2F) {
                midi.endsWithEndOfTrack = at == end && length == 0;
                break;
            }
            continue;
        }
        // The writer never relies on running status.
        if (status < 0x80 || status >= 0xF0)
            return Failed("unexpected status byte");
        const int kind = status & 0xF0;
        const int channel = status & 0x0F;
        const int first = byte();
        const int second = kind == 0xC0 || kind == 0xD0 ? 0 : byte();
        if (first < 0 || first > 0x7F || second < 0 || second > 0x7F)
            return Failed("bad channel event data");
        if (kind == 0xC0)
            ++midi.programChanges;
        if (kind == 0x90 && second > 0) {
            ++sounding[{channel, first}];
            if (channel == 0)
                ++midi.melodyNotes;
        } else if (kind == 0x80 || kind == 0x90) {
            if (--sounding[{channel, first}] < 0)
                return Failed("a note-off without its note-on");
        }
    }
    for (const auto& [note, count] : sounding)
        midi.openNotes += count;
    return midi;
}

// ---- RTTTL by its grammar ----

struct RtttlSummary
{
    bool valid = false;
    std::string name;
    int notes = 0;
};

RtttlSummary ReadRtttl(const std::string& text)
{
    static const std::regex kWhole(R"(([^:]{1,10}):d=(1|2|4|8|16|32),o=([4-7]),b=(\d+):(.*))");
    static const std::regex kNote(R"((1|2|4|8|16|32)?(p|[a-g]#?)([4-7])?(\.)?)");
    std::smatch parts;
    if (!std::regex_match(text, parts, kWhole))
        return {};
    RtttlSummary rtttl;
    rtttl.name = parts[1];
    const std::string notes = parts[5];
    std::size_t start = 0;
    for (;;) {
        const auto comma = notes.find(',', start);
        const std::string note = notes.substr(start, comma - start);
        std::smatch noteParts;
        if (!std::regex_match(note, noteParts, kNote))
            return {};
        // A rest has no octave.
        if (noteParts[2] == "p" && noteParts[3].matched)
            return {};
        ++rtttl.notes;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    rtttl.valid = true;
    return rtttl;
}

// ---- Zip archives through unzip ----

std::string RunCommand(const std::string& command, int& status)
{
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    status = pclose(pipe);
    return output;
}

std::map<std::string, std::string> Attributes(const std::string& text)
{
    // Continuation lines join the line before them.
    std::string joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            continue;
        if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == ' ') {
            ++i;
            continue;
        }
        joined += text[i];
    }
    std::map<std::string, std::string> attributes;
    std::size_t start = 0;
    while (start < joined.size()) {
        auto end = joined.find('\n', start);
        if (end == std::string::npos)
            end = joined.size();
        const std::string line = joined.substr(start, end - start);
        const auto colon = line.find(": ");
        if (colon != std::string::npos)
            attributes[line.substr(0, colon)] = line.substr(colon + 2);
        start = end + 1;
    }
    return attributes;
}

GeneratedItem GameItem(const std::string& id, const std::string& lib)
{
    GeneratedItem item = TestItem(id, lib);
    item.author = "Pixel Forge";
    item.urlDownload = "http://127.0.0.1:8642/dl.php?t=26&id=" + id;
    return item;
}

} // namespace

TEST(Downloads, PolyphonicRingtonesAreMidiFilesWithATuneOfEightToThirtyTwoNotes)
{
    std::set<std::string> files;
    for (const std::string& id : kIds) {
        const std::string bytes = RenderDownload(14, TestItem(id, "Blue Sky")).file;
        const MidiSummary midi = ReadMidi(bytes);
        ASSERT_EQ(midi.error, "") << id;
        EXPECT_EQ(midi.format, 0) << id;
        EXPECT_EQ(midi.tracks, 1) << id;
        EXPECT_EQ(midi.division, 480) << id;
        EXPECT_EQ(midi.tempoEvents, 1) << id;
        EXPECT_GE(midi.programChanges, 1) << id;
        EXPECT_GE(midi.melodyNotes, 7) << id;  // a rest or two among at most 32
        EXPECT_LE(midi.melodyNotes, 32) << id;
        EXPECT_EQ(midi.openNotes, 0) << id;
        EXPECT_TRUE(midi.endsWithEndOfTrack) << id;
        EXPECT_EQ(midi.trackName, "Blue Sky");
        EXPECT_EQ(bytes, RenderDownload(14, TestItem(id, "Blue Sky")).file) << "not repeatable";
        files.insert(bytes);
    }
    EXPECT_EQ(files.size(), kIds.size()) << "items share a tune";
}

TEST(Downloads, MonophonicRingtonesAreRtttlThatParses)
{
    const struct
    {
        std::string label;
        std::string id;
        std::string name;
    } cases[] = {
        {"Blue Sky", "10001", "Blue Sky"},
        {"Happy Birthday to You", "10002", "Happy Birt"},
        {"  Für  Elise: remix ", "13377", "Fr Elise r"},
        {"Снежинка", "18294", "Tone18294"},
        {"", "123456789", "Tone456789"},
        {"a:b,c", "7", "abc"},
    };
    std::set<std::string> tunes;
    for (const auto& c : cases) {
        EXPECT_EQ(RtttlName(c.label, c.id), c.name) << c.label;
        const std::string text = RenderDownload(2, TestItem(c.id, c.label)).file;
        const RtttlSummary rtttl = ReadRtttl(text);
        ASSERT_TRUE(rtttl.valid) << text;
        EXPECT_EQ(rtttl.name, c.name);
        EXPECT_GE(rtttl.notes, 8) << text;
        EXPECT_LE(rtttl.notes, 32) << text;
        tunes.insert(text.substr(text.find(':')));
    }
    EXPECT_EQ(tunes.size(), std::size(cases)) << "items share a tune";
}

TEST(Downloads, JavaGamesAreJarsThatUnzipAcceptsWithAMatchingJad)
{
    TestDir dir{false};
    const std::vector<std::pair<std::string, std::string>> games = {
        {"20001", "Space Race 2"},
        {"20002", "3D Snake, Deluxe"},
        {"20003", "Морской бой"},
        {"20004", "A game whose name is rather long so that the manifest must fold its lines"},
    };
    for (const auto& [id, label] : games) {
        const GeneratedItem item = GameItem(id, label);
        const RenderedDownload game = RenderDownload(26, item);
        const std::filesystem::path jar = dir.Path() / (id + ".jar");
        std::ofstream(jar, std::ios::binary) << game.file;

        int status = 0;
        const std::string test = RunCommand("unzip -t '" + jar.string() + "' 2>&1", status);
        EXPECT_EQ(status, 0) << test;
        const std::string list = RunCommand("unzip -Z1 '" + jar.string() + "'", status);
        const std::string className = MidletClassName(label, id);
        EXPECT_EQ(list, "META-INF/\nMETA-INF/MANIFEST.MF\n" + className + ".class\nicon.png\n");
        EXPECT_EQ(RunCommand("unzip -p '" + jar.string() + "' " + className + ".class", status).substr(0, 4),
                  "\xCA\xFE\xBA\xBE");
        EXPECT_EQ(RunCommand("unzip -p '" + jar.string() + "' icon.png", status).substr(0, 8),
                  "\x89PNG\r\n\x1A\n");

        const std::string manifestText = RunCommand("unzip -p '" + jar.string() + "' META-INF/MANIFEST.MF", status);
        for (std::size_t start = 0, end; (end = manifestText.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            EXPECT_LE(end - start, 72u) << "manifest line too long in " << id;
        auto manifest = Attributes(manifestText);
        const auto jad = Attributes(game.descriptor);
        EXPECT_EQ(manifest["Manifest-Version"], "1.0");
        for (const char* name : {"MIDlet-Name", "MIDlet-Vendor", "MIDlet-Version", "MIDlet-1",
                                 "MicroEdition-Profile", "MicroEdition-Configuration"}) {
            EXPECT_FALSE(manifest[name].empty()) << name;
            EXPECT_EQ(jad.at(name), manifest[name]) << name;
        }
        EXPECT_EQ(manifest["MIDlet-1"], manifest["MIDlet-Name"] + ", /icon.png, " + className);
        EXPECT_EQ(manifest["MIDlet-Vendor"], "Pixel Forge");
        EXPECT_EQ(jad.at("MIDlet-Jar-Size"), std::to_string(game.file.size()));
        EXPECT_EQ(jad.at("MIDlet-Jar-URL"), item.urlDownload);
    }
}

TEST(Downloads, ClassNamesAreJavaIdentifiers)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Space Race 2", "SpaceRace2"},
        {"3D snake", "Game3DSnake"},
        {"Морской бой", "Game42"},
        {"mad-max: fury", "MadMaxFury"},
    };
    for (const auto& [label, name] : cases)
        EXPECT_EQ(MidletClassName(label, "42"), name) << label;
}

TEST(Downloads, WallpapersAndScreenSaversComeAtPhoneScreenSizes)
{
    const std::set<std::pair<int, int>> sizes = {{128, 128}, {128, 160}, {176, 208},
                                                 {176, 220}, {240, 320}};
    std::set<std::pair<int, int>> seen;
    for (const int code : {15, 24}) {
        for (const std::string& id : kIds) {
            const std::string bytes = RenderDownload(code, TestItem(id, "Sunset")).file;
            ASSERT_GE(bytes.size(), 10u);
            ASSERT_EQ(bytes.substr(0, 6), "GIF89a");
            const int width = static_cast<unsigned char>(bytes[6]) | static_cast<unsigned char>(bytes[7]) << 8;
            const int height = static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
            EXPECT_EQ(sizes.count({width, height}), 1u) << width << "x" << height;
            seen.insert({width, height});
            if (code == 15) {
                const DecodedGif gif = DecodeGif(bytes);
                EXPECT_EQ(gif.error, "") << id;
            } else {
                // An animation: it loops, and flashes follow the first picture.
                EXPECT_NE(bytes.find("NETSCAPE2.0"), std::string::npos);
                EXPECT_GT(bytes.find("\x21\xF9\x04", bytes.find("\x21\xF9\x04") + 1), 0u);
            }
        }
    }
    EXPECT_GE(seen.size(), 3u) << "all items at one size";
}

TEST(Downloads, LogosAreTheirPictures)
{
    for (const int code : {1, 3}) {
        const RenderedDownload download = RenderDownload(code, TestItem("10001"));
        EXPECT_EQ(DecodeGif(download.file).error, "");
        EXPECT_EQ(DownloadFileFormat(code).contentType, "image/gif");
        EXPECT_TRUE(download.descriptor.empty());
    }
}

TEST(Downloads, FileStemsNameAuthorAndLabelInOnePathSegment)
{
    GeneratedItem item = TestItem("5", "Blue Sky");
    EXPECT_EQ(DownloadFileStem(item), "Blue Sky");
    item.author = "";
    EXPECT_EQ(DownloadFileStem(item), "Blue Sky");
    item.author = "Kid Cosmo";
    EXPECT_EQ(DownloadFileStem(item), "Kid Cosmo - Blue Sky");
    item.lib = "AC/DC\\x\tBack\nIn";
    EXPECT_EQ(DownloadFileStem(item), "Kid Cosmo - AC_DC_xBackIn");
    item.author.reset();
    item.lib = "\t";
    EXPECT_EQ(DownloadFileStem(item), "5");
}
