#pragma once

#include "stock/records.h"
#include "stock/sections.h"

#include <string>

namespace qx::compiler {

using stock::mergeSection;
using stock::RulesLines;
using stock::Section;

// The stock rules text: the first block, then the second.
RulesLines stockRules();

// The file's bytes: every line ended by CR LF.
std::string rulesFileText(const RulesLines& rules);

// The lines of an object's section, in the order of its kind's table, and
// the identifier of the stock object it replaces.
Section objectSection(const records::ObjectRecord& record);

}
