#pragma once

#include "project/encoder.h"
#include "project/working_file.h"

namespace qx::project {

// Save: the coded working file at destination.
void savePackage(const fs::path& workingFile, const fs::path& destination,
                 encoder::Progress* progress = nullptr);

// Decodes a package and checks it as a project (recovering another tool's
// seed when the program's does not fit). Throws when it is not a project.
Bytes decodePackage(const fs::path& source);

// Open: checks the package first, then replaces the working file (through
// scratch) and returns the list lines. A refused package changes nothing.
std::vector<std::string> openPackage(const fs::path& source, const fs::path& workingFile, const fs::path& scratch);

// The same for a working file in memory; parseDirectory checks it first.
std::vector<std::string> openWorkingFile(ByteView plain, const fs::path& workingFile, const fs::path& scratch);

}
