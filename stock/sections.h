#pragma once

#include <string>
#include <vector>

namespace qx::stock {

// Rules text, one string per line (Windows-1252 bytes, no line ends).
using RulesLines = std::vector<std::string>;

// The lines of one section and the identifier of the stock object it
// replaces. An empty identifier drops the section.
struct Section {
    std::string identifier;
    std::vector<std::string> lines;
    bool lookupFailed = false;  // unit or building no longer in the catalogue lookup
};

// Replaces the key lines of the identifier's section by the section's lines,
// followed by one empty line; comment lines up to the next header stay.
void mergeSection(RulesLines& rules, const Section& section);

}
