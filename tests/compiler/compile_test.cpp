#include "compiler/compile.h"
#include "compiler/game_originals.h"
#include "compiler/install_journal.h"

#include "common/error.h"
#include "archive/mix_writer.h"
#include "compiler/rules_writer.h"
#include "stock/records.h"
#include "project/encoder.h"
#include "project/working_file.h"
#include "support/errors.h"
#include "support/faulty_disk.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <random>

namespace qx::compiler {
namespace {

using test::TempDir;

records::ObjectRecord objectOf(EntryKind kind, std::initializer_list<std::pair<const char*, std::int32_t>> numbers)
{
    auto record = records::defaults(kind);
    for (auto [id, value] : numbers)
        record.number(id) = value;
    return record;
}

struct Recorder : CompileReporter {
    void warning(const std::string& line) override { log.push_back("warning: " + line); }
    void error(const std::string& text) override { log.push_back("error: " + text); }
    void information(const std::string& text) override { log.push_back("information: " + text); }
    bool confirm(const std::string& text) override
    {
        log.push_back("question: " + text);
        return answer;
    }
    std::vector<std::string> log;
    bool answer = false;
};

class Compile : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(dir / "work");
        fs::create_directories(dir / "game");
        project::createEmpty(file());
    }

    fs::path file() const { return dir / "work" / "project.tmp"; }
    void add(EntryKind kind, const std::string& name, Bytes record, std::vector<Bytes> parts = {})
    {
        project::append(file(), dir / "work" / "tempqxp.tmp", {kind, name, std::move(record), std::move(parts)});
        ++count;
    }
    void addUnit(const std::string& name, const std::string& internal, bool graphics, std::uint8_t replaced = 1)
    {
        auto unit = records::defaults(EntryKind::Unit);
        unit.text("name") = name;
        unit.text("internalName") = internal;
        unit.number("replaced") = replaced;
        std::vector<Bytes> parts;
        if (graphics) {
            unit.sizes = {3, 4, 10, 20};
            unit.number("frameCount") = 64;
            parts = {Bytes(3, 'p'), Bytes(4, 'f'), Bytes(10, 'i'), Bytes(20, 'u')};
        }
        add(EntryKind::Unit, name, records::pack(unit), parts);
    }
    CompileOutcome compile(std::size_t lines) { return compileProject({file(), dir / "work", toText(dir / "game")}, lines, reporter); }
    CompileOutcome compile() { return compile(count); }
    bool installed(const char* name) const { return fs::exists(dir / "game" / name); }

    TempDir dir;
    Recorder reporter;
    std::size_t count = 0;
};

TEST_F(Compile, ListAndFileOutOfStepNeverCompiles)
{
    add(EntryKind::Warhead, "Armor Piercing [AP]", records::pack(objectOf(EntryKind::Warhead, {{"replaced", 2}})));
    EXPECT_EQ(compile(2), CompileOutcome::Stopped);
    EXPECT_EQ(reporter.log, (std::vector<std::string>{"warning: Cannot compile Project",
                                                      "error: Fatal Error\rCannot compile project!"}));
    EXPECT_FALSE(installed("rules.ini"));
}

TEST_F(Compile, RedefinedEntriesAskBeforeCompiling)
{
    addUnit("Tank", "", false);
    addUnit("Tank", "", false);
    addUnit("Tank", "", false);
    EXPECT_EQ(compile(), CompileOutcome::Stopped);
    EXPECT_EQ(reporter.log, (std::vector<std::string>{"warning: Warning: Values for Tank (2) redefined!",
                                                      "warning: Warning: Values for Tank (3) redefined!",
                                                      "question: An error has occurred\rDo you want to continue?"}));
    EXPECT_FALSE(installed("rules.ini"));
    EXPECT_FALSE(installed("curqxp.set"));

    reporter.log.clear();
    reporter.answer = true;
    EXPECT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_EQ(reporter.log.back(), "information: RulesINI compilation successful!");
}

