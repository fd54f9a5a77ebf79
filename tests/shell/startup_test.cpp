#include "shell/startup.h"

#include "project/working_file.h"
#include "shell/instance_lock.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>


namespace qx {
namespace {

using test::TempDir;

ShellState runStartup(const fs::path& settingsFile, const fs::path& scratch, const std::string& defaultProgramDir)
{
    auto state = readStartupState(settingsFile, scratch, defaultProgramDir);
    prepareDirectories(state);
    return state;
}

class Startup : public ::testing::Test {
protected:
    fs::path settings() const { return dir / "config" / "localset.ini"; }
    fs::path scratch() const { return dir / "config" / "settings3.tmp"; }
    std::string program() const { return toText(dir / "program"); }
    std::string game() const { return toText(dir / "game"); }

    void SetUp() override
    {
        fs::create_directories(dir / "program");
        fs::create_directories(dir / "game");
    }

    TempDir dir;
};

TEST_F(Startup, FirstRunUsesTheProgramDirectory)
{
    auto state = runStartup(settings(), scratch(), program());
    EXPECT_EQ(state.fields, (Directories{"", program(), program() + test::kSeparator + "units"}));
    EXPECT_FALSE(state.directoriesSet);
    EXPECT_EQ(state.workingDir, program() + test::kSeparator + "temp");
    EXPECT_TRUE(fs::is_directory(dir / "program" / "units"));
    EXPECT_TRUE(fs::is_directory(dir / "program" / "temp"));
    EXPECT_FALSE(fs::exists(dir / "program" / "temp" / "project.tmp"));
    EXPECT_EQ(lastCompiledPackage(state.fields), std::nullopt);
    test::writeText(dir / "program" / "temp" / "undo-3.tmp", "an old step");
    runStartup(settings(), scratch(), program());
    EXPECT_FALSE(fs::exists(dir / "program" / "temp" / "undo-3.tmp"));
}

TEST_F(Startup, ProgramDirectoryEndingWithSeparator)
{
    auto state = runStartup(settings(), scratch(), program() + "/");
    EXPECT_EQ(state.workingDir, program() + "/temp");
    EXPECT_EQ(state.fields.units, program() + "/units");
}

#ifndef _WIN32
// A build folder's clean would delete the player's libraries: new units go
// to the user's data folder instead.
TEST_F(Startup, ABuildFolderKeepsNoUnits)
{
    test::writeText(dir / "program" / "CMakeCache.txt", "");
    ::setenv("XDG_DATA_HOME", toText(dir / "data").c_str(), 1);
    auto state = runStartup(settings(), scratch(), program());
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(state.fields.units, toText(dir / "data" / "quarvex" / "units"));
    EXPECT_TRUE(fs::is_directory(dir / "data" / "quarvex" / "units"));
}
#endif

TEST_F(Startup, AcceptedSettingsSetTheFlagAndClearStaleFiles)
{
    fs::create_directories(dir / "units");
    writeSettings(settings(), {game(), program(), toText(dir / "units")});
    fs::create_directories(dir / "program" / "temp");
    test::writeText(dir / "program" / "temp" / "project.tmp", "stale");
    test::writeText(dir / "program" / "temp" / "tempqxp.tmp", "stale");
    test::writeText(dir / "program" / "temp" / "icon.shp", "kept");

    auto state = runStartup(settings(), scratch(), "/elsewhere");
    EXPECT_TRUE(state.directoriesSet);
    EXPECT_EQ(state.fields.game, game());
    // A crashed run's project is for the caller to restore or clear.
    EXPECT_TRUE(fs::exists(dir / "program" / "temp" / "project.tmp"));
    EXPECT_FALSE(fs::exists(dir / "program" / "temp" / "tempqxp.tmp"));
    EXPECT_TRUE(fs::exists(dir / "program" / "temp" / "icon.shp"));
    EXPECT_FALSE(fs::exists(scratch()));
    EXPECT_EQ(lastCompiledPackage(state.fields), game() + test::kSeparator + "curqxp.set");
}

TEST_F(Startup, LeftoverProjectsAreToldApartAndDamagedOnesSetAside)
{
    auto project = dir / "project.tmp";
    EXPECT_EQ(inspectLeftover(project).state, LeftoverProject::State::None);
    project::createEmpty(project);
    EXPECT_EQ(inspectLeftover(project).state, LeftoverProject::State::Empty);
    project::append(project, dir / "scratch", {EntryKind::Unit, "Tank", Bytes(8, 1), {}});
    project::append(project, dir / "scratch", {EntryKind::Weapon, "Gun", Bytes(8, 2), {}});
    auto found = inspectLeftover(project);
    EXPECT_EQ(found.state, LeftoverProject::State::Valid);
    EXPECT_EQ(found.entries, 2u);

    for (const char* aside : {"project-damaged.tmp", "project-damaged-2.tmp"}) {
        test::writeText(project, "QXP, cut short");
        EXPECT_EQ(inspectLeftover(project).state, LeftoverProject::State::Damaged);
        EXPECT_EQ(setAsideDamaged(project), dir / aside);
        EXPECT_EQ(readFile(dir / aside), test::bytesOf("QXP, cut short"));
    }
    EXPECT_FALSE(fs::exists(project));
}

// The lock is held per run and given back when the run lets it go.
TEST_F(Startup, OneRunHoldsTheWorkingDirectory)
{
    auto working = dir / "program" / "temp";
    {
        auto first = WorkingDirLock::acquire(working);
        ASSERT_TRUE(first);
        EXPECT_FALSE(WorkingDirLock::acquire(working));
    }
    EXPECT_TRUE(WorkingDirLock::acquire(working));
}

TEST_F(Startup, VanishedDirectoryEmptiesItsField)
{
    writeSettings(settings(), {toText(dir / "gone"), program(), toText(dir / "units-gone")});
    auto state = runStartup(settings(), scratch(), program());
    EXPECT_FALSE(state.directoriesSet);
    EXPECT_EQ(state.fields.game, "");
    EXPECT_EQ(state.fields.units, program() + test::kSeparator + "units");
}

TEST_F(Startup, GateAnswers)
{
    auto state = runStartup(settings(), scratch(), program());
    EXPECT_EQ(passGate(settings(), state, "locset.tmp"), GateResult::Refused);

    fs::create_directories(dir / "units");
    writeSettings(settings(), {game(), program(), toText(dir / "units")});
    EXPECT_EQ(passGate(settings(), state, "locset.tmp"), GateResult::Pass);
    EXPECT_TRUE(state.directoriesSet);
    EXPECT_EQ(state.fields.units, toText(dir / "units"));
    EXPECT_FALSE(fs::exists(dir / "program" / "temp" / "locset.tmp"));

    fs::remove(settings());
    EXPECT_EQ(passGate(settings(), state, "lset.tmp"), GateResult::Silent);

    // A damaged file empties the fields and sends the user to the settings.
    test::writeText(settings(), "garbage");
    EXPECT_EQ(passGate(settings(), state, "lset.tmp"), GateResult::Refused);
    EXPECT_EQ(state.fields, Directories{});
}

}
}
