#include "shell/startup.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;

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
    EXPECT_EQ(state.fields, (Directories{"", program(), program() + "/units"}));
    EXPECT_FALSE(state.directoriesSet);
    EXPECT_EQ(state.workingDir, program() + "/temp");
    EXPECT_TRUE(fs::is_directory(dir / "program" / "units"));
    EXPECT_TRUE(fs::is_directory(dir / "program" / "temp"));
    EXPECT_FALSE(fs::exists(dir / "program" / "temp" / "project.tmp"));
    EXPECT_EQ(lastCompiledPackage(state.fields), std::nullopt);
}

TEST_F(Startup, ProgramDirectoryEndingWithSeparator)
{
    auto state = runStartup(settings(), scratch(), program() + "/");
    EXPECT_EQ(state.workingDir, program() + "/temp");
    EXPECT_EQ(state.fields.units, program() + "/units");
}

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
    EXPECT_FALSE(fs::exists(dir / "program" / "temp" / "project.tmp"));
    EXPECT_FALSE(fs::exists(dir / "program" / "temp" / "tempqxp.tmp"));
    EXPECT_TRUE(fs::exists(dir / "program" / "temp" / "icon.shp"));
    EXPECT_FALSE(fs::exists(scratch()));
    EXPECT_EQ(lastCompiledPackage(state.fields), game() + "/curqxp.set");
}

TEST_F(Startup, VanishedDirectoryEmptiesItsField)
{
    writeSettings(settings(), {toText(dir / "gone"), program(), toText(dir / "units-gone")});
    auto state = runStartup(settings(), scratch(), program());
    EXPECT_FALSE(state.directoriesSet);
    EXPECT_EQ(state.fields.game, "");
    EXPECT_EQ(state.fields.units, program() + "/units");
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
