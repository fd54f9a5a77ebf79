#include "tool/run_tool.h"

#include "archive/mix_reader.h"
#include "archive/mix_writer.h"
#include "compiler/rules_writer.h"
#include "stock/records.h"
#include "project/encoder.h"
#include "project/package.h"
#include "support/pictures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>


#include <sstream>
#include <sys/stat.h>

namespace qx {
namespace {

using test::TempDir;

using Result = test::ToolResult;
using test::runTool;

TEST(ToolCode, EncodeAndDecodeAreTheSameOperation)
{
    TempDir dir;
    auto plain = test::bytesOf("some plain bytes");
    test::writeBytes(dir / "plain", plain);
    auto result = runTool({"encode", toText(dir / "plain"), toText(dir / "coded")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readFile(dir / "coded"), encoder::coded(plain));
    EXPECT_EQ(runTool({"decode", toText(dir / "coded"), toText(dir / "back")}).status, 0);
    EXPECT_EQ(readFile(dir / "back"), plain);
}

TEST(ToolCode, MissingInputFailsWithOneLine)
{
    TempDir dir;
    auto result = runTool({"decode", toText(dir / "missing"), toText(dir / "out")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "qxtool: Cannot open file " + toText(dir / "missing") + ": No such file or directory\n");
    EXPECT_FALSE(fs::exists(dir / "out"));
}

TEST(ToolCode, WrongArgumentsShowUsage)
{
    auto none = runTool({});
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(none.out.empty());
    EXPECT_TRUE(none.err.starts_with("usage: qxtool COMMAND ARGUMENTS, one of:\n"));
    EXPECT_EQ(runTool({"encode", "only-one"}).err, "usage: qxtool encode|decode IN OUT\n");
    EXPECT_EQ(runTool({"unknown"}).status, 2);
}

TEST(ToolHelp, HelpAndVersionGoToStandardOutput)
{
    auto help = runTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.err.empty());
    EXPECT_EQ(help.out, runTool({}).err);
    EXPECT_NE(help.out.find("\n  qxtool frames FILE.vkl INDEX OUTDIR\n"), std::string::npos);
    EXPECT_EQ(help.out.find("encode|decode IN OUT"), help.out.rfind("encode|decode IN OUT"));

    auto command = runTool({"compile", "--help"});
    EXPECT_EQ(command.status, 0);
    EXPECT_EQ(command.out, "usage: qxtool compile PACKAGE --game-dir DIR [--yes] [--preview]\n");

    auto version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("qxtool ") + QX_VERSION + "\n");
}

}
}