// The game finds a member by the identifier of its upper-cased name: an
// internal name another entry has, in any letter case, or graphics packed
// under another's identifier (ABCDICON.SHP beside ABCD's icon) cannot both
// be found. The preview stops alike.
TEST_F(Compile, SharedInternalNamesStopTheCompile)
{
    addUnit("Tank", "ABCD", true);
    add(EntryKind::Weapon, "Weapon", records::pack(records::defaults(EntryKind::Weapon)));
    auto building = records::defaults(EntryKind::Building);
    building.text("name") = "Fort";
    building.text("internalName") = "ABCD";
    add(EntryKind::Building, "Fort", records::pack(building));
    auto projectile = records::defaults(EntryKind::Projectile);
    add(EntryKind::Projectile, "One", records::pack(projectile));
    add(EntryKind::Projectile, "Two", records::pack(projectile));
    addUnit("Heavy", "abcd", false);
    projectile.text("internalName") = "ABCDICON";
    projectile.sizes = {0, 5};
    add(EntryKind::Projectile, "Rocket", records::pack(projectile), {Bytes(), Bytes(5, 'r')});
    EXPECT_EQ(compile(), CompileOutcome::Stopped);
    EXPECT_EQ(reporter.log, (std::vector<std::string>{"warning: Error: Choose another internal name for Fort (3)",
                                                      "warning: Error: Choose another internal name for Heavy (6)",
                                                      "warning: Error: Choose another internal name for Rocket (7)",
                                                      "warning: Cannot compile Project",
                                                      "error: An error has occurred\rCannot compile project!"}));
    EXPECT_FALSE(installed("rules.ini"));

    RecordingReporter preview(true);
    EXPECT_EQ(previewCompile(readFile(file()), toText(dir / "game"), count, preview), std::nullopt);
    EXPECT_EQ(preview.findings.size(), reporter.log.size());
}

// Lines follow the first of the clashing entries, then the later one, a
// redefinition before a shared name.
TEST_F(Compile, ClashesAreListedByTheirFirstEntry)
{
    addUnit("Tank", "AAAA", false);
    addUnit("Jeep", "BBBB", false);
    addUnit("Tank", "BBBB", false);
    addUnit("Jeep", "AAAA", false);
    addUnit("Tank", "AAAA", false);
    compile();
    EXPECT_EQ(reporter.log, (std::vector<std::string>{
                                "warning: Warning: Values for Tank (3) redefined!",
                                "warning: Error: Choose another internal name for Jeep (4)",
                                "warning: Warning: Values for Tank (5) redefined!",
                                "warning: Error: Choose another internal name for Tank (5)",
                                "warning: Error: Choose another internal name for Tank (3)",
                                "warning: Warning: Values for Jeep (4) redefined!",
                                "warning: Cannot compile Project",
                                "error: An error has occurred\rCannot compile project!"}));
}

TEST_F(Compile, ObjectsWithoutGraphicsGiveRulesOnly)
{
    add(EntryKind::Weapon, "Gunboat Mounted Anti-Aircraft Rocket [Stinger]",
        records::pack(objectOf(EntryKind::Weapon, {{"replaced", 28}, {"damage", 45}, {"range", 900}})));
    add(EntryKind::Warhead, "Armor Piercing [AP]",
        records::pack(objectOf(EntryKind::Warhead, {{"replaced", 2}, {"none", 1}, {"wood", 2}, {"light", 3},
                                                    {"heavy", 4}, {"concrete", 5}})));
    EXPECT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_EQ(reporter.log, (std::vector<std::string>{"information: No graphics to compile.",
                                                      "information: RulesINI compilation successful!"}));
    auto installedRules = readFile(dir / "game" / "rules.ini");
    std::string text(installedRules.begin(), installedRules.end());
    // Each line changes in its place; a value without a line of its own says
    // so where the stock section has the key.
    EXPECT_NE(text.find("[Stinger]\r\nDamage=45\r\nROF=0\r\nRange=9\r\nProjectile=Cannon\r\nSpeed=0\r\n"
                        "Warhead=SA\r\nReport=CANNON1\r\nBurst=1\r\nTurboBoost=no\r\n \r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[AP]\r\nSpread=1\r\nWall=no\r\nWood=no\r\nVerses=1%,2%,3%,4%,5%\r\nExplosion=0\r\n"
                        "InfDeath=0\r\n \r\n; napalm and fire\r\n"),
              std::string::npos);
    EXPECT_EQ(readFile(dir / "work" / "rules.ini"), installedRules);
    EXPECT_EQ(encoder::coded(readFile(dir / "game" / "curqxp.set")), readFile(file()));
    EXPECT_FALSE(installed("sc-qx.mix"));

    // A second compile gives the same rules file.
    EXPECT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_EQ(readFile(dir / "game" / "rules.ini"), installedRules);
}

