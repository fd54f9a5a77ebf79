#include "compiler/rules_writer.h"

#include "common/text.h"
#include "data/stock_rules.h"
#include "general/groups.h"
#include "stock/catalogue.h"
#include "stock/line_helpers.h"
#include "stock/loaded_record.h"
#include "stock/menus.h"
#include "stock/object_fields.h"

#include <algorithm>
#include <optional>

namespace qx::compiler {
namespace {

using objects::Field;
using objects::Line;
using Action = KeyEdit::Action;

std::string identifiers(const Field& field, const std::vector<std::uint8_t>& flags)
{
    std::string value;
    auto menu = field.menu();
    for (std::size_t i = 0; i < flags.size() && i < menu.size(); ++i) {
        if (flags[i] != 0)
            value += (value.empty() ? "" : ",") + stock::identifierAt(menu, i);
    }
    return value;
}

std::string percents(std::span<const Field> fields, std::span<const records::Value> values)
{
    std::string value;
    for (std::size_t i = 0; i < fields.size() && fields[i].line == Line::Percents; ++i)
        value += (i == 0 ? "" : ",") + std::to_string(values[i].number) + "%";
    return value;
}

bool omitted(const Field& field, std::int32_t number)
{
    return number == field.noLine || (field.emptyIs255 && number == objects::kEmpty);
}

// The value of the field's line; nothing where its table writes no line,
// nor for an empty text: the game skips a line without a value.
std::optional<std::string> lineValue(std::span<const Field> fields, std::span<const records::Value> values, std::size_t i)
{
    const auto& field = fields[i];
    const auto& value = values[i];
    auto position = static_cast<std::size_t>(static_cast<std::uint32_t>(value.number));
    switch (field.line) {
    case Line::Value:
        if (field.storage == objects::Storage::Text)
            return value.text.empty() ? std::nullopt : std::optional(value.text);
        if (omitted(field, value.number))
            return std::nullopt;
        return std::to_string(value.number);
    case Line::Hundredths: return decimalText(value.number, 100);
    case Line::Identifier:
        if (position < field.menu().size())
            return stock::identifierAt(field.menu(), position);
        return std::nullopt;
    case Line::Identifiers:
        if (auto ids = identifiers(field, value.flags); !ids.empty())
            return ids;
        return std::nullopt;
    case Line::Yes: return value.number != 0 ? std::optional<std::string>("yes") : std::nullopt;
    case Line::No: return value.number == 0 ? std::optional<std::string>("no") : std::nullopt;
    case Line::Percents: return percents(fields.subspan(i), values.subspan(i));
    case Line::Image:
    case Line::ImageAlways: return value.text.empty() ? std::nullopt : std::optional(value.text);
    default: return std::nullopt;
    }
}

// The line that says what a field without a line means, so that the game
// cannot fall back to the stock line; nothing where only the absence of the
// key says it.
std::optional<std::string> absentMeaning(const Field& field)
{
    switch (field.line) {
    case Line::Yes: return "no";
    case Line::No: return "yes";
    case Line::Identifier:
    case Line::Identifiers: return "none";
    case Line::Value:
        if (field.load == objects::Load::TechLevel)
            return "-1";
        if (field.noLine != objects::kAlwaysWritten)
            return std::to_string(field.noLine);
        return std::nullopt;
    default: return std::nullopt;
    }
}

bool sameValues(std::span<const Field> fields, const records::ObjectRecord& a, const records::ObjectRecord& b, std::size_t i)
{
    if (fields[i].line != Line::Percents)
        return a.values[i] == b.values[i];
    for (std::size_t j = i; j < fields.size() && fields[j].line == Line::Percents; ++j) {
        if (a.values[j] != b.values[j])
            return false;
    }
    return true;
}

bool hasKey(const stock::RulesSection* section, const Field& field)
{
    return section && std::any_of(section->keys.begin(), section->keys.end(), [&](const stock::KeyLine& line) {
               return line.key == field.key || line.key == field.stockKey;
           });
}

// The replaced unit or building: the lookup the editor built its list with.
Section replacedObject(const records::ObjectRecord& record, std::int32_t position)
{
    auto kind = record.kind == EntryKind::Unit ? stock::CatalogueKind::Unit : stock::CatalogueKind::Building;
    auto list = stock::catalogueLookup(kind, record.number("frameCount"), record.number("tolerance"),
                                       !record.hasGraphics());
    if (static_cast<std::size_t>(position) >= list.size())
        return {"", {}, true};
    return {stock::bracketIdentifier(list[static_cast<std::size_t>(position)]), {}, false};
}

Section identified(const records::ObjectRecord& record)
{
    const auto fields = objects::tableOf(record.kind).fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto position = record.values[i].number;
        if (fields[i].line == Line::Section)
            return {stock::identifierAt(fields[i].menu(), static_cast<std::size_t>(static_cast<std::uint32_t>(position))), {}};
        if (fields[i].line == Line::Replaced)
            return replacedObject(record, position);
    }
    return {};
}

// The label of the field or general field whose key this is.
std::string labelOf(EntryKind kind, const std::string& key)
{
    if (const auto* table = objects::objectTable(kind)) {
        for (const auto& field : table->fields) {
            if (key == field.key)
                return objects::plainLabel(field.label);
        }
    }
    if (const auto* group = general::groupOfKind(kind)) {
        for (const auto& field : group->fields) {
            if (key == general::rulesKey(field))
                return objects::plainLabel(field.label);
        }
    }
    return key;
}

}

