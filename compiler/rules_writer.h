#pragma once

#include "stock/records.h"
#include "stock/sections.h"

#include <map>
#include <string>
#include <vector>

namespace qx::compiler {

using stock::EditedRules;
using stock::KeyEdit;
using stock::RulesLines;
using stock::Section;

// The stock rules text: the first block, then the second.
RulesLines stockRules();

// The file's bytes: every line ended by CR LF.
std::string rulesFileText(const RulesLines& rules);

// The record an editor stores after loading each stock object, read from
// the stock text once per object.
class StockRecords {
public:
    const records::ObjectRecord& of(EntryKind kind, const std::string& identifier);

private:
    std::map<std::pair<EntryKind, std::string>, records::ObjectRecord> records_;
};

// The edits an object makes to the section of the stock object it
// replaces: a line for every field whose value differs from the one stored
// after a stock load of that object, in the order of its kind's table. A
// field whose table writes no line for its value, where the stock section
// has the key, gets the line that says so (Cloakable=no, TechLevel=-1).
Section objectSection(const records::ObjectRecord& record, StockRecords& stock);

// What is wrong with the section's lines as the game reads them: a line
// longer than it keeps, a line break inside a value. One text per line,
// naming the field by its label.
std::vector<std::string> lineFaults(const Section& section, EntryKind kind);

// The values of an object the game cannot hold as they are stored.
std::vector<std::string> playFaults(const records::ObjectRecord& record);

}