namespace qx {
namespace {

TEST(ToolList, PrintsTheLinesOfAnOpenedPackageInUtf8)
{
    TempDir dir;
    project::append(dir / "p.tmp", dir / "s", {EntryKind::Unit, "Panzer \xe9", Bytes(220), {}});
    project::append(dir / "p.tmp", dir / "s", {EntryKind::Projectile, "Cannon [Cannon]", Bytes(44), {}});
    project::savePackage(dir / "p.tmp", dir / "p.qxp");
    auto result = runTool({"list", toText(dir / "p.qxp")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Unit: Panzer \u00e9\nProjectile: Cannon [Cannon]\n");
}

// The entries, then what the rules text carries; a file without sections is
// refused and writes nothing.
TEST(ToolImportRules, PrintsTheEntriesAndWhatTheyDoNotCarry)
{
    TempDir dir;
    auto text = compiler::rulesFileText(compiler::stockRules());
    text.replace(text.find("Strength=400", text.find("[3TNK]")), 12, "Strength=450\r\nVoice=VTANK");
    test::writeText(dir / "rules.ini", text);
    auto result = runTool({"import-rules", toText(dir / "rules.ini"), toText(dir / "mod.qxp")});
    EXPECT_EQ(result.status, 0);
    const std::string lines = "Unit: Heavy Tank\nRules text: rules.ini (2 lines in 1 section)\n";
    EXPECT_EQ(result.out,
              lines + "rules.ini:382: [3TNK] Voice=VTANK carried as rules text: the unit editor has no field for Voice\n");
    EXPECT_EQ(runTool({"list", toText(dir / "mod.qxp")}).out, lines);

    test::writeText(dir / "notes.ini", "just notes\n");
    auto refused = runTool({"import-rules", toText(dir / "notes.ini"), toText(dir / "notes.qxp")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "qxtool: notes.ini holds no section, so it is no rules file.\n");
    EXPECT_FALSE(fs::exists(dir / "notes.qxp"));
    EXPECT_EQ(runTool({"import-rules", toText(dir / "rules.ini")}).status, 2);
}

TEST(ToolList, RefusesAFileThatIsNoPackage)
{
    TempDir dir;
    test::writeText(dir / "x.qxp", "not a package at all");
    auto result = runTool({"list", toText(dir / "x.qxp")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "qxtool: This is not a valid Quarvex project!\n");
    EXPECT_EQ(result.out, "");
}

}
}

namespace qx {
namespace {

TEST(ToolStock, PrintsTheLoadedFields)
{
    auto result = runTool({"stock", "weapon", "Colt45"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Weapon to be replaced: Tanya's Pistol [Colt45]\n"
                          "Damage: 50\n"
                          "Delay Time: 5\n"
                          "Range: 5,75\n"
                          "Projectile: Invisible Flight to Target [Invisible]\n"
                          "Speed: 100\n"
                          "Warhead: Anti-Infantry Rifle Bullet [HollowPoint]\n"
                          "Sound to be used: Pistol Shot [GUN5]\n");
    EXPECT_EQ(runTool({"stock", "tank", "4TNK"}).status, 2);
}

TEST(ToolRulesText, CheckPrintsEachFindingAndExitsWithOne)
{
    TempDir dir;
    test::writeText(dir / "mod.ini", "[3TNK]\r\ncrewed=no\r\n[Lonely]\r\nX=1\r\n");
    auto result = runTool({"rules-text", "check", toText(dir / "mod.ini")});
    EXPECT_EQ(result.out, "mod.ini:2: the game reads no key crewed in [3TNK]: it reads Crewed\n"
                          "mod.ini:3: note: [Lonely] is no section of the game and no line names it: the game "
                          "ignores it, though an extended game may read it\n");
    EXPECT_EQ(result.status, 1);
    test::writeText(dir / "good.ini", "[3TNK]\r\nCrewed=no\r\n");
    EXPECT_EQ(runTool({"rules-text", "check", toText(dir / "good.ini")}).status, 0);
    EXPECT_EQ(runTool({"rules-text", "add", toText(dir / "good.ini")}).status, 2);
}

// An archive of the game folder, found in any letter case, with one inside
// it: listed with names, identifiers, sizes and kinds, described, and its
// members written out by name or identifier.
TEST(ToolMix, ListsDescribesAndExtracts)
{
    TempDir dir;
    archive::MixArchive inner;
    inner.add("rules.ini", test::bytesOf("[General]\r\n"));
    archive::MixArchive outer;
    Bytes shp(14 + 8 * 3 + 4);
    shp[0] = 1;
    shp[6] = 24;
    shp[8] = 20;
    outer.add("3tnk.shp", shp);
    outer.add("valkor.mix", inner.bytes());
    outer.add("x.bin", test::bytesOf("?"));
    fs::create_directories(dir / "game");
    test::writeBytes(dir / "game" / "MAIN.MIX", outer.bytes());

    auto list = runTool({"mix", "list", "main.mix", "--game-dir", toText(dir / "game")});
    EXPECT_EQ(list.status, 0);
    auto id = [](const std::string& name) { return archive::idText(archive::nameHash(name)); };
    EXPECT_EQ(list.out, id("x.bin") + " " + id("x.bin") + " 1 other\nvalkor.mix " + id("valkor.mix") +
                            " 29 archive\n3tnk.shp " + id("3tnk.shp") + " 42 SHP graphic, 1 frame of 24x20\n");
    EXPECT_EQ(runTool({"mix", "list", toText(dir / "game" / "MAIN.MIX") + "/valkor.mix"}).out,
              "rules.ini " + id("rules.ini") + " 11 text\n");
    EXPECT_EQ(runTool({"mix", "info", toText(dir / "game" / "MAIN.MIX")}).out,
              "index: plain\nflags: 0\nmembers: 3\nbody: 72 bytes from byte 42\ndigest: none\n");

    auto extract = runTool({"mix", "extract", toText(dir / "game" / "MAIN.MIX"), toText(dir / "out"), "valkor.mix", id("x.bin")});
    EXPECT_EQ(extract.out, "valkor.mix\n" + id("x.bin") + "\n");
    EXPECT_EQ(readFile(dir / "out" / "valkor.mix"), inner.bytes());
    EXPECT_EQ(readFile(dir / "out" / id("x.bin")), test::bytesOf("?"));

    auto missing = runTool({"mix", "list", "other.mix", "--game-dir", toText(dir / "game")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "qxtool: The game folder " + toText(dir / "game") + " has no archive other.mix.\n");
    test::writeBytes(dir / "bad.mix", Bytes{1, 0});
    EXPECT_EQ(runTool({"mix", "info", toText(dir / "bad.mix")}).err, "qxtool: bad.mix: it is too short to be an archive\n");
}

class ToolCompile : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir / "game"); }
    void package(const std::vector<project::NewEntry>& entries)
    {
        project::createEmpty(dir / "p.tmp");
        for (const auto& entry : entries)
            project::append(dir / "p.tmp", dir / "s", entry);
        project::savePackage(dir / "p.tmp", dir / "p.qxp");
    }
    Result compile(bool yes)
    {
        std::vector<std::string> args{"compile", toText(dir / "p.qxp"), "--game-dir", toText(dir / "game")};
        if (yes)
            args.push_back("--yes");
        return runTool(args);
    }

    TempDir dir;
};

TEST_F(ToolCompile, InstallsTheRulesFile)
{
    package({{EntryKind::Warhead, "Armor Piercing [AP]", Bytes{2, 100, 50, 25, 10, 5, 0, 0, 1, 0, 0, 0}, {}}});
    auto result = compile(false);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "information: No graphics to compile.\ninformation: RulesINI compilation successful!\n");
    EXPECT_TRUE(fs::exists(dir / "game" / "rules.ini"));
    EXPECT_TRUE(fs::exists(dir / "game" / "curqxp.set"));

    auto status = runTool({"status", "--game-dir", toText(dir / "game")});
    EXPECT_EQ(status.status, 0);
    EXPECT_TRUE(status.out.ends_with("rules.ini: from that compile\nThe game's own files are kept in quarvex-originals; "
                                     "a restore puts them back.\n"))
        << status.out;
    auto restore = runTool({"restore", "--game-dir", toText(dir / "game")});
    EXPECT_EQ(restore.status, 0);
    EXPECT_EQ(restore.out, "removed rules.ini\nremoved curqxp.set\n");
    EXPECT_EQ(runTool({"status", "--game-dir", toText(dir / "game")}).out,
              toText(dir / "game") + " holds the game's own files: Quarvex has not changed it.\n");
    auto again = runTool({"restore", "--game-dir", toText(dir / "game")});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "Nothing to restore: Quarvex has not changed " + toText(dir / "game") + ".\n");
}

TEST_F(ToolCompile, AnswersQuestionsNoUnlessTold)
{
    project::NewEntry weapon{EntryKind::Weapon, "W\xe9", Bytes(24), {}};
    package({weapon, weapon});
    auto result = compile(false);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "Warning: Values for W\u00e9 (2) redefined!\n"
                          "question: An error has occurred / Do you want to continue?\n");
    EXPECT_FALSE(fs::exists(dir / "game" / "rules.ini"));
    EXPECT_EQ(compile(true).status, 0);
}

// A rules text joins the package as its last entry and is applied after
// every other entry; one the game would not read as written is refused
// with its line, and the package stays as it was.
TEST_F(ToolCompile, RulesTextIsAddedAndAppliedLast)
{
    package({{EntryKind::Warhead, "Armor Piercing [AP]", Bytes{2, 100, 50, 25, 10, 5, 0, 0, 1, 0, 0, 0}, {}}});
    test::writeText(dir / "mod.ini", "; crews\r\n[3TNK]\r\nCrewed=no\r\n[AP]\r\nSpread=7\r\n");
    auto added = runTool({"rules-text", "add", toText(dir / "p.qxp"), toText(dir / "mod.ini"), "--name", "Crews"});
    EXPECT_EQ(added.out, "Rules text: Crews (5 lines in 2 sections)\n");
    EXPECT_EQ(runTool({"list", toText(dir / "p.qxp")}).out, "Warhead: Armor Piercing [AP]\n" + added.out);
    auto before = readFile(dir / "p.qxp");
    const std::pair<std::string, std::string> refused[] = {
        {"[A]\r\nB=" + std::string(130, 'b') + "\r\n", "bad.ini:2: a line of 132 bytes, of which the game reads only the first 127\n"},
        {std::string("[A]\r\nB=\x01\r\n"), "bad.ini:2: the control character \\x01: this is no rules text\n"},
    };
    for (const auto& [text, err] : refused) {
        test::writeText(dir / "bad.ini", text);
        auto result = runTool({"rules-text", "add", toText(dir / "p.qxp"), toText(dir / "bad.ini")});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, err);
    }
    EXPECT_EQ(readFile(dir / "p.qxp"), before);

