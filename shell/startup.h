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

// What the program does before any window shows: read the settings, fill in
// defaults, make the working and units directories and clear a stale
// project working file.
ShellState runStartup(const fs::path& settingsFile, const fs::path& scratch, const std::string& defaultProgramDir);

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