TEST_F(Compile, GraphicsBecomeArchiveMembers)
{
    addUnit("Tank", "ABCD", true);
    auto building = objectOf(EntryKind::Building, {{"frameCount", 20}, {"replaced", 0}});  // TSLA, BARR, TENT, QUEE
    building.text("name") = "Fort";
    building.text("internalName") = "EFGH";
    building.sizes = {1, 1, 1, 5, 6, 7};
    add(EntryKind::Building, "Fort", records::pack(building),
        {Bytes{0}, Bytes{0}, Bytes{0}, Bytes(5, 'a'), Bytes(6, 'b'), Bytes(7, 'c')});
    auto projectile = objectOf(EntryKind::Projectile, {{"replaced", 2}});
    projectile.text("internalName") = "LONGNAME";
    projectile.sizes = {2, 9};
    add(EntryKind::Projectile, "Cannon", records::pack(projectile), {Bytes(2, 0), Bytes(9, 'x')});
    EXPECT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_EQ(reporter.log, (std::vector<std::string>{"information: Graphics compilation successful!",
                                                      "information: RulesINI compilation successful!"}));
    MixArchive expected;
    expected.add("ABCDicon.shp", Bytes(10, 'i'));
    expected.add("ABCD.shp", Bytes(20, 'u'));
    expected.add("EFGHicon.shp", Bytes(5, 'a'));
    expected.add("EFGHmake.shp", Bytes(6, 'b'));
    expected.add("EFGH.shp", Bytes(7, 'c'));
    expected.add("LONGNAME.shp", Bytes(9, 'x'));
    EXPECT_EQ(readFile(dir / "game" / "sc-qx.mix"), expected.bytes());
    EXPECT_EQ(readFile(dir / "work" / "new.mix"), expected.bytes());
    auto rules = readFile(dir / "game" / "rules.ini");
    std::string text(rules.begin(), rules.end());
    // Keys the stock sections lack follow their last key line.
    EXPECT_NE(text.find("Crewed=yes\r\nName=Tank\r\nImage=ABCD\r\n \r\n; medium tank\r\n"), std::string::npos);
    EXPECT_NE(text.find("Name=Fort\r\n"), std::string::npos);
    EXPECT_NE(text.find("Image=EFGH\r\n"), std::string::npos);
    EXPECT_NE(text.find("Image=LONGNAME\r\n"), std::string::npos);

    // Without graphics the next compile removes the archive it installed.
    project::createEmpty(file());
    count = 0;
    reporter.log.clear();
    EXPECT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_EQ(reporter.log.front(), "information: No graphics to compile.");
    EXPECT_FALSE(installed("sc-qx.mix"));
}

TEST_F(Compile, LostReplacedUnitIsReportedAndSkipped)
{
    addUnit("Tank", "ABCD", true, 6);
    EXPECT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_EQ(reporter.log.front(), "error: Internal Error #10");
    auto text = readFile(dir / "game" / "rules.ini");
    EXPECT_EQ(std::string(text.begin(), text.end()).find("Name=Tank"), std::string::npos);
}

// A line the game would cut stops the compile with the field and its room.
TEST_F(Compile, ALineTheGameWouldCutStopsTheCompile)
{
    auto unit = records::defaults(EntryKind::Unit);
    unit.text("name") = "Odd";
    std::fill(unit.flags("prerequisites").begin(), unit.flags("prerequisites").begin() + 31, 1);
    add(EntryKind::Unit, "Odd", records::pack(unit));
    EXPECT_EQ(compile(), CompileOutcome::Stopped);
    EXPECT_EQ(reporter.log.front(), "warning: Error: Odd (1): Prerequisite makes a line of 162 bytes, but the game "
                                    "reads only 127: it may hold at most 114 characters.");
    EXPECT_FALSE(installed("rules.ini"));
}

TEST_F(Compile, DamagedGraphicsSizesInstallNothing)
{
    auto unit = records::defaults(EntryKind::Unit);
    unit.sizes = {0, 0, 500, 500};
    add(EntryKind::Unit, "Broken", records::pack(unit), {Bytes(10)});
    EXPECT_THROW(compile(), Error);
    EXPECT_FALSE(installed("rules.ini"));
    EXPECT_FALSE(installed("curqxp.set"));
}

}
}

