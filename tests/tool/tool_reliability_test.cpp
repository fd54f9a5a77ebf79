// The tool under a failing disk and hostile inputs: a write that fails is
// reported and leaves the old files, and every refusal is one line.
#include "tool/run_tool.h"

#include "compiler/compile.h"
#include "stock/records.h"
#include "project/encoder.h"
#include "project/working_file.h"
#include "support/environment.h"
#include "support/faulty_disk.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>


#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace qx {
namespace {

using test::FaultyDisk;
using test::TempDir;

using Result = test::ToolResult;
using test::runTool;

using test::writePng;

bool anyScratchIn(const fs::path& dir)
{
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        if (entry.path().extension() == ".part")
            return true;
    }
    return false;
}

class ToolWrites : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::writeText(dir / "one.shp", "SHP-ONE");
        writePng(dir / "red.png", 3, 2, test::kRed);
        writePng(dir / "blue.png", 3, 2, test::kBlue);
        ASSERT_EQ(runTool({"make-library", "--kind", "unit", "--title", "T", "--out", path("t.vkl"),
                           path("one.shp") + ":" + path("red.png") + "," + path("blue.png")})
                      .status,
                  0);
    }
    std::string path(const char* name) const { return toText(dir / name); }
    std::string noSpace(const char* name) const
    {
        return "qxtool: Cannot write file " + path(name) + ": No space left on device\n";
    }

    TempDir dir;
};

// A close that fails once the disk is full: the command says so, exits 1 and
// the old file stays.
TEST_F(ToolWrites, AFailedCloseIsReportedAndLeavesTheOldFile)
{
    const std::vector<std::pair<const char*, std::vector<std::string>>> commands = {
        {"coded", {"encode", path("one.shp"), path("coded")}},
        {"made.vkl", {"make-library", "--kind", "unit", "--title", "T", "--out", path("made.vkl"),
                      path("one.shp") + ":" + path("red.png")}},
        {"out.shp", {"extract", path("t.vkl"), "0", path("out.shp")}},
    };
    for (const auto& [target, args] : commands) {
        test::writeText(dir / target, "old");
        FaultyDisk disk(FaultyDisk::Call::Close, ENOSPC);
        auto result = runTool(args);
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.err, noSpace(target));
        EXPECT_EQ(readFile(dir / target), test::bytesOf("old")) << args[0];
    }
    EXPECT_FALSE(anyScratchIn(dir.path()));
}

TEST_F(ToolWrites, FramesAreWrittenWholeOrNotAtAll)
{
    ASSERT_EQ(runTool({"frames", path("t.vkl"), "0", path("frames")}).status, 0);
    auto firstRun = readFile(dir / "frames" / "001.png");
    test::writeText(dir / "frames" / "001.png", "an earlier frame");
    {
        // The disk fills up during the second frame.
        FaultyDisk disk(FaultyDisk::Call::Write, ENOSPC, 1);
        auto result = runTool({"frames", path("t.vkl"), "0", path("frames")});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "qxtool: Cannot write file " + toText(dir / "frames" / "001.png") + ": No space left on device\n");
    }
    EXPECT_EQ(readFile(dir / "frames" / "001.png"), test::bytesOf("an earlier frame"));
    EXPECT_EQ(test::pixelAt(dir / "frames" / "000.png", 0, 0), test::kRed);
    EXPECT_FALSE(anyScratchIn(dir.path()));
    ASSERT_EQ(runTool({"frames", path("t.vkl"), "0", path("frames")}).status, 0);
    EXPECT_EQ(readFile(dir / "frames" / "001.png"), firstRun);
}

