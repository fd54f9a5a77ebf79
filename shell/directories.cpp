#include "shell/directories.h"
#include "common/file_names.h"

#include "common/error.h"
#include "common/save_file.h"
#include "project/encoder.h"
#include "common/text.h"

#include <algorithm>
#include <cstdlib>

namespace qx {
namespace {

constexpr std::uint64_t kMaxSettingsSize = 64 * 1024;

}

std::optional<Directories> parseSettings(ByteView bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto c = static_cast<char>(bytes[i]);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++i;
        } else if (c == '\0' || c == '\r' || c == '\n') {
            return std::nullopt;
        } else {
            line += c;
        }
    }
    if (!line.empty() || lines.size() != 3)
        return std::nullopt;
    return Directories{lines[0], lines[1], lines[2]};
}

bool endsWithSeparator(const std::string& dir)
{
    return !dir.empty() && (dir.back() == static_cast<char>(fs::path::preferred_separator) || dir.back() == '/');
}

std::string joinName(const std::string& dir, const std::string& name)
{
    if (endsWithSeparator(dir))
        return dir + name;
    return dir + static_cast<char>(fs::path::preferred_separator) + name;
}

std::string workingDirFor(const std::string& programDir)
{
    return joinName(programDir, "temp");
}

bool isUsableProgramDir(const std::string& dir)
{
    return missingFiles(dir, {names::kProgramReadme}).empty() && canWrite(toPath(dir));
}

std::string defaultProgramDir(const std::string& executableDir, bool executableDirUsable)
{
    return executableDirUsable ? executableDir : toText(userDataFolder());
}

std::string defaultUnitsDir(const std::string& programDir)
{
    std::error_code error;
    bool buildFolder = fs::exists(toPath(programDir) / "CMakeCache.txt", error);
    return joinName(buildFolder ? toText(userDataFolder()) : programDir, "units");
}

std::string xdgDataFolder(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && xdgDataHome[0] == '/')
        return joinName(xdgDataHome, "quarvex");
    return joinName(joinName(home ? home : "", ".local/share"), "quarvex");
}

void markDataFolder(const std::string& dir)
{
    if (missingFiles(dir, {names::kProgramReadme}).empty())
        return;
    static const std::string kReadme =
        "Quarvex keeps its own files in this folder: \"temp\", where the open project\n"
        "lives while Quarvex runs, and \"units\", where new units are saved unless the\n"
        "settings name another folder. Quarvex made it at its first start, as the\n"
        "folder of the program itself cannot be written. To use it again after choosing\n"
        "another, choose this folder as \"Your Quarvex Directory\" in the settings.\n";
    fs::create_directories(toPath(dir));
    saveFile(toPath(joinName(dir, names::kDataFolderMarker)), ByteView());
    saveFile(toPath(joinName(dir, names::kProgramReadme)),
             ByteView(reinterpret_cast<const std::uint8_t*>(kReadme.data()), kReadme.size()));
}

bool directoryExists(const std::string& dir)
{
    std::error_code error;
    return !dir.empty() && fs::is_directory(toPath(dir), error);
}

bool allExist(const Directories& dirs)
{
    return directoryExists(dirs.game) && directoryExists(dirs.program) && directoryExists(dirs.units);
}

fs::path settingsFilePath()
{
    return settingsFolder() / names::kSettings;
}

fs::path startupScratchPath()
{
    return settingsFolder() / names::kSettingsStartupCopy;
}

std::optional<Directories> readSettings(const fs::path& settingsFile, const fs::path& scratch)
{
    std::error_code error;
    if (!fs::is_regular_file(settingsFile, error))
        return std::nullopt;
    std::optional<Directories> dirs;
    try {
        encoder::codeFile(settingsFile, scratch);
        dirs = parseSettings(readFile(scratch, kMaxSettingsSize));
    } catch (const Error&) {
        dirs.reset();
    }
    fs::remove(scratch, error);
    return dirs;
}

void writeSettings(const fs::path& settingsFile, const Directories& dirs)
{
    fs::create_directories(settingsFile.parent_path());
    std::string text = dirs.game + "\r\n" + dirs.program + "\r\n" + dirs.units + "\r\n";
    // Written coded from the start, so the plain form never stands under the
    // settings file's name.
    auto scratch = settingsFile;
    scratch.replace_extension(".enc");
    saveFile(scratch, settingsFile, encoder::coded(ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
}

std::vector<std::string> missingFiles(const std::string& dir, const std::vector<std::string>& names)
{
    std::vector<std::string> missing;
    for (const auto& name : names) {
        if (!findCaseless(toPath(dir), name))
            missing.push_back(name);
    }
    return missing;
}

void moveWorkingDirectory(const std::string& oldDir, const std::string& newDir,
                          std::optional<WorkingDirLock>& oldLock)
{
    auto from = toPath(oldDir);
    auto to = toPath(newDir);
    fs::create_directories(to);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(from)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    // The new directory has a lock of its own, held by the caller.
    for (const auto& file : files) {
        if (file.filename() != names::kLock)
            saveFile(to / file.filename(), readFile(file));
    }
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (it->filename() != names::kLock)
            fs::remove(*it);
    }
    oldLock.reset();
    fs::remove(from / names::kLock);
    fs::remove(from);
}

std::optional<fs::path> guideFile(const fs::path& executableDir)
{
    for (auto guide : {executableDir / "docs" / "guide.html",
                       executableDir / ".." / "share" / "doc" / "quarvex" / "guide.html"}) {
        std::error_code error;
        if (fs::is_regular_file(guide, error))
            return guide.lexically_normal();
    }
    return std::nullopt;
}

}
