#pragma once

#include "common/file_io.h"
#include "shell/instance_lock.h"

#include <optional>
#include <string>
#include <vector>

namespace qx {

// The three directories the user chooses, as shown in the settings window.
struct Directories {
    std::string game;
    std::string program;
    std::string units;

    bool operator==(const Directories&) const = default;
};

bool endsWithSeparator(const std::string& dir);

// dir + separator + name, without doubling a separator that is already there.
std::string joinName(const std::string& dir, const std::string& name);

std::string workingDirFor(const std::string& programDir);

// The folder of the executable serves as the program directory when it is
// a Quarvex directory (it holds "readme.txt") that can be written: a build
// folder or a portable unpack. An installed program keeps its files in the
// user's data folder instead.
bool isUsableProgramDir(const std::string& dir);
std::string defaultProgramDir(const std::string& executableDir, bool executableDirUsable);

// The user's data folder of this platform: $XDG_DATA_HOME/quarvex (only an
// absolute XDG_DATA_HOME counts, else ~/.local/share/quarvex), or
// %LOCALAPPDATA%\Quarvex on Windows.
fs::path userDataFolder();
// Where new units go unless the settings say otherwise: "units" in the
// program directory, or in the user's data folder when the program directory
// is a build folder, which a clean build deletes.
std::string defaultUnitsDir(const std::string& programDir);
std::string xdgDataFolder(const char* xdgDataHome, const char* home);

// A program directory Quarvex made for itself gets "readme.txt" and the
// marker that lets the settings window accept it again.
void markDataFolder(const std::string& dir);
bool directoryExists(const std::string& dir);
bool allExist(const Directories& dirs);

// Where the settings file and its start-up scratch copy live on this platform.
fs::path settingsFolder();
// The user's guide as HTML: beside a program run from its build folder
// (docs/guide.html), or where the package installs it
// (../share/doc/quarvex/guide.html); nothing when neither is there.
std::optional<fs::path> guideFile(const fs::path& executableDir);

// Whether this user may write into the folder.
bool canWrite(const fs::path& folder);
fs::path settingsFilePath();
fs::path startupScratchPath();

// Decodes the settings file through scratch (deleted afterwards). A missing,
// unreadable or damaged file gives no directories.
std::optional<Directories> readSettings(const fs::path& settingsFile, const fs::path& scratch);

// The three directories of a decoded settings file: three lines, each ended
// by CR LF, with no other line break or NUL.
std::optional<Directories> parseSettings(ByteView plain);

// Writes the three lines, encoded.
void writeSettings(const fs::path& settingsFile, const Directories& dirs);

// The names of the list that dir lacks, compared without regard to letter case.
std::vector<std::string> missingFiles(const std::string& dir, const std::vector<std::string>& names);

// Moves every ordinary file of the old working directory into the new one,
// then drops the old directory's lock (a locked file cannot be removed on
// every system) and removes the old directory.
void moveWorkingDirectory(const std::string& oldDir, const std::string& newDir,
                          std::optional<WorkingDirLock>& oldLock);

}