TEST_F(ToolWrites, AFolderInTheWayOfTheOutputLeavesNoScratch)
{
    fs::create_directories(dir / "taken" / "inside");
    auto result = runTool({"extract", path("t.vkl"), "0", path("taken")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "qxtool: Cannot replace file " + path("taken") + ": Is a directory\n");
    EXPECT_FALSE(anyScratchIn(dir.path()));
}

class ToolCompileWrites : public ToolWrites {
protected:
    void SetUp() override
    {
        ToolWrites::SetUp();
        fs::create_directories(dir / "game");
        for (const char* name : {"rules.ini", "sc-qx.mix", "curqxp.set"})
            test::writeText(dir / "game" / name, std::string("old ") + name);
        project::createEmpty(dir / "p.tmp");
        auto unit = records::defaults(EntryKind::Unit);
        unit.text("internalName") = "ABCD";
        unit.sizes = {0, 0, 2, 3};
        unit.number("frameCount") = 64;
        project::append(dir / "p.tmp", dir / "s", {EntryKind::Unit, "Tank", records::pack(unit), {Bytes(2, 1), Bytes(3, 2)}});
        test::writeBytes(dir / "p.qxp", encoder::coded(readFile(dir / "p.tmp")));
    }
    Result compile() { return runTool({"compile", path("p.qxp"), "--game-dir", path("game")}); }
    void expectOldOutputs()
    {
        for (const char* name : {"rules.ini", "sc-qx.mix", "curqxp.set"})
            EXPECT_EQ(readFile(dir / "game" / name), test::bytesOf(std::string("old ") + name)) << name;
    }
};

// Whichever output fails, none replaces its old file: the game directory
// never holds files of two compiles.
TEST_F(ToolCompileWrites, AFailureAtAnyOutputInstallsNone)
{
    // Two closes write the archive and rules, the next three keep the game's
    // own files, the last three write the compiled project, the manifest and
    // the install journal.
    const std::string keeping = "qxtool: The game's own files could not be kept, so nothing was installed: ";
    for (int passing = 0; passing < 8; ++passing) {
        fs::remove_all(dir / "game" / "quarvex-originals");
        FaultyDisk disk(FaultyDisk::Call::Close, ENOSPC, passing);
        auto result = compile();
        EXPECT_EQ(result.status, 1) << passing;
        auto expected = (passing >= 2 && passing < 5 ? keeping : "qxtool: ") + "Cannot write file " + path("game") + test::kSeparator;
        EXPECT_TRUE(result.err.starts_with(expected)) << result.err;
        expectOldOutputs();
    }
    {
        FaultyDisk disk(FaultyDisk::Call::Fsync, EIO, 2);
        EXPECT_EQ(compile().status, 1);
        expectOldOutputs();
    }
    EXPECT_FALSE(anyScratchIn(dir.path()));
    EXPECT_EQ(compile().status, 0);
    EXPECT_NE(readFile(dir / "game" / "rules.ini"), test::bytesOf("old rules.ini"));
}

TEST_F(ToolCompileWrites, NoScratchFolderIsLeftInTheTemporaryDirectory)
{
    fs::create_directories(dir / "tmp");
    const char* saved = std::getenv("TMPDIR");
    std::string before = saved ? saved : "";
    test::setEnvironment("TMPDIR", path("tmp"));
    auto result = compile();
    test::setEnvironment("TMPDIR", before);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::is_empty(dir / "tmp"));
}

class ToolPictures : public ToolWrites {};

// The maker writes only libraries that the reader takes.
TEST_F(ToolPictures, FramesTheReaderWouldRefuseAreRefusedBeforeDecoding)
{
    writePng(dir / "wide.png", 4097, 1, test::kRed);
    auto wide = runTool({"make-library", "--kind", "unit", "--title", "T", "--out", path("w.vkl"),
                         path("one.shp") + ":" + path("wide.png")});
    EXPECT_EQ(wide.status, 1);
    EXPECT_EQ(wide.err, "qxtool: The picture " + path("wide.png") +
                            " cannot go into a library: A frame of 4097 x 1 pixels is too large: at most 4096 x 4096 "
                            "pixels are taken.\n");
    EXPECT_FALSE(fs::exists(dir / "w.vkl"));

    writePng(dir / "big.png", 2048, 2048, test::kRed);
    std::string frames = path("one.shp") + ":" + path("big.png");
    for (int i = 0; i < 16; ++i)
        frames += "," + path("big.png");
    auto many = runTool({"make-library", "--kind", "unit", "--title", "T", "--out", path("m.vkl"), frames});
    EXPECT_EQ(many.status, 1);
    EXPECT_EQ(many.err, "qxtool: The picture " + path("big.png") +
                            " cannot go into a library: 17 frames of 2048 x 2048 pixels are too many for one image "
                            "list.\n");
}

TEST(ToolStockRefusal, AnUnknownObjectIsAnError)
{
    auto result = runTool({"stock", "unit", "NOSUCH"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "qxtool: The stock rules hold no unit NOSUCH.\n");
    EXPECT_EQ(runTool({"stock", "unit", "E1\nX\x1b"}).err, "qxtool: The stock rules hold no unit E1\\nX\\x1b.\n");
    EXPECT_EQ(runTool({"stock", "unit", "4tnk"}).status, 0);
}

}
}
