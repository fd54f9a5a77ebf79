#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

// The game keeps at most this many bytes of a rules line and drops the rest.
constexpr std::size_t kMaxRulesLine = 127;

// One line of rules text as the game reads it.
struct RulesLine {
    enum class Kind { Skipped, Header, Entry };
    Kind kind = Kind::Skipped;
    std::string_view name;   // Header: the section's name; Entry: the key; exact, trimmed
    std::string_view value;  // Entry: without comment and blanks; may be empty
};

// The line cut where the game cuts it; blank, comment and lines without
// '=' are Skipped. An entry with an empty value is still an Entry: the
// game skips it, but an edit has to find it.
RulesLine readRulesLine(std::string_view line);

// What the project list says of rules text: "N lines in M sections".
std::string rulesTextSummary(std::string_view text);

}
