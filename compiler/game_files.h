#pragma once

#include "common/file_io.h"
#include "stock/rules_text.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::compiler {

// A file of the game: loose in its folder in any letter case (when loose is
// true), or else a member of its archives or of the archives inside them.
// A damaged archive is passed over.
std::optional<Bytes> findGameFile(const std::string& gameDir, const std::string& name, bool loose);

// The palette the game draws its graphics of the temperate land in.
constexpr const char* kGamePalette = "temperat.pal";

// A palette of the game as a file: the loose file, or else the archive
// member saved into folder; nothing when the game has none.
std::optional<fs::path> gamePaletteFile(const std::string& gameDir, const std::string& name, const fs::path& folder);

// After rules.ini the game reads the expansion's aftrmath.ini, whose keys
// win: one line per key the compiled rules set (differently from the stock
// text) that it sets again, "[SECTION] KEY=VALUE is overridden in play by
// aftrmath.ini:LINE (KEY=VALUE)"; nothing without the file.
std::vector<std::string> expansionOverrides(const stock::RulesLines& compiled, const std::string& gameDir);

// When the game's archives hold a rules.ini other than the stock text we
// carry (another release of the game): how many keys differ.
std::optional<std::string> ownRulesNote(const std::string& gameDir);

}
