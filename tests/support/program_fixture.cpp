#include "support/program_fixture.h"

#include "common/file_names.h"

namespace qx::test {

ProgramFixture::ProgramFixture()
{
    for (const char* folder : {"config", "program", "game", "units"})
        fs::create_directories(dir / folder);
    for (const char* name : {"vk95.exe", "valkor.mix", "game.dat", "vksetup.exe", "valkor.ini"})
        writeText(dir / "game" / name, "x");
    for (const char* name : {names::kProgramFile, names::kProgramReadme})
        writeText(dir / "program" / name, "x");
    paths = {dir / "config" / "localset.ini", dir / "config" / "settings3.tmp", toText(dir / "program"), dir / "program"};
}

void ProgramFixture::acceptDirectories()
{
    writeSettings(paths.settingsFile, {toText(dir / "game"), toText(dir / "program"), toText(dir / "units")});
}

void ProgramFixture::start()
{
    program = std::make_unique<Program>(dialogs, paths);
}

std::string ProgramFixture::workingFile(const std::string& name) const
{
    return toText(dir / "program" / "temp" / name);
}

}
