#pragma once

#include "general/groups.h"
#include "stock/loaded_record.h"
#include "stock/rules_text.h"
#include "stock/sections.h"

#include <functional>
#include <optional>

namespace qx::general {

// What a fault of a field, met while reading, is told to.
using FaultNote = std::function<void(const Field& field, stock::Unstorable fault)>;

// The record the window stores for a section's keys, each found by its exact
// spelling. A key the section lacks takes the field's default; a value the
// field cannot hold takes fallback's value (the default without one).
// sectionPosition chooses the section of a section group.
GroupRecord readGroup(const Group& group, std::int32_t sectionPosition, const stock::RulesSection* section,
                      const GroupRecord* fallback = nullptr, const FaultNote& note = {});

// The group's record read from the stock text.
GroupRecord stockGroup(const Group& group, std::int32_t sectionPosition);

// Writes one group entry: every field whose value differs from the stock
// one sets its key, every other field keeps the stock line. A later entry
// of the same group, or of the same difficulty level, country or land type,
// wins wholly; groups that share a section keep each other's.
void writeGroup(stock::EditedRules& rules, const GroupRecord& record);

// The values of a group the game cannot hold as they are stored.
std::vector<std::string> playFaults(const GroupRecord& record);

}
