#pragma once

#include "common/file_io.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qx::compiler {

// A project as text: "project.ini", one section per entry with a line per
// field of its kind's table, and the graphics as the files it names (paths
// relative to the folder, "files/3-icon.shp"). What the fields do not carry
// rides along in hex, so the text gives back the working file byte for byte.
struct TextForm {
    std::string ini;
    std::vector<std::pair<std::string, Bytes>> files;
};

TextForm exportText(ByteView workingFile);

// Reads a file the text names, by its path relative to the folder.
using FileReader = std::function<Bytes(const std::string& path)>;

// The working file the text describes. A fault throws one line naming
// "project.ini" and its line number.
Bytes importText(std::string_view ini, const FileReader& read);

// Why the text form cannot go into the folder ("The folder F is not
// empty."); empty when it can.
std::string folderRefusal(const fs::path& folder);
// The folder must not exist or be empty; it appears complete or not at all.
void exportFolder(ByteView workingFile, const fs::path& folder);
// The working file that "project.ini" in the folder and its files describe.
Bytes importFolder(const fs::path& folder);

}
