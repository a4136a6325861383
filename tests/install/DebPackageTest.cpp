#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "StagedInstall.h"
#include "res/ProductVersion.h"

namespace fs = std::filesystem;

namespace {

// The one .deb that the fixture test install_package made.
fs::path Package()
{
    for (const auto& entry : fs::directory_iterator(PACKAGE_DIR))
        if (entry.path().extension() == ".deb")
            return entry.path();
    return {};
}

std::string Field(const fs::path& deb, const std::string& name)
{
    std::string value = RunProcess({"dpkg-deb", "--field", deb.string(), name}, ".").out;
    while (!value.empty() && value.back() == '\n')
        value.pop_back();
    return value;
}

TEST(DebPackageTest, ControlNamesVersionAndRuntimePackages)
{
    const fs::path deb = Package();
    ASSERT_FALSE(deb.empty());
    EXPECT_EQ(Field(deb, "Package"), "vantory");
    EXPECT_EQ(Field(deb, "Version"), Texts::PRODUCT_VERSION);
    std::string architecture = RunProcess({"dpkg", "--print-architecture"}, ".").out;
    EXPECT_EQ(Field(deb, "Architecture") + "\n", architecture);
    EXPECT_EQ(deb.filename().string(), std::string("vantory_") + Texts::PRODUCT_VERSION + "_" +
                                           architecture.substr(0, architecture.size() - 1) + ".deb");

    const std::string depends = ", " + Field(deb, "Depends") + ",";
    // The libraries the programs link, and the browser engine's render
    // process, which nothing links and without which no page shows.
    for (const char* package : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6webenginewidgets6",
                                "libqt6webenginecore6", "libqt6webenginecore6-bin", "libqt6webchannel6",
                                "libcurl4", "libstdc++6", "libc6"})
        EXPECT_TRUE(depends.find(", " + std::string(package) + " ") != std::string::npos ||
                    depends.find(", " + std::string(package) + ",") != std::string::npos)
            << package << " missing from" << depends;
    EXPECT_EQ(depends.find("-dev"), std::string::npos) << depends;
}

TEST(DebPackageTest, ContentsAreTheInstallationBelowUsr)
{
    const fs::path deb = Package();
    ASSERT_FALSE(deb.empty());
    const ProcessResult listing = RunProcess({"dpkg-deb", "--contents", deb.string()}, ".");
    ASSERT_EQ(listing.status, 0) << listing.err;
    std::set<std::string> files;
    std::istringstream lines(listing.out);
    for (std::string line; std::getline(lines, line);) {
        const size_t path = line.find(" ./");
        ASSERT_NE(path, std::string::npos) << line;
        const std::string name = line.substr(path + 3);
        EXPECT_EQ(name.rfind("usr/", 0), 0u) << name;
        EXPECT_EQ(line.find(" root/root "), 10u) << line;
        if (line[0] == '-')
            files.insert(name.substr(4));
    }
    EXPECT_EQ(files, FilesBelow(STAGE_DIR));
}

TEST(DebPackageTest, DependenciesResolveForInstall)
{
    const fs::path deb = Package();
    ASSERT_FALSE(deb.empty());
    const ProcessResult simulated = RunProcess({"apt-get", "--simulate", "install", deb.string()}, ".");
    EXPECT_EQ(simulated.status, 0) << simulated.out << simulated.err;
    EXPECT_NE(simulated.out.find("Inst vantory "), std::string::npos) << simulated.out;
}

TEST(DebPackageTest, UnpackedProgramsRunFromTheDesktopEntry)
{
    const fs::path deb = Package();
    ASSERT_FALSE(deb.empty());
    TestDir root{false};
    ASSERT_EQ(RunProcess({"dpkg-deb", "--extract", deb.string(), root.Path().string()}, ".").status, 0);
    const Installation unpacked(root.Path() / "usr");
    User user(unpacked);
    const ProcessResult gui = user.Run(unpacked.DesktopExec());
    EXPECT_EQ(gui.status, 0) << gui.err;
    EXPECT_EQ(gui.out, "vantory: main window shown\n");
    const ProcessResult load = user.Run({"vantoryctl", "load"});
    EXPECT_EQ(load.out, SampleCounts()) << load.err;
}

} // namespace
