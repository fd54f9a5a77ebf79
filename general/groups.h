#pragma once

#include "common/file_io.h"
#include "project/entry_kind.h"
#include "stock/menus.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qx::general {

// How a field's stored value reaches the rules file.
enum class Format {
    Integer,
    Percent,     // the integer and "%"
    YesNo,
    Scaled100,   // decimal text, divisor 100
    Scaled1000,  // decimal text, divisor 1000
    CrateChoice, // identifier of the crate bonus entry, "none" outside the list
    TechLevel,   // 1 to 13 as is, anything else "-1"
    Section,     // position of the section to rewrite in the group's choice list
};

struct Field {
    std::uint8_t offset;
    std::uint8_t width;  // 1 (unsigned) or 4 (signed)
    Format format;
    const char* matchKey;
    const char* outputName;
};

// One group of general rules: its record layout and where its keys are
// written. Fields stand in the order their lines are written.
struct Group {
    EntryKind kind;
    const char* section;  // the one section whose keys are rewritten; null for section groups
    std::span<const Field> fields;
    stock::Menu (*sections)() = nullptr;  // section groups: the sections they may replace
};

// Nothing for the object kinds and unknown kinds.
const Group* groupOfKind(EntryKind kind);

// One value per field of the group, in the order of its fields.
struct GroupRecord {
    EntryKind kind = EntryKind::Difficulty;
    std::vector<std::int32_t> values;

    bool operator==(const GroupRecord&) const = default;
};

Bytes pack(const GroupRecord& record);
// Refuses a block shorter than the group's record.
GroupRecord unpackGroup(EntryKind kind, ByteView block);

std::int32_t fieldValue(ByteView record, const Field& field);
std::string formatValue(const Field& field, std::int32_t value);

}
