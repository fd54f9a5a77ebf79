#pragma once

#include "common/file_io.h"

#include <string>
#include <vector>

namespace qx::compiler {

// A hand-edited rules file turned into the project the editors would have
// made of it.
struct RulesImport {
    Bytes workingFile;
    // The project window's line of each entry, Windows-1252.
    std::vector<std::string> lines;
    // One line per change that no editor entry carries, "NAME:LINE:
    // [SECTION] KEY=VALUE carried as rules text: WHY", and per line the
    // game would not read as meant; in line order, Windows-1252.
    std::vector<std::string> notes;
};

// Every stock object, difficulty level, land type and general group whose
// section differs from stock in a key its record carries becomes one entry,
// in the order of the stock rules text, as its editor stores it after a
// stock load from the file's section. Every other change becomes one
// rules-text entry named fileName, so that the project compiles to rules
// the game reads as it reads the file. Throws when the file holds no
// section.
RulesImport importRules(ByteView rules, const std::string& fileName);

// The same for a file on disk.
RulesImport importRulesFile(const fs::path& rules);

}
