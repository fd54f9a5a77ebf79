#pragma once

#include "project/entry_kind.h"
#include "stock/menus.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qx::objects {

// How the user gives a field's value.
enum class Control : std::uint8_t {
    Text,         // free text
    Number,       // decimal text of a whole number
    Decimal,      // a number with a decimal comma, stored in hundredths
    OneChoice,    // read-only field; one entry of its menu ticked
    ManyChoices,  // read-only field; any entries of its menu ticked
    Box,          // check box
    Replacement,  // the list of stock objects the new one may replace
    Derived,      // no control: the window fills it from its graphics
};

// The key filter of a text field. A decimal filter keeps a number with a
// decimal comma below its limit (the range filter's is 500).
enum class Filter : std::uint8_t { None, Digits, SignedNumber, Ammo, GuardRange, Percent, Range, Damage, DecimalBelow };

// How the value lies in the record.
enum class Storage : std::uint8_t {
    U8,
    U16,
    I32,
    Text,   // a length byte and up to count characters
    Flags,  // count bytes, 0 or 1, one per menu entry
};

// The rules line a field gives.
enum class Line : std::uint8_t {
    None,
    Value,        // key=number, or key=text
    Hundredths,   // key=the short decimal text of hundredths
    Identifier,   // key=bracket identifier of the chosen entry; none when nothing is chosen
    Identifiers,  // key=bracket identifiers of the ticked entries joined by ","; none when none
    Yes,          // key=yes when set
    No,           // key=no when clear
    Percents,     // one line for this and the following percent fields: "n%,n%,..."
    Image,        // key=text, only for an object that has graphics
    ImageAlways,  // key=text
    Section,      // the identifier of the entry at the stored position names the section
    Replaced,     // the catalogue lookup's entry at the stored position names the section
};

// What the stock loader does with the field's key in a stock section.
enum class Load : std::uint8_t {
    None,
    Text,         // the line value
    DecimalText,  // the line value with '.' shown as ','
    Choice,       // the entry of that identifier is ticked
    OwnerChoice,  // a choice; "soviet,allies" is taken as "allies,soviet"
    ManyChoices,  // every entry named in the comma list is ticked
    TechLevel,    // the entry at the position is clicked; -1 is position 0
    Position,     // the entry at the position is clicked
    YesBox,       // checked by a yes value
    NoBox,        // checked before loading, cleared by a no value
    Percents,     // the percent fields in order, from the comma list
    Replaced,     // the stock object itself is chosen before loading
};

constexpr std::int32_t kAlwaysWritten = INT32_MIN;
constexpr std::int32_t kEmpty = 255;

struct Field {
    const char* id;
    const char* label;  // as the window shows it
    std::uint8_t page;
    Control control;
    Filter filter;
    std::uint8_t maxLength;  // 0: no limit
    stock::Menu (*menu)();
    std::uint16_t offset;
    Storage storage;
    std::uint8_t count;         // characters of a text, bytes of a flag row
    std::int32_t defaultValue;  // stored for an empty field
    const char* key;
    Line line;
    Load load;
    std::int32_t noLine = kAlwaysWritten;  // the stored value that gives no line
    bool emptyIs255 = false;               // 255 stands for an empty field and gives no line
    bool required = false;                 // an empty field has no default and cannot be stored
    std::uint8_t row = 0;                  // on its page, fields stand by row, then in table order
    const char* hint = "";                 // the field's tool tip, lines split by '\n'
    const char* stockKey = "";             // a spelling of the stock text the game never reads
    std::int32_t gameLargest = INT32_MAX;  // the largest stored value the game holds
};

// One object kind, its fields in the order of its rules lines.
struct ObjectTable {
    EntryKind kind;
    const char* noun;
    std::span<const char* const> pages;
    std::span<const Field> fields;
};

// The unit's infantry abilities and vehicle abilities, which exclude each
// other: with an infantry box checked the unit editor closes the vehicle
// boxes and the passengers field.
inline constexpr const char* kInfantryBoxes[] = {"c4", "panic", "infiltrate", "dogLogic"};
inline constexpr const char* kVehicleBoxes[] = {"noMovingFire", "tracked"};

// Nothing for the general groups and unknown kinds.
const ObjectTable* objectTable(EntryKind kind);
// Throws for a kind without a table.
const ObjectTable& tableOf(EntryKind kind);

// The field's position in the table; throws for an unknown identifier.
std::size_t indexOf(const ObjectTable& table, std::string_view id);

// The label without its trailing colon, arrows and blanks: "Tech - Level: "
// gives "Tech - Level", "None   --------------------->" gives "None".
std::string plainLabel(std::string_view label);

// The largest and smallest value the field's storage holds.
std::int64_t largest(const Field& field);
std::int64_t smallest(const Field& field);
// The largest value the game holds as it was stored.
std::int64_t playable(const Field& field);
// "a number from 0 to 255": what a field takes, as the window shows it.
std::string rangeText(const Field& field);

// Prerequisites the game holds: one bit of 32 per building type in its own
// order; the list's entries from the sandbag on lie beyond them.
constexpr std::size_t kHeldPrerequisites = 31;

// The value a save stores for a field's text: the default for an empty
// field; nothing when the text is no number or does not fit the field.
// A decimal field reads a decimal comma and stores hundredths, halves to even.
std::optional<std::int32_t> storedNumber(const Field& field, std::string_view text);

}
