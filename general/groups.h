#pragma once

#include "common/file_io.h"
#include "project/entry_kind.h"
#include "stock/menus.h"
#include "stock/object_fields.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <span>
#include <string>
#include <vector>

namespace qx::general {

// How a field's stored value reaches the rules file.
enum class Format {
    Integer,
    Percent,     // the integer and "%"
    YesNo,
    OneOrZero,   // a flag the game reads as a number: "1" or "0"
    Scaled100,   // decimal text, divisor 100
    Scaled1000,  // decimal text, divisor 1000
    CrateChoice, // identifier of the crate bonus entry
    UnitChoice,  // identifier of the unit type entry
    TechLevel,   // 1 to 13 as is, anything else "-1"
    Section,     // position of the section to rewrite in the group's choice list
};

struct Field {
    std::uint8_t offset;
    std::uint8_t width;  // 1 (unsigned) or 4 (signed)
    Format format;
    // The field's name in the window and the text form; the rules key too,
    // unless the game spells that otherwise. Empty for the section choice.
    const char* name;
    // The window's field: its label, the text an empty field gets when the
    // group is stored (none for the section choice), its key filter.
    const char* label = "";
    const char* defaultText = "";
    objects::Filter filter = objects::Filter::Digits;
    std::uint16_t limit = 0;  // the decimal filter's
    std::uint8_t maxLength = 0;
    const char* gameKey = "";   // the rules key where the game spells it otherwise than name
    const char* stockKey = "";  // a spelling of the stock text the game never reads
    std::int32_t gameLargest = INT32_MAX;  // the largest stored value the game holds
    bool whole = false;  // a decimal field whose value the game reads as a whole number
};

// One group of general rules: its record layout and where its keys are
// written. Fields stand in the order their lines are written.
struct Group {
    EntryKind kind;
    const char* section;  // the one section whose keys are rewritten; null for section groups
    std::span<const Field> fields;
    stock::Menu (*sections)() = nullptr;  // section groups: the sections they may replace
    // The window's page, the entry's name (section groups: the chosen
    // section's text) and the project list's line when it is stored (section
    // groups: followed by that text).
    const char* caption = "";
    const char* entryName = "";
    const char* listLine = "";
};

// Nothing for the object kinds and unknown kinds.
const Group* groupOfKind(EntryKind kind);

// Every group, in the order of their kinds.
std::span<const Group> allGroups();

// The groups in the order of the general settings window's pages.
std::span<const Group* const> pageOrder();

// The choice list of a choice field.
stock::Menu choiceList(const Group& group, const Field& field);

// The value storing a field's text gives: its default when empty; nothing
// when the text is no number, does not fit the field or is more than the
// game holds.
std::optional<std::int32_t> storedValue(const Field& field, std::string_view text);

// The decimal digits a format stores: 2, 3, or 0 for whole numbers.
int digitsOf(Format format);

// Whether the game holds the stored value as it is: within the field's
// range, and whole where the game reads a whole number.
bool holds(const Field& field, std::int64_t value);

// The largest stored value the game holds, and what the field takes as the
// window shows it ("a number from 0 to 255,99").
std::int64_t playable(const Field& field);
std::string rangeText(const Field& field);
// What a field's tool tip says it takes: its range and, for decimals, their
// precision and separator.
std::string takesText(const Field& field);

// The key the game reads.
const char* rulesKey(const Field& field);

// Whether the game knows the entry at a position of a choice field's list.
bool offered(const Field& field, std::size_t position);

// A stored value as the window shows it again.
std::string shownValue(const Field& field, std::int32_t value);

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