namespace qx::compiler {
namespace {

// A project without graphics leaves no archive for the game to load: the
// game's own is kept first, and a restore brings it back.
TEST_F(Compile, WithoutGraphicsTheGamesArchiveIsKeptAndRemoved)
{
    auto game = dir / "game";
    test::writeText(game / "SC-QX.MIX", "the game's archive");
    addUnit("Tank", "ABCD", false);
    ASSERT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_FALSE(findCaseless(game, "sc-qx.mix"));
    EXPECT_EQ(readFile(game / "quarvex-originals" / "sc-qx.mix"), test::bytesOf("the game's archive"));
    EXPECT_EQ(gameStatus(toText(game)).at(1), "sc-qx.mix: none, as that compile left it");
    EXPECT_EQ(restoreGame(toText(game)).at(0), "restored SC-QX.MIX");
    EXPECT_EQ(readFile(game / "SC-QX.MIX"), test::bytesOf("the game's archive"));
}

// The game's own files, a compile without graphics, one with graphics, a
// hand edit in between, and a restore: the game comes back byte for byte.
TEST_F(Compile, TheGamesOwnFilesAreKeptAndComeBack)
{
    auto game = dir / "game";
    auto originals = game / "quarvex-originals";
    EXPECT_TRUE(restoreGame(toText(game)).empty());
    test::writeText(game / "RULES.INI", "the game's rules");
    addUnit("Tank", "ABCD", false);
    ASSERT_EQ(compile(), CompileOutcome::RulesInstalled);
    EXPECT_EQ(readFile(originals / "rules.ini"), test::bytesOf("the game's rules"));
    EXPECT_EQ(findCaseless(game, "rules.ini")->filename(), "RULES.INI");

    addUnit("Jeep", "JEEP", true);
    ASSERT_EQ(compile(), CompileOutcome::RulesInstalled);
    auto ours = readFile(game / "RULES.INI");
    EXPECT_EQ(readFile(originals / "rules.ini"), test::bytesOf("the game's rules"));
    EXPECT_EQ(std::distance(fs::directory_iterator(originals), fs::directory_iterator()), 2);

    test::writeText(game / "RULES.INI", "edited by hand");
    ASSERT_EQ(compile(), CompileOutcome::RulesInstalled);
    std::vector<Bytes> foreign;
    for (const auto& entry : fs::directory_iterator(originals)) {
        if (entry.path().filename().string().starts_with("rules.ini."))
            foreign.push_back(readFile(entry.path()));
    }
    EXPECT_EQ(foreign, std::vector<Bytes>{test::bytesOf("edited by hand")});
    EXPECT_EQ(readFile(originals / "rules.ini"), test::bytesOf("the game's rules"));
    EXPECT_EQ(readFile(game / "RULES.INI"), ours);

    EXPECT_EQ(restoreGame(toText(game)),
              (std::vector<std::string>{"restored RULES.INI", "removed sc-qx.mix", "removed curqxp.set"}));
    EXPECT_EQ(readFile(game / "RULES.INI"), test::bytesOf("the game's rules"));
    EXPECT_FALSE(installed("sc-qx.mix"));
    EXPECT_FALSE(installed("curqxp.set"));
    EXPECT_FALSE(fs::exists(originals / "rules.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(originals), fs::directory_iterator()), 1);
    EXPECT_TRUE(restoreGame(toText(game)).empty());
}

// A manifest found in the game directory is not trusted: a restore (or a
// compile's keeping) that it would send anywhere else changes nothing.
TEST_F(Compile, AManifestThatLeadsElsewhereIsRefused)
{
    auto game = dir / "game";
    auto originals = game / "quarvex-originals";
    fs::create_directories(originals);
    test::writeText(originals / "rules.ini", "kept");
    test::writeText(game / "rules.ini", "installed");
    const std::string hash = "0123456789abcdef";
    const std::pair<std::string, std::string> cases[] = {
        {"rules.ini kept " + hash + " - " + toText(dir / "x"), "line 2: \"" + toText(dir / "x") + "\" is not rules.ini in the game directory"},
        {"rules.ini kept " + hash + " - ../../x", "line 2: \"../../x\" is not rules.ini in the game directory"},
        {"../rules.ini kept " + hash + " - rules.ini", "line 2: \"../rules.ini\" is neither rules.ini nor sc-qx.mix"},
        {"rules.ini kept " + hash + " - sc-qx.mix", "line 2: \"sc-qx.mix\" is not rules.ini in the game directory"},
        {"rules.ini kept - - rules.ini", "line 2: a hash is not 16 hex digits"},
        {"rules.ini kept " + hash + " - rules.ini extra", "line 2: it is not NAME kept|absent ORIGINAL INSTALLED GAME-NAME"},
        {"rules.ini absent - - rules.ini\nrules.ini absent - - RULES.INI", "line 3: rules.ini is named twice"},
    };
    for (const auto& [line, why] : cases) {
        test::writeText(originals / "manifest.txt", "quarvex-originals 1\n" + line + "\n");
        EXPECT_EQ(test::errorOf([&] { restoreGame(toText(game)); }), "quarvex-originals/manifest.txt is damaged: " + why);
        EXPECT_EQ(readFile(game / "rules.ini"), test::bytesOf("installed"));
        EXPECT_FALSE(fs::exists(dir / "x"));
    }
    addUnit("Tank", "TANK", false);
    EXPECT_EQ(test::errorOf([&] { compile(); }), "quarvex-originals/manifest.txt is damaged: line 3: rules.ini is named twice");
    EXPECT_EQ(readFile(game / "rules.ini"), test::bytesOf("installed"));

    // A link in place of the folder would send the kept copies elsewhere.
    if (!test::linksWork(dir.path()))
        return;
    fs::remove_all(originals);
    fs::create_directories(dir / "elsewhere");
    fs::create_directory_symlink(dir / "elsewhere", originals);
    auto refusal = "The game directory's quarvex-originals is not a folder but a link or a file, so nothing was changed.";
    EXPECT_EQ(test::errorOf([&] { compile(); }), refusal);
    EXPECT_EQ(test::errorOf([&] { restoreGame(toText(game)); }), refusal);
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
    EXPECT_EQ(readFile(game / "rules.ini"), test::bytesOf("installed"));
}

// The manifests already in game folders hold hashes of whole files: taken
// piece by piece, or read a MiB at a time, a file hashes the same.
TEST(ContentHash, PiecesHashAsTheWholeFile)
{
    std::mt19937 random(20824);
    for (std::size_t size : {0u, 1u, 7u, 8u, 9u, 4095u, (1u << 20) + 13}) {
        Bytes bytes(size);
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        ContentHash pieces;
        for (std::size_t at = 0; at < size;) {
            auto piece = std::min<std::size_t>(size - at, random() % 20);
            pieces.add(ByteView(bytes).subspan(at, piece));
            at += piece;
        }
        EXPECT_EQ(pieces.text(), hashOf(bytes)) << size;
        TempDir dir;
        test::writeBytes(dir / "file", bytes);
        EXPECT_EQ(hashOfFile(dir / "file").text(), hashOf(bytes)) << size;
    }
    EXPECT_EQ(hashOf(Bytes{}), "af63bd4c8601b7df");
}

// The install of a compile with graphics over the game's own files, stopped
// by a failed rename after each of its renames in turn (the keeping and the
// journal take the first four): the next command finishes it, and the game
// holds the files of one compile, with no scratch copy left.
TEST_F(Compile, AnInterruptedInstallIsFinishedByTheNextCommand)
{
    auto game = dir / "game";
    addUnit("Jeep", "JEEP", true);
    auto prepare = [&](const fs::path& folder) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        test::writeText(folder / "rules.ini", "the game's rules");
        test::writeText(folder / "sc-qx.mix", "the game's archive");
    };
    auto reference = dir / "reference";
    prepare(reference);
    ASSERT_EQ(compileProject({file(), {}, toText(reference)}, count, reporter), CompileOutcome::RulesInstalled);
    const char* installed[] = {"rules.ini", "sc-qx.mix", "curqxp.set", "quarvex-originals/manifest.txt"};
    for (int passing = 4; passing < 8; ++passing) {
        prepare(game);
        {
            test::FaultyDisk disk(test::FaultyDisk::Call::Rename, EIO, passing);
            EXPECT_NE(test::errorOf([&] { compileProject({file(), {}, toText(game)}, count, reporter); }), "no error");
        }
        EXPECT_TRUE(fs::exists(game / "quarvex-originals" / "install.txt")) << passing;
        EXPECT_EQ(gameStatus(toText(game)).front(), kInstallFinished) << passing;
        for (const char* name : installed)
            EXPECT_EQ(readFile(game / name), readFile(reference / name)) << passing << " " << name;
        EXPECT_FALSE(fs::exists(game / "quarvex-originals" / "install.txt"));
        for (const auto& entry : fs::recursive_directory_iterator(game))
            EXPECT_NE(entry.path().extension(), ".part") << entry.path();
    }
    // Killed before its journal, a compile leaves only scratch copies: the
    // next command removes them.
    test::writeText(game / "RULES.INI.part", "half a file");
    test::writeText(game / "quarvex-originals" / "manifest.txt.part", "half");
    EXPECT_EQ(settleInstall(toText(game)), std::nullopt);
    EXPECT_FALSE(fs::exists(game / "RULES.INI.part"));
    EXPECT_FALSE(fs::exists(game / "quarvex-originals" / "manifest.txt.part"));
}

// A journal that disagrees with what is there changes nothing and says why;
// a restore still puts the game's own files back.
TEST_F(Compile, ADamagedJournalChangesNothing)
{
    auto game = dir / "game";
    test::writeText(game / "rules.ini", "the game's rules");
    addUnit("Tank", "TANK", false);
    ASSERT_EQ(compile(), CompileOutcome::RulesInstalled);
    auto journal = game / "quarvex-originals" / "install.txt";
    auto ours = readFile(game / "rules.ini");
    auto size = std::to_string(ours.size());
    const std::pair<std::string, std::string> cases[] = {
        {"rules.ini " + size + " 0123456789abcdef\n",
         "rules.ini holds neither the new file it names nor a finished copy of it"},
        {"../rules.ini " + size + " 0123456789abcdef\n", "line 2: \"../rules.ini\" is none of the files a compile installs"},
        {"rules.ini " + size, "line 2 does not end"},
        {"", "it names no file"},
    };
    for (const auto& [lines, why] : cases) {
        test::writeText(journal, "quarvex-install 1\n" + lines);
        auto damage = "quarvex-originals/install.txt is damaged: " + why + ".";
        EXPECT_EQ(test::errorOf([&] { settleInstall(toText(game)); }), damage);
        EXPECT_EQ(test::errorOf([&] { compile(); }), damage);
        EXPECT_EQ(readFile(game / "rules.ini"), ours);
        EXPECT_TRUE(fs::exists(journal));
    }
    EXPECT_EQ(restoreGame(toText(game)),
              (std::vector<std::string>{"quarvex-originals/install.txt is damaged: it names no file.", "restored rules.ini",
                                        "removed curqxp.set"}));
    EXPECT_EQ(readFile(game / "rules.ini"), test::bytesOf("the game's rules"));
    EXPECT_FALSE(fs::exists(journal));
}

// What the game directory holds, as qxtool status and the editor tell it.
TEST_F(Compile, StatusSaysWhatTheGameWillLoad)
{
    auto game = dir / "game";
    auto dirText = toText(game);
    EXPECT_EQ(gameStatus(dirText), std::vector<std::string>{dirText + " holds the game's own files: Quarvex has not changed it."});
    test::writeText(game / "rules.ini", "the game's rules");
    addUnit("Jeep", "JEEP", true);
    ASSERT_EQ(compile(), CompileOutcome::RulesInstalled);
    auto when = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(fs::last_write_time(game / "curqxp.set")));
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M", std::localtime(&when));
    const std::string kept = "The game's own files are kept in quarvex-originals; a restore puts them back.";
    EXPECT_EQ(gameStatus(dirText), (std::vector<std::string>{dirText + " holds a project Quarvex compiled on " + stamp + ".",
                                                             "sc-qx.mix: from that compile", "rules.ini: from that compile", kept}));
    test::writeText(game / "rules.ini", "edited by hand");
    fs::remove(game / "sc-qx.mix");
    auto status = gameStatus(dirText);
    EXPECT_EQ(std::vector<std::string>(status.begin() + 1, status.end()),
              (std::vector<std::string>{"sc-qx.mix: missing", "rules.ini: changed since that compile", kept}));
}

}
}
