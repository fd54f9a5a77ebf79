#pragma once

#include "shell/directories.h"

namespace qx {

// What the settings window holds: the three fields, the directories-set flag
// and the working directory derived from the program directory.
struct ShellState {
    Directories fields;
    bool directoriesSet = false;
    std::string workingDir;
};

// Reads the settings and fills in the defaults; changes no directory.
ShellState readStartupState(const fs::path& settingsFile, const fs::path& scratch, const std::string& defaultProgramDir);

// Makes the units and working directories (and the program directory, as a
// marked data folder, when it is new) and clears the stale scratch copy
// of the project working file; a project working file is left for the
// caller to restore or clear.
void prepareDirectories(const ShellState& state);

// A project working file found at start belongs to a run that did not end
// normally.
struct LeftoverProject {
    enum class State { None, Empty, Valid, Damaged };
    State state = State::None;
    std::size_t entries = 0;
};
LeftoverProject inspectLeftover(const fs::path& projectFile);

// Renames a damaged project working file aside, to "project-damaged.tmp"
// beside it or, when that is taken, a numbered name; returns the new path.
fs::path setAsideDamaged(const fs::path& projectFile);

// The package of the project last compiled into the game, when a game
// directory is set.
std::optional<std::string> lastCompiledPackage(const Directories& dirs);

enum class GateResult {
    Pass,     // the caller goes on
    Refused,  // "Please set the directories first!" and the settings window
    Silent,   // the settings file vanished after it was accepted: nothing happens
};

// The directory gate: re-reads the settings file through the caller's scratch
// name in the working directory.
GateResult passGate(const fs::path& settingsFile, ShellState& state, const std::string& scratchName);

}
