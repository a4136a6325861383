#include <gtest/gtest.h>

#include <string>

#include "download/DownloadName.h"

namespace {

TEST(DownloadNameTest, DispositionGivesItsFileName)
{
    const struct
    {
        const char* header;
        const char* name;
    } cases[] = {
        {"attachment; filename=\"Snow Angel.mid\"", "Snow Angel.mid"},
        {"attachment; filename=tone.rtttl", "tone.rtttl"},
        {"attachment;filename=\"a\\\"b.gif\"", "a\"b.gif"},
        {"attachment; filename=\"plain.jar\"; filename*=UTF-8''%C3%89t%C3%A9.jar", "Été.jar"},
        {"attachment; FILENAME*=utf-8'en'caf%C3%A9.gif", "café.gif"},
        {"inline", ""},
        {"attachment; filename=", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DispositionFileName(c.header), c.name) << c.header;
}

TEST(DownloadNameTest, AddressGivesItsLastPathSegment)
{
    const struct
    {
        const char* address;
        const char* name;
    } cases[] = {
        {"http://host/media/tones/Snow%20Angel.mid?x=1#top", "Snow Angel.mid"},
        {"http://host/dl.php?t=15&id=3", "dl.php"},
        {"http://host/dir/", ""},
        {"http://host", ""},
        {"http://host?file=a.mid", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddressFileName(c.address), c.name) << c.address;
}

TEST(DownloadNameTest, NamesAreMadeSafe)
{
    const std::string longStem(300, 'a');
    const std::string longAccented = std::string(199, 'b') + "é";  // the cut falls inside the é
    const struct
    {
        std::string name;
        const char* contentType;
        std::string safe;
    } cases[] = {
        {"Snow Angel.mid", "audio/midi", "Snow Angel.mid"},
        {"Snow Angel", "audio/midi", "Snow Angel.mid"},
        {"Snow Angel", "audio/midi; charset=binary", "Snow Angel.mid"},
        {"Logo", "IMAGE/GIF", "Logo.gif"},
        {"Logo", "application/octet-stream", "Logo"},
        {"../../x", "text/x-rtttl", "x.rtttl"},
        {"..\\..\\evil.jar", "", "evil.jar"},
        {"/etc/passwd", "", "passwd"},
        {".hidden", "image/png", "hidden.png"},
        {"...", "image/png", ""},
        {" . name . ", "", "name"},
        {"a\tb\nc\x7f" "d.gif", "", "abcd.gif"},
        {"a\xc2\x85" "b", "", "ab"},                 // C1 control
        {"bad\xff" "byte.gif", "", "bad\xef\xbf\xbd" "byte.gif"},
        {longStem + ".mid", "", std::string(196, 'a') + ".mid"},
        {longAccented, "", std::string(199, 'b')},
        {"", "audio/midi", ""},
    };
    for (const auto& c : cases) {
        const std::string safe = SafeFileName(c.name, c.contentType);
        EXPECT_EQ(safe, c.safe) << c.name;
        EXPECT_LE(safe.size(), 200u);
    }
}

TEST(DownloadNameTest, TheFirstSourceThatGivesANameWins)
{
    EXPECT_EQ(ChooseFileName("attachment; filename=\"a.mid\"", "http://h/b.mid", "C", ""), "a.mid");
    EXPECT_EQ(ChooseFileName("attachment; filename=\"..\"", "http://h/b.mid", "C", ""), "b.mid");
    EXPECT_EQ(ChooseFileName("", "http://h/", "Kid Cosmo - Blue", "audio/midi"), "Kid Cosmo - Blue.mid");
    EXPECT_EQ(ChooseFileName("", "http://h/", "", "image/gif"), "download.gif");
}

TEST(DownloadNameTest, NumberedNamesKeepTheExtension)
{
    EXPECT_EQ(NumberedFileName("Name.mid", 1), "Name.mid");
    EXPECT_EQ(NumberedFileName("Name.mid", 2), "Name (2).mid");
    EXPECT_EQ(NumberedFileName("Name", 10), "Name (10)");
    EXPECT_EQ(NumberedFileName("archive.tar.gz", 3), "archive.tar (3).gz");
    EXPECT_EQ(NumberedFileName(std::string(196, 'a') + ".mid", 2).size(), 200u);
}

} // namespace
