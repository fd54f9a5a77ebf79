#pragma once

#include "project/entry_kind.h"

#include <cstddef>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace qx::stock {

// "unit", "weapon", "building", "projectile" or "warhead".
std::optional<EntryKind> stockKindNamed(const std::string& name);

// One control of an editor as the loader leaves it.
struct StockField {
    enum class Type { Text, Menu, Box };
    std::string label;
    Type type = Type::Text;
    std::string text;                  // Text and Menu: the field's text
    std::vector<std::size_t> checked;  // Menu: the ticked positions
    bool box = false;                  // Box: checked
};

// What an editor shows after loading a stock object: the fields in the
// order the loader first set them; the editor starts from its reset state.
struct StockObject {
    std::vector<StockField> fields;
    bool found = false;  // the rules text holds the object's section
    // The labels of the list fields whose last value named something their
    // list does not hold.
    std::set<std::string> unmatched;
    const StockField* find(const std::string& label) const;
};

class RulesText;
struct KeyLine;

// Fills from the stock rules text the values of the object whose section
// is named identifier (in any letter case), reading each key as the game
// does: by its exact spelling, a flag by its first letter.
StockObject loadStockObject(const std::string& identifier, EntryKind kind);

// The same over other rules text.
StockObject loadStockObject(const std::string& identifier, EntryKind kind, const RulesText& text);

// The same over the key lines of the object's section.
StockObject loadStockObject(const std::string& identifier, EntryKind kind, std::span<const KeyLine> keys);

}
