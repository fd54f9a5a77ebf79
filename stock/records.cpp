#include "stock/records.h"

#include "common/bytes.h"
#include "common/error.h"
#include "stock/object_fields.h"

namespace qx::records {
namespace {

using objects::Storage;

std::size_t partCount(EntryKind kind)
{
    return factsOf(kind)->graphicsParts();
}

void put(Bytes& bytes, const objects::Field& field, const Value& value)
{
    switch (field.storage) {
    case Storage::U8: putU8(bytes, field.offset, static_cast<std::uint8_t>(value.number)); break;
    case Storage::U16: putU16(bytes, field.offset, static_cast<std::uint16_t>(value.number)); break;
    case Storage::I32: putI32(bytes, field.offset, value.number); break;
    case Storage::Text: putShortText(bytes, field.offset, field.count, value.text); break;
    case Storage::Flags:
        for (std::size_t i = 0; i < field.count && i < value.flags.size(); ++i)
            bytes[field.offset + i] = value.flags[i];
        break;
    }
}

Value read(ByteView bytes, const objects::Field& field)
{
    Value value;
    switch (field.storage) {
    case Storage::U8: value.number = u8At(bytes, field.offset); break;
    case Storage::U16: value.number = u16At(bytes, field.offset); break;
    case Storage::I32: value.number = i32At(bytes, field.offset); break;
    case Storage::Text: value.text = shortTextAt(bytes, field.offset, field.count); break;
    case Storage::Flags: value.flags.assign(bytes.begin() + field.offset, bytes.begin() + field.offset + field.count); break;
    }
    return value;
}

}

Value& ObjectRecord::value(std::string_view id)
{
    return values.at(objects::indexOf(objects::tableOf(kind), id));
}

const Value& ObjectRecord::value(std::string_view id) const
{
    return values.at(objects::indexOf(objects::tableOf(kind), id));
}

bool ObjectRecord::hasGraphics() const
{
    const auto* facts = factsOf(kind);
    return facts->shpParts() > 0 && sizes.at(facts->pictureParts) > 0;
}

ObjectRecord defaults(EntryKind kind)
{
    ObjectRecord record{kind, std::vector<std::uint32_t>(partCount(kind)), {}};
    for (const auto& field : objects::tableOf(kind).fields) {
        Value value{field.defaultValue, {}, {}};
        if (field.storage == Storage::Flags)
            value.flags.assign(field.count, 0);
        record.values.push_back(std::move(value));
    }
    return record;
}

Bytes pack(const ObjectRecord& record)
{
    const auto& table = objects::tableOf(record.kind);
    Bytes bytes(factsOf(record.kind)->recordSize);
    for (std::size_t i = 0; i < record.sizes.size(); ++i)
        putU32(bytes, 4 * i, record.sizes[i]);
    for (std::size_t i = 0; i < table.fields.size(); ++i)
        put(bytes, table.fields[i], record.values.at(i));
    return bytes;
}

std::vector<ByteView> partsOf(const ObjectRecord& record, ByteView block)
{
    std::vector<ByteView> parts;
    std::uint64_t at = factsOf(record.kind)->recordSize;
    for (auto size : record.sizes) {
        if (at > block.size() || size > block.size() - at)
            throw Error("A graphics entry of the project is damaged: its graphics run past the end of its data.");
        parts.push_back(block.subspan(static_cast<std::size_t>(at), size));
        at += size;
    }
    return parts;
}

ObjectRecord unpack(EntryKind kind, ByteView block)
{
    const auto& table = objects::tableOf(kind);
    auto size = factsOf(kind)->recordSize;
    if (block.size() < size)
        throw Error("The " + std::string(table.noun) + " entry is damaged: its data holds " +
                    std::to_string(block.size()) + " bytes, not the " + std::to_string(size) + " of its record.");
    ObjectRecord record{kind, std::vector<std::uint32_t>(partCount(kind)), {}};
    for (std::size_t i = 0; i < record.sizes.size(); ++i)
        record.sizes[i] = u32At(block, 4 * i);
    for (const auto& field : table.fields)
        record.values.push_back(read(block, field));
    return record;
}

}