    EXPECT_EQ(compile(false).status, 0);
    auto rules = readFile(dir / "game" / "rules.ini");
    auto text = std::string(rules.begin(), rules.end());
    EXPECT_TRUE(text.starts_with("; crews\r\n"));
    EXPECT_NE(text.find("[AP]\r\nSpread=7\r\nWall=no\r\n"), std::string::npos);
    auto tank = text.find("[3TNK]\r\n");
    EXPECT_NE(text.substr(tank, text.find("\r\n[", tank) - tank).find("\r\nCrewed=no"), std::string::npos);
}

// The preview names each key the expansion sets again, wherever its file
// lies, and a game whose archives hold another release's rules.ini; status
// tells the latter too.
TEST_F(ToolCompile, PreviewNamesWhatTheGameReadsAfterUs)
{
    package({{EntryKind::Warhead, "Armor Piercing [AP]", Bytes{2, 100, 50, 25, 10, 5, 0, 0, 1, 0, 0, 0}, {}}});
    auto preview = [&] {
        return runTool({"compile", toText(dir / "p.qxp"), "--game-dir", toText(dir / "game"), "--preview"}).out;
    };
    EXPECT_EQ(preview().find("overridden"), std::string::npos);
    archive::MixArchive inner;
    inner.add("aftrmath.ini", test::bytesOf("[AP]\r\nSpread=9\r\nVerses=1,1,1,1,1\r\n"));
    inner.add("rules.ini", test::bytesOf("[AP]\r\nSpread=3\r\n"));
    archive::MixArchive outer;
    outer.add("valkor.mix", inner.bytes());
    test::writeBytes(dir / "game" / "Expand.MIX", outer.bytes());
    auto text = preview();
    EXPECT_TRUE(text.starts_with("[AP] Spread=1 is overridden in play by aftrmath.ini:2 (Spread=9)\n[AP] "
                                 "Verses=100%,50%,25%,10%,5% is overridden in play by aftrmath.ini:3 (Verses=1,1,1,1,1)\n"))
        << text;
    auto note = runTool({"status", "--game-dir", toText(dir / "game")}).out;
    EXPECT_TRUE(note.ends_with("\nThe game's archives hold a rules.ini that differs from the stock rules text Quarvex "
                               "compiles from in 2030 keys.\n"))
        << note;
}

// The preview writes nothing; its diff, applied by patch to the game's own
// rules.ini, gives what the compile installs.
// A value the game would read otherwise is asked about; any message of kind
// error, even after an install, ends with status 1.
TEST_F(ToolCompile, EveryErrorExitsWithOne)
{
    Bytes far(24);
    far[8] = 0x84;  // a range of 457 cells
    far[9] = 0xb2;
    package({{EntryKind::Weapon, "Far", far, {}}});
    auto result = compile(true);
    EXPECT_EQ(result.out, "Warning: Far (1): Range is beyond what the game holds (a number from 0 to 255).\n"
                          "question: An error has occurred / Do you want to continue?\n"
                          "information: No graphics to compile.\ninformation: RulesINI compilation successful!\n");
    EXPECT_EQ(result.status, 0);

    auto lost = records::defaults(EntryKind::Unit);
    lost.number("replaced") = 200;
    package({{EntryKind::Unit, "Lost", records::pack(lost), {}}});
    result = compile(true);
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "error: Internal Error #10");
    EXPECT_EQ(result.status, 1);
}

