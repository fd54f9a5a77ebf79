#pragma once

#include "editors/records.h"
#include "general/groups.h"

#include <string>
#include <vector>

namespace qx::compiler {

// The working rules text, one string per line (Windows-1252 bytes, no line ends).
using RulesLines = std::vector<std::string>;

// The stock rules text: the first block, then the second.
RulesLines stockRules();

// The file's bytes: every line ended by CR LF.
std::string rulesFileText(const RulesLines& rules);

// The lines of one section and the identifier of the stock object it
// replaces. An empty identifier drops the section.
struct Section {
    std::string identifier;
    std::vector<std::string> lines;
    bool lookupFailed = false;  // unit or building no longer in the catalogue lookup
};

Section unitSection(const records::Unit& unit);
Section buildingSection(const records::Building& building);
Section weaponSection(const records::Weapon& weapon);
Section projectileSection(const records::Projectile& projectile);
Section warheadSection(const records::Warhead& warhead);
// Difficulty levels, countries and land types.
Section groupSection(const general::GroupRecord& record);

// Replaces the key lines of the identifier's section by the section's lines,
// followed by one empty line; comment lines up to the next header stay.
void mergeSection(RulesLines& rules, const Section& section);

}
