#pragma once

#include "common/file_io.h"
#include "project/entry_kind.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx::records {

// The stored value of one field: a number (positions, flags and boxes
// included), a text (Windows-1252 bytes) or a row of flags.
struct Value {
    std::int32_t number = 0;
    std::string text;
    std::vector<std::uint8_t> flags;

    bool operator==(const Value&) const = default;
};

// The fixed record of an object entry: the sizes of the graphics parts that
// follow it, then one value per field of its kind's table.
struct ObjectRecord {
    EntryKind kind = EntryKind::Unit;
    std::vector<std::uint32_t> sizes;
    std::vector<Value> values;

    std::int32_t& number(std::string_view id) { return value(id).number; }
    std::int32_t number(std::string_view id) const { return value(id).number; }
    std::string& text(std::string_view id) { return value(id).text; }
    const std::string& text(std::string_view id) const { return value(id).text; }
    std::vector<std::uint8_t>& flags(std::string_view id) { return value(id).flags; }

    // The first SHP part is present.
    bool hasGraphics() const;

    bool operator==(const ObjectRecord&) const = default;

private:
    Value& value(std::string_view id);
    const Value& value(std::string_view id) const;
};

// Every field at its default: what a save of an empty window stores.
ObjectRecord defaults(EntryKind kind);

Bytes pack(const ObjectRecord& record);

// The graphics parts that follow the record in its block, in the order of
// its sizes (stored pictures first, then the SHP files). Throws when they
// run past the block.
std::vector<ByteView> partsOf(const ObjectRecord& record, ByteView block);
// Refuses a block shorter than the kind's record.
ObjectRecord unpack(EntryKind kind, ByteView block);

}
