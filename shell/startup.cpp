#include "shell/startup.h"
#include "common/error.h"
#include "common/file_names.h"
#include "project/working_file.h"

namespace qx {

ShellState readStartupState(const fs::path& settingsFile, const fs::path& scratch, const std::string& defaultProgramDir)
{
    ShellState state;
    if (auto dirs = readSettings(settingsFile, scratch)) {
        state.fields = *dirs;
        state.directoriesSet = allExist(state.fields);
    }
    for (auto* field : {&state.fields.game, &state.fields.program, &state.fields.units}) {
        if (!directoryExists(*field))
            field->clear();
    }
    if (state.fields.program.empty())
        state.fields.program = defaultProgramDir;
    if (state.fields.units.empty())
        state.fields.units = defaultUnitsDir(state.fields.program);
    state.workingDir = workingDirFor(state.fields.program);
    return state;
}

void prepareDirectories(const ShellState& state)
{
    markDataFolder(state.fields.program);
    fs::create_directories(toPath(state.fields.units));
    fs::create_directories(toPath(state.workingDir));
    removeIfExists(toPath(joinName(state.workingDir, names::kProjectScratch)));
    // The undo steps of an earlier run belong to no project now.
    for (const auto& file : fs::directory_iterator(toPath(state.workingDir))) {
        auto name = toText(file.path().filename());
        if (name.starts_with("undo-") && name.ends_with(".tmp"))
            removeIfExists(file.path());
    }
}

LeftoverProject inspectLeftover(const fs::path& projectFile)
{
    std::error_code error;
    if (!fs::exists(fs::symlink_status(projectFile, error)))
        return {};
    try {
        auto entries = project::readDirectory(projectFile).entries.size();
        return {entries == 0 ? LeftoverProject::State::Empty : LeftoverProject::State::Valid, entries};
    } catch (const Error&) {
        return {LeftoverProject::State::Damaged, 0};
    }
}

fs::path setAsideDamaged(const fs::path& projectFile)
{
    auto aside = projectFile.parent_path() / names::kDamagedProject;
    std::error_code error;
    for (int number = 2; fs::exists(fs::symlink_status(aside, error)); ++number)
        aside = projectFile.parent_path() / ("project-damaged-" + std::to_string(number) + ".tmp");
    fs::rename(projectFile, aside);
    return aside;
}

std::optional<std::string> lastCompiledPackage(const Directories& dirs)
{
    if (dirs.game.empty())
        return std::nullopt;
    return joinName(dirs.game, names::kCompiledProject);
}

GateResult passGate(const fs::path& settingsFile, ShellState& state, const std::string& scratchName)
{
    std::error_code error;
    if (!fs::exists(settingsFile, error))
        return state.directoriesSet ? GateResult::Silent : GateResult::Refused;
    auto dirs = readSettings(settingsFile, toPath(joinName(state.workingDir, scratchName)));
    // Damaged settings or a vanished directory send the user to the settings
    // window even when the flag is set: going on would work without directories.
    if (!dirs || !allExist(*dirs)) {
        state.fields = {};
        return GateResult::Refused;
    }
    state.fields = *dirs;
    state.directoriesSet = true;
    return GateResult::Pass;
}

}