TEST_F(ToolCompile, PreviewShowsExactlyWhatTheCompileWrites)
{
    auto unit = records::defaults(EntryKind::Unit);
    unit.text("internalName") = "ABCD";
    unit.number("strength") = 777;
    unit.number("tolerance") = 300;
    unit.sizes = {0, 0, 2, 3};
    package({{EntryKind::Unit, "Tank", records::pack(unit), {Bytes(2, 1), Bytes(3, 2)}}});
    test::writeText(dir / "game" / "rules.ini", compiler::rulesFileText(compiler::stockRules()) + "; mine\r\n");
    auto args = std::vector<std::string>{"compile", toText(dir / "p.qxp"), "--game-dir", toText(dir / "game"), "--preview"};
    auto preview = runTool(args);
    EXPECT_EQ(preview.status, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "game"), fs::directory_iterator()), 1);
    EXPECT_TRUE(preview.out.starts_with("information: Graphics compilation successful!\n"
                                        "information: RulesINI compilation successful!\n--- a/rules.ini\n+++ b/rules.ini\n@@"));
    EXPECT_TRUE(preview.out.ends_with("\nABCD.shp 3\nABCDicon.shp 2\n")) << preview.out;
    EXPECT_NE(preview.out.find("+Strength=777\r\n"), std::string::npos);

    if (!test::patchWorks())
        return;
    fs::copy_file(dir / "game" / "rules.ini", dir / "patched.ini");
    test::writeText(dir / "change.diff", preview.out);
    auto command = "cd " + dir.text() + " && patch -s patched.ini change.diff";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(compile(false).status, 0);
    EXPECT_EQ(readFile(dir / "patched.ini"), readFile(dir / "game" / "rules.ini"));
}