RulesLines stockRules()
{
    return stock::rulesText();
}

std::string rulesFileText(const RulesLines& rules)
{
    std::size_t size = 0;
    for (const auto& line : rules)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : rules) {
        text += line;
        text += "\r\n";
    }
    return text;
}

const records::ObjectRecord& StockRecords::of(EntryKind kind, const std::string& identifier)
{
    auto key = std::make_pair(kind, lowerCase(identifier));
    auto found = records_.find(key);
    if (found == records_.end())
        found = records_.emplace(key, stock::loadedRecord(kind, stock::loadStockObject(identifier, kind))).first;
    return found->second;
}

Section objectSection(const records::ObjectRecord& record, StockRecords& stock)
{
    auto section = identified(record);
    if (section.identifier.empty())
        return section;
    const auto fields = objects::tableOf(record.kind).fields;
    const auto& loaded = stock.of(record.kind, section.identifier);
    const auto* stockSection = stock::stockRulesText().first(section.identifier);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& field = fields[i];
        bool laterPercent = field.line == Line::Percents && i > 0 && fields[i - 1].line == Line::Percents;
        bool noImage = field.line == Line::Image && !record.hasGraphics();
        if (!*field.key || laterPercent || noImage || sameValues(fields, record, loaded, i))
            continue;
        auto value = lineValue(fields, record.values, i);
        if (!value && hasKey(stockSection, field))
            value = absentMeaning(field);
        if (value)
            section.edits.push_back({Action::Set, field.key, *value, field.stockKey, {}, {}});
        else if (hasKey(stockSection, field))
            section.edits.push_back({Action::Remove, field.key, {}, field.stockKey, {}, {}});
    }
    return section;
}

std::vector<std::string> lineFaults(const Section& section, EntryKind kind)
{
    std::vector<std::string> faults;
    for (const auto& edit : section.edits) {
        if (edit.action != Action::Set)
            continue;
        auto size = edit.key.size() + 1 + edit.value.size();
        if (edit.value.find_first_of("\r\n") != std::string::npos)
            faults.push_back(labelOf(kind, edit.key) + " holds a line break, which would end its line in the rules.");
        else if (size > stock::kMaxRulesLine)
            faults.push_back(labelOf(kind, edit.key) + " makes a line of " + std::to_string(size) + " bytes, but the game reads only " +
                             std::to_string(stock::kMaxRulesLine) + ": it may hold at most " +
                             std::to_string(stock::kMaxRulesLine - edit.key.size() - 1) + " characters.");
    }
    return faults;
}

std::vector<std::string> playFaults(const records::ObjectRecord& record)
{
    std::vector<std::string> faults;
    const auto fields = objects::tableOf(record.kind).fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& field = fields[i];
        const auto& value = record.values[i];
        bool number = field.control == objects::Control::Number || field.control == objects::Control::Decimal;
        bool empty = field.emptyIs255 && value.number == objects::kEmpty;
        if (number && !empty && value.number > objects::playable(field))
            faults.push_back(objects::plainLabel(field.label) + " is beyond what the game holds (" +
                             objects::rangeText(field) + ").");
        if (field.menu == stock::prerequisiteList) {
            for (std::size_t p = objects::kHeldPrerequisites; p < value.flags.size(); ++p) {
                if (value.flags[p] != 0)
                    faults.push_back(objects::plainLabel(field.label) + " " + stock::identifierAt(field.menu(), p) +
                                     " is beyond the buildings the game holds as prerequisites.");
            }
        }
    }
    return faults;
}

}
