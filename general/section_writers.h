#pragma once

#include "general/groups.h"
#include "stock/sections.h"

namespace qx::general {

// Writes one group entry into the rules text: difficulty levels, countries
// and land types replace their section; the other groups rewrite the lines of
// their keys inside their own section, so that keys of the same name in
// other sections stay as they are.
void writeGroup(stock::MergedRules& rules, const GroupRecord& record);
void writeGroup(stock::RulesLines& rules, const GroupRecord& record);

}
