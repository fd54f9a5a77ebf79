#pragma once

#include "common/rules_line.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qx::stock {

// Rules text, one string per line (Windows-1252 bytes, no line ends).
using RulesLines = std::vector<std::string>;

// The largest rules file read: far beyond any the game has.
constexpr std::uint64_t kMaxRulesFile = 64u << 20;

using qx::kMaxRulesLine;
using qx::readRulesLine;
using qx::RulesLine;

// A flag as the game reads it: true for a value starting with Y, T or 1,
// false for N, F or 0 (either case), nothing for any other.
std::optional<bool> gameFlag(std::string_view value);

struct KeyLine {
    std::string key;    // exact spelling
    std::string value;  // as the game reads it: trimmed, comment cut
    std::size_t line;   // index into the text
};

// One stretch from a header to the next one.
struct RulesSection {
    std::string name;  // exact spelling
    std::size_t header = 0;
    std::size_t end = 0;  // one past its last line
    std::vector<KeyLine> keys;

    // The last line of the key (the loader's reading), exact spelling.
    const KeyLine* find(std::string_view key) const;
    // The line after which a new key goes: the last key line, or the header.
    std::size_t lastKeyLine() const;
};

// Rules text read once: its lines, its sections, and an index from a
// section name in lower case (our lists match identifiers without case) to
// its stretches.
class RulesText {
public:
    explicit RulesText(RulesLines lines);

    const RulesLines& lines() const { return lines_; }
    const std::vector<RulesSection>& sections() const { return sections_; }
    // Every stretch headed by the name, in any letter case, in text order.
    std::vector<const RulesSection*> named(std::string_view name) const;
    // The first of them, if any.
    const RulesSection* first(std::string_view name) const;
    // The first stretch headed by exactly this name, as the game finds it.
    const RulesSection* exact(std::string_view name) const;

private:
    RulesLines lines_;
    std::vector<RulesSection> sections_;
    std::unordered_map<std::string, std::vector<std::size_t>> byName_;
};

// Text split at each LF, the CR of a CR LF kept; a byte-order mark and an
// empty last line dropped.
RulesLines splitRulesLines(std::string_view text);

// The stock rules text, read once.
const RulesText& stockRulesText();

}