TEST_F(ToolCompile, AMissingGameDirectoryExitsWithOne)
{
    package({{EntryKind::Weapon, "W", Bytes(24), {}}});
    auto missing = toText(dir / "gmaes" / "valkor");
    for (const auto& args : {std::vector<std::string>{"compile", toText(dir / "p.qxp"), "--game-dir", missing},
                             {"compile", toText(dir / "p.qxp"), "--game-dir", missing, "--preview"},
                             {"restore", "--game-dir", missing}}) {
        auto result = runTool(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "qxtool: The game directory " + missing + " does not exist.\n");
    }
    EXPECT_FALSE(fs::exists(dir / "gmaes"));
}

TEST_F(ToolCompile, UnreadablePackageExitsWithTwo)
{
    test::writeText(dir / "p.qxp", "garbage");
    auto result = compile(false);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "qxtool: This is not a valid Quarvex project!\n");
}

}
}

namespace qx {
namespace {

class ToolLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::writeText(dir / "one.shp", "SHP-ONE");
        test::writeText(dir / "two.shp", "SHP-TWO!");
        test::writePng(dir / "red.png", 3, 2, test::kRed);
        test::writePng(dir / "clear.png", 3, 2, test::kClear);
    }
    std::string path(const char* name) const { return toText(dir / name); }

    TempDir dir;
};

TEST_F(ToolLibrary, MakeListExtractFrames)
{
    auto made = runTool({"make-library", "--kind", "unit", "--title", "Tanks", "--out", path("t.vkl"),
                         path("one.shp") + ":" + path("red.png") + "," + path("clear.png"), path("two.shp") + ":" + path("red.png")});
    ASSERT_EQ(made.status, 0) << made.err;
    auto listed = runTool({"library", path("t.vkl")});
    EXPECT_EQ(listed.out, "Unit VKL:  Tanks\nimages: 2\n"
                          "0: offset 0, size 7, 2 frames of 3x2\n"
                          "1: offset 7, size 8, 1 frames of 3x2\n");
    EXPECT_EQ(runTool({"extract", path("t.vkl"), "1", path("out.shp")}).status, 0);
    EXPECT_EQ(readFile(dir / "out.shp"), test::bytesOf("SHP-TWO!"));
    EXPECT_EQ(runTool({"frames", path("t.vkl"), "0", path("frames")}).status, 0);
    EXPECT_EQ(test::pixelAt(dir / "frames" / "000.png", 2, 1), test::kRed);
    EXPECT_EQ(test::pixelAt(dir / "frames" / "001.png", 0, 0), test::kClear);
    EXPECT_FALSE(fs::exists(dir / "frames" / "002.png"));
}

TEST_F(ToolLibrary, IconLibraryAndRefusals)
{
    ASSERT_EQ(runTool({"make-library", "--kind", "icon", "--title", "Icons", "--out", path("i.vkl"),
                       path("one.shp") + ":" + path("red.png"), path("two.shp") + ":" + path("clear.png")})
                  .status,
              0);
    EXPECT_EQ(runTool({"library", path("i.vkl")}).out,
              "Icon VKL:  Icons\nimages: 2\n0: offset 0, size 7, 1 frame of 3x2\n1: offset 7, size 8, 1 frame of 3x2\n");
    EXPECT_EQ(runTool({"frames", path("i.vkl"), "1", path("icon")}).status, 0);
    EXPECT_EQ(test::pixelAt(dir / "icon" / "000.png", 1, 1), test::kClear);

    auto invalid = runTool({"library", path("one.shp")});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.err, "qxtool: This is not a valid Valkor Library!\n");
    EXPECT_EQ(runTool({"library", path("none.vkl")}).err, "qxtool: File does not exist!\n");
    EXPECT_EQ(runTool({"extract", path("i.vkl"), "2", path("x")}).status, 1);
    EXPECT_EQ(runTool({"frames", path("i.vkl"), "x", path("x")}).status, 2);
    EXPECT_EQ(runTool({"make-library", "--kind", "tank", "--out", path("x.vkl")}).status, 2);
}

}
}
