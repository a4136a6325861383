#include "tools/catgen/JavaGamePackage.h"

#include <cstdint>
#include <vector>

#include "tools/catgen/CanvasShapes.h"
#include "tools/catgen/CatgenRandom.h"
#include "tools/catgen/PixelCanvas.h"
#include "tools/catgen/PngEncoder.h"
#include "tools/catgen/ZipWriter.h"

namespace {

constexpr std::size_t kMaxManifestLine = 72;  // bytes, the line break excluded

bool IsLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A manifest line: at most 72 bytes, then continuation lines that start
// with a blank; never broken inside a UTF-8 character.
void AppendManifestLine(std::string& out, std::string_view name, std::string_view value)
{
    std::string line = std::string(name) + ": " + std::string(value);
    std::size_t limit = kMaxManifestLine;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out.append(line, 0, cut);
        out += "\r\n ";
        line.erase(0, cut);
        limit = kMaxManifestLine - 1;  // the leading blank counts
    }
    out += line;
    out += "\r\n";
}

// The MIDlet's name: the label without commas, which separate the fields
// of MIDlet-1, and without line breaks.
std::string MidletName(std::string_view label)
{
    std::string name;
    for (const char c : label)
        if (c != ',' && c != '\n' && c != '\r')
            name += c;
    return name.empty() ? "Game" : name;
}

struct Attributes
{
    std::string name;
    std::string vendor;
    std::string version;
    std::string className;
    std::string profile;
    std::string configuration;
};

Attributes GameAttributes(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = CatgenRandom::ForText(item.id, static_cast<std::uint64_t>(typeCode) + 1);
    Attributes attributes;
    attributes.name = MidletName(item.lib);
    attributes.vendor = item.author && !item.author->empty() ? MidletName(*item.author)
                                                             : "Independent";
    attributes.version = "1." + std::to_string(random.Between(0, 4)) + "." +
                         std::to_string(random.Between(0, 9));
    attributes.className = MidletClassName(item.lib, item.id);
    const bool midp2 = random.Percent(70);
    attributes.profile = midp2 ? "MIDP-2.0" : "MIDP-1.0";
    attributes.configuration = midp2 && random.Percent(50) ? "CLDC-1.1" : "CLDC-1.0";
    return attributes;
}

std::string MidletLine(const Attributes& attributes)
{
    return attributes.name + ", /icon.png, " + attributes.className;
}

std::string Manifest(const Attributes& attributes)
{
    std::string text;
    AppendManifestLine(text, "Manifest-Version", "1.0");
    AppendManifestLine(text, "MIDlet-Name", attributes.name);
    AppendManifestLine(text, "MIDlet-Vendor", attributes.vendor);
    AppendManifestLine(text, "MIDlet-Version", attributes.version);
    AppendManifestLine(text, "MIDlet-1", MidletLine(attributes));
    AppendManifestLine(text, "MicroEdition-Profile", attributes.profile);
    AppendManifestLine(text, "MicroEdition-Configuration", attributes.configuration);
    text += "\r\n";
    return text;
}

void Put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void PutUtf8Constant(std::string& out, std::string_view text)
{
    out += '\x01';
    Put16(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

// A class file of version 45.3, which CLDC reads: the class, its super
// class and nothing else. Enough for a tool that lists or checks the JAR.
std::string ClassFile(const std::string& className)
{
    std::string out("\xCA\xFE\xBA\xBE", 4);
    Put16(out, 3);   // minor version
    Put16(out, 45);  // major version
    Put16(out, 5);   // constant pool count: four entries, from 1
    out += '\x07';   // #1 class, named by #2
    Put16(out, 2);
    PutUtf8Constant(out, className);
    out += '\x07';   // #3 class, named by #4
    Put16(out, 4);
    PutUtf8Constant(out, "javax/microedition/midlet/MIDlet");
    Put16(out, 0x0021);  // public, super
    Put16(out, 1);       // this class
    Put16(out, 3);       // super class
    Put16(out, 0);       // interfaces
    Put16(out, 0);       // fields
    Put16(out, 0);       // methods
    Put16(out, 0);       // attributes
    return out;
}

std::string Icon(int typeCode, const GeneratedItem& item)
{
    CatgenRandom random = CatgenRandom::ForText(item.id, static_cast<std::uint64_t>(typeCode) + 2);
    static const std::vector<GifColour> kBackgrounds = {
        {24, 24, 96}, {216, 40, 40}, {24, 112, 40}, {128, 56, 176}, {248, 152, 32}};
    const GifColour background = random.Pick(kBackgrounds);
    PixelCanvas canvas(24, 24, 0);
    DrawShape(canvas, PickShape(random), 3, 3, 18, 1, 0);
    return EncodePng(24, 24, canvas.Pixels(), {background, {255, 255, 255}});
}

} // namespace

std::string MidletClassName(std::string_view label, std::string_view id)
{
    std::string name;
    bool wordStart = true;
    for (const char c : label) {
        if (!IsLetterOrDigit(c)) {
            wordStart = true;
            continue;
        }
        name += wordStart && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        wordStart = false;
    }
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        name = "Game" + (name.empty() ? std::string(id) : name);
    return name;
}

JavaGamePackage RenderJavaGame(int typeCode, const GeneratedItem& item)
{
    const Attributes attributes = GameAttributes(typeCode, item);
    ZipWriter zip;
    zip.Add("META-INF/", "");
    zip.Add("META-INF/MANIFEST.MF", Manifest(attributes));
    zip.Add(attributes.className + ".class", ClassFile(attributes.className));
    zip.Add("icon.png", Icon(typeCode, item));

    JavaGamePackage game;
    game.jar = zip.Finish();
    const auto line = [&game](std::string_view name, std::string_view value) {
        game.jad += std::string(name) + ": " + std::string(value) + "\n";
    };
    line("MIDlet-1", MidletLine(attributes));
    line("MIDlet-Jar-Size", std::to_string(game.jar.size()));
    line("MIDlet-Jar-URL", item.urlDownload);
    line("MIDlet-Name", attributes.name);
    line("MIDlet-Vendor", attributes.vendor);
    line("MIDlet-Version", attributes.version);
    line("MicroEdition-Configuration", attributes.configuration);
    line("MicroEdition-Profile", attributes.profile);
    return game;
}
