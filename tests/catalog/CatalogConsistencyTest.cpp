#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "CatalogSnapshot.h"
#include "TestDir.h"
#include "catalog/CatalogLoader.h"
#include "catalog/CatalogPaths.h"
#include "catalog/ContentCatalog.h"

namespace {

namespace fs = std::filesystem;

// Random XML catalogs with everything the line format finds hard: line
// breaks in every field (raw, CR LF, lone CR, in CDATA), values longer than
// a cache line, labels whose upper case is longer, markup and references,
// invalid UTF-8, duplicate ids and ids that map to one file name, broken
// pages.
class RandomCatalog
{
public:
    explicit RandomCatalog(unsigned seed) : m_random(seed) {}

    void Write()
    {
        const int groups = Pick(9);
        std::string index = "<cats>";
        for (int g = 0; g < groups; ++g) {
            const std::string id = GroupId();
            index += "<ressource><id>" + id + "</id><lib>" + Text(3) + "</lib>"
                     + (Pick(4) == 0 ? "<lib>second</lib>" : "") + "</ressource>\n";
            WritePages(id);
        }
        WriteFile("data/java/cats.xml", Pick(10) == 0 ? index.substr(0, index.size() / 2) : index + "</cats>");
    }

private:
    int Pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    std::string GroupId()
    {
        static const char* const kIds[] = {"g1", "g2", "a?b", "a*b", "a/b", "sp ace", "nl\nx", "cr\rx", "\xC3\xA9t\xC3\xA9", ""};
        if (m_ids.empty() || Pick(3) != 0)
            m_ids.push_back(kIds[Pick(10)] + std::to_string(Pick(3)));
        return m_ids[static_cast<size_t>(Pick(static_cast<int>(m_ids.size())))];
    }

    std::string Fragment()
    {
        static const char* const kPieces[] = {
            "a", "b", "B", "\xC9\x90", "\xC3\xBF", "\xC3\x9F", "\xC4\xB1", " ", "\t", "\n", "\r", "\r\n",
            "&amp;", "&lt;", "&gt;", "&quot;", "&lt;b&gt;", "<b>x</b>", "</b>", "\\<", "\\\\",
            "<![CDATA[c\nd<]]>", "<!-- c -->", "\xFF", "\x80", "\xE2\x82", "&", ">", "'"};
        const int which = Pick(40);
        if (which == 0)
            return std::string(9990 + static_cast<size_t>(Pick(20)), 'x');
        if (which == 1) {
            std::string s;
            for (int i = 0; i < 4997 + Pick(5); ++i)
                s += "\xC3\xA9";
            return s;
        }
        return kPieces[which % (sizeof kPieces / sizeof *kPieces)];
    }

    std::string Text(int maxFragments)
    {
        std::string s;
        for (int i = Pick(maxFragments + 1); i > 0; --i)
            s += Fragment();
        return s;
    }

    void WritePages(const std::string& id)
    {
        const std::string dir = "data/java/" + SafeFileName(id) + "/";
        const int pages = Pick(4);
        for (int page = 1; page <= pages; ++page) {
            std::string xml = "<items>";
            for (int i = Pick(12); i > 0; --i) {
                xml += "<ressource>";
                static const char* const kFields[] = {"id", "lib", "author", "url_download", "desc", "file", "screenbox"};
                for (const char* field : kFields)
                    if (Pick(5) != 0)
                        xml += std::string("<") + field + ">" + (Pick(3) == 0 ? "same" : Text(3)) + "</" + field + ">";
                xml += "</ressource>\n";
            }
            if (Pick(8) == 0)
                xml.resize(xml.size() * 2 / 3);
            WriteFile(dir + std::to_string(page) + ".xml", xml);
        }
    }

    std::mt19937 m_random;
    std::vector<std::string> m_ids;
};

// Every line of every cache fits one read of the cache reader.
void ExpectReadableCaches()
{
    for (const auto& entry : fs::directory_iterator("data/java")) {
        if (entry.path().extension() != ".dat")
            continue;
        const std::string bytes = ReadFile(entry.path());
        size_t start = 0;
        for (size_t lf = bytes.find('\n'); lf != std::string::npos; lf = bytes.find('\n', start)) {
            ASSERT_LE(lf - start + 1, 9998u) << entry.path();
            start = lf + 1;
        }
        EXPECT_EQ(start, bytes.size()) << entry.path() << " ends without a line break";
    }
}

TEST(CatalogConsistencyTest, RebuildAndCacheLoadsAgreeOnRandomInputs)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TestDir dir;
        RandomCatalog(seed).Write();
        ContentCatalog catalog;
        LoadCatalog(catalog, "java", true);
        const std::vector<std::string> fromXml = Snapshot(catalog);
        ExpectReadableCaches();
        LoadCatalog(catalog, "java", false);
        ASSERT_EQ(Snapshot(catalog), fromXml);
        LoadCatalog(catalog, "java", true);
        ASSERT_EQ(Snapshot(catalog), fromXml);
    }
}

} // namespace
