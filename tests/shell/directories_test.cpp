#include "shell/directories.h"

#include "project/encoder.h"
#include "support/environment.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

TEST(Paths, WorkingDirectoryAddsOneSeparator)
{
    EXPECT_EQ(workingDirFor("/opt/qx"), "/opt/qx" + test::kSeparator + "temp");
    EXPECT_EQ(workingDirFor("/"), "/temp");
    EXPECT_EQ(joinName("/opt/qx/", "units"), "/opt/qx/units");
}

// A build folder keeps its files beside the program; an installed program
// keeps them in the user's data folder, where XDG_DATA_HOME points when it
// is an absolute path.
TEST(Paths, DefaultProgramDirectory)
{
    EXPECT_EQ(defaultProgramDir("/src/build", true), "/src/build");
    EXPECT_EQ(defaultProgramDir("/usr/bin", false), toText(userDataFolder()));
    const auto& slash = test::kSeparator;
    auto home = "/home/p" + slash + ".local/share" + slash + "quarvex";
    EXPECT_EQ(xdgDataFolder("/x/data", "/home/p"), "/x/data" + slash + "quarvex");
    EXPECT_EQ(xdgDataFolder(nullptr, "/home/p"), home);
    EXPECT_EQ(xdgDataFolder("relative", "/home/p"), home);
#ifdef _WIN32
    test::setEnvironment("LOCALAPPDATA", "C:\\Users\\p\\AppData\\Local");
    EXPECT_EQ(userDataFolder(), fs::path("C:\\Users\\p\\AppData\\Local\\Quarvex"));
#endif

    TempDir dir;
    EXPECT_FALSE(isUsableProgramDir(dir.text()));
    EXPECT_FALSE(isUsableProgramDir(toText(dir / "missing")));
    markDataFolder(dir.text());
    EXPECT_TRUE(isUsableProgramDir(dir.text()));
    EXPECT_TRUE(fs::exists(dir / ".quarvex-data"));
    test::writeText(dir / "readme.txt", "the player's own");
    markDataFolder(dir.text());
    EXPECT_EQ(readFile(dir / "readme.txt"), test::bytesOf("the player's own"));
}

TEST(SettingsFile, IsStoredCodedAsThreeCrLfLines)
{
    TempDir dir;
    Directories dirs{"/games/valkor", "/opt/qx", "/opt/qx/units"};
    writeSettings(dir / "localset.ini", dirs);
    auto stored = readFile(dir / "localset.ini");
    auto plain = test::bytesOf("/games/valkor\r\n/opt/qx\r\n/opt/qx/units\r\n");
    EXPECT_NE(stored, plain);
    EXPECT_EQ(encoder::coded(stored), plain);
    EXPECT_FALSE(fs::exists(dir / "localset.enc"));
    EXPECT_EQ(readSettings(dir / "localset.ini", dir / "scratch.tmp"), dirs);
    EXPECT_FALSE(fs::exists(dir / "scratch.tmp"));
}

TEST(SettingsFile, DamagedFilesGiveNoDirectories)
{
    TempDir dir;
    auto settings = dir / "localset.ini";
    auto scratch = dir / "scratch.tmp";
    EXPECT_EQ(readSettings(settings, scratch), std::nullopt);

    const char* damaged[] = {
        "/a\r\n/b\r\n",              // two lines
        "/a\r\n/b\r\n/c\r\n/d\r\n",  // four lines
        "/a\r\n/b\r\n/c",            // last line unterminated
        "/a\n/b\n/c\n",              // not CR LF
    };
    for (const char* text : damaged) {
        test::writeBytes(settings, encoder::coded(test::bytesOf(text)));
        EXPECT_EQ(readSettings(settings, scratch), std::nullopt) << text;
    }
    Bytes garbage(4096);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>(i * 31 + 7);
    test::writeBytes(settings, garbage);
    EXPECT_EQ(readSettings(settings, scratch), std::nullopt);
    test::writeText(settings, "plain\r\ntext\r\nnot coded\r\n");
    EXPECT_EQ(readSettings(settings, scratch), std::nullopt);
    EXPECT_FALSE(fs::exists(scratch));
}

TEST(RequiredFiles, AreFoundInAnyLetterCase)
{
    TempDir dir;
    for (const char* name : {"VK95.EXE", "Valkor.mix", "game.dat", "VKSETUP.exe"})
        test::writeText(dir / name, "x");
    EXPECT_EQ(missingFiles(dir.text(), {"vk95.exe", "valkor.mix", "game.dat", "vksetup.exe", "valkor.ini"}),
              std::vector<std::string>{"valkor.ini"});
    EXPECT_EQ(missingFiles((dir / "nowhere").string(), {"a"}), std::vector<std::string>{"a"});
}

// The old folder goes even though this run held it: on Windows its locked
// file could not be removed while the lock lasted.
TEST(WorkingDirectoryMove, MovesEveryFileAndRemovesTheOldFolder)
{
    TempDir dir;
    auto oldDir = dir / "old" / "temp";
    fs::create_directories(oldDir);
    auto oldLock = WorkingDirLock::acquire(oldDir);
    ASSERT_TRUE(oldLock);
    test::writeText(oldDir / "project.tmp", "project");
    test::writeText(oldDir / "icon.shp", "icon");
    fs::create_directories(dir / "new" / "temp");
    test::writeText(dir / "new" / "temp" / "icon.shp", "stale");

    moveWorkingDirectory(toText(oldDir), toText(dir / "new" / "temp"), oldLock);

    EXPECT_FALSE(fs::exists(oldDir));
    EXPECT_TRUE(fs::exists(dir / "old"));
    EXPECT_EQ(readFile(dir / "new" / "temp" / "project.tmp"), test::bytesOf("project"));
    EXPECT_EQ(readFile(dir / "new" / "temp" / "icon.shp"), test::bytesOf("icon"));
}

}
}
