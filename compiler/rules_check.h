#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::compiler {

// A line of rules text the game would not read as meant.
struct RulesFinding {
    std::size_t line;  // from 1
    std::string text;  // Windows-1252
    bool note = false; // something to know rather than a fault
    std::string spelling;  // the game's spelling of a misspelt key or section
};

// Every finding in rules text (Windows-1252 bytes, CR LF or LF), in line
// order: a line that is neither a section, a key=value line, a comment nor
// empty; a key before the first section; a control character; a line
// longer than the game reads; a key spelt otherwise than the game spells it
// (the game finds keys and sections by their exact bytes); a key given twice
// in one section, or a section given twice; and, as a note, a section no
// stock section and no line of the text names.
std::vector<RulesFinding> checkRules(std::string_view text);

// Why text cannot be stored as a project's rules text, one line each,
// "NAME:LINE: what" ("line LINE: what" without a name): the first line with a NUL byte or another control
// character (then nothing else), or else each line whose meaning runs past
// the bytes the game reads. Empty when it can.
std::vector<std::string> rulesTextRefusals(std::string_view text, const std::string& name);

// The finding of a line whose meaning runs past the bytes the game reads;
// nothing for a shorter one, or one only a comment makes long.
std::optional<std::string> cutLine(std::string_view line);

// The spelling the game reads of a key it would not find in that section as
// written: a stock spelling the game never reads there, or the key in
// another letter case; nothing for a key it reads or does not know.
std::optional<std::string> gameSpelling(const std::string& section, const std::string& key);

}
