#include "stock/loaded_record.h"

#include "common/text.h"
#include "stock/catalogue.h"
#include "stock/line_helpers.h"
#include "stock/menus.h"
#include "stock/object_fields.h"

#include <algorithm>
#include <iterator>

namespace qx::stock {
namespace {

using objects::Control;
using objects::Field;

// A field's text keeps at most its length, as a field of the window does.
std::string fitted(const Field& field, const std::string& text, Unstorable& fault)
{
    if (field.maxLength == 0 || text.size() <= field.maxLength)
        return text;
    fault = Unstorable::TooWide;
    return text.substr(0, field.maxLength);
}

Unstorable numberFault(const Field& field, const std::string& text)
{
    auto number = field.control == Control::Decimal ? scaledNumber(text, 2) : wholeNumber(text);
    return number ? Unstorable::TooWide : Unstorable::NotANumber;
}

// One field as the window stores what the load showed in it.
Unstorable storeField(const Field& field, const StockObject& loaded, records::Value& value)
{
    auto label = objects::plainLabel(field.label);
    const auto* shown = loaded.find(label);
    auto fault = loaded.unmatched.contains(label) ? Unstorable::NotInList : Unstorable::None;
    switch (field.control) {
    case Control::Text:
        value.text = shown ? fitted(field, shown->text, fault) : std::string();
        if (value.text.size() > field.count)
            fault = Unstorable::TooWide;
        break;
    case Control::Number:
    case Control::Decimal: {
        auto text = shown ? fitted(field, shown->text, fault) : std::string();
        auto stored = objects::storedNumber(field, text);
        if (!stored && fault == Unstorable::None)
            fault = numberFault(field, text);
        value.number = stored.value_or(field.defaultValue);
        break;
    }
    case Control::OneChoice:
        value.number = shown && !shown->checked.empty() ? static_cast<std::int32_t>(shown->checked.back())
                                                          : field.defaultValue;
        break;
    case Control::ManyChoices:
        value.flags.assign(field.count, 0);
        if (shown) {
            for (auto position : shown->checked)
                value.flags.at(position) = 1;
        }
        break;
    case Control::Box: value.number = shown && shown->box ? 1 : 0; break;
    case Control::Replacement:
    case Control::Derived: break;
    }
    return fault;
}

// The catalogue of units or buildings; nothing for the other kinds.
std::optional<CatalogueKind> catalogueOf(EntryKind kind)
{
    if (kind == EntryKind::Unit)
        return CatalogueKind::Unit;
    if (kind == EntryKind::Building)
        return CatalogueKind::Building;
    return std::nullopt;
}

bool anyInfantryBox(const records::ObjectRecord& record)
{
    return std::any_of(std::begin(objects::kInfantryBoxes), std::end(objects::kInfantryBoxes),
                       [&](const char* id) { return record.number(id) != 0; });
}

}

LoadedRecord loadedRecord(EntryKind kind, const StockObject& loaded, const records::ObjectRecord& fallback)
{
    const auto& table = objects::tableOf(kind);
    LoadedRecord result{records::defaults(kind), std::vector<Unstorable>(table.fields.size())};
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const auto& field = table.fields[i];
        result.faults[i] = storeField(field, loaded, result.record.values[i]);
        if (result.faults[i] != Unstorable::None && field.control != Control::ManyChoices)
            result.record.values[i] = fallback.values.at(i);
    }
    // The unit editor stores 0 passengers for an empty field while no
    // infantry box closes the vehicle boxes.
    if (kind == EntryKind::Unit && result.record.number("passengers") == objects::kEmpty &&
        !anyInfantryBox(result.record))
        result.record.number("passengers") = 0;
    return result;
}

records::ObjectRecord loadedRecord(EntryKind kind, const StockObject& loaded)
{
    auto defaults = records::defaults(kind);
    return loadedRecord(kind, loaded, defaults).record;
}

std::vector<std::string> objectList(EntryKind kind)
{
    if (auto catalogue = catalogueOf(kind))
        return catalogueLookup(*catalogue, 0, 0, true);
    const auto& table = objects::tableOf(kind);
    auto menu = table.fields[objects::indexOf(table, "replaced")].menu();
    return {menu.begin(), menu.end()};
}

std::optional<std::int32_t> replacementPosition(EntryKind kind, const std::string& identifier)
{
    auto list = objectList(kind);
    if (auto catalogue = catalogueOf(kind))
        list.resize(std::min(list.size(), offeredCatalogue(*catalogue).size()));
    auto wanted = lowerCase(identifier);
    if (kind == EntryKind::Weapon && wanted == lowerCase(kTorpedoTube))
        return std::nullopt;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (lowerCase(bracketIdentifier(list[i])) == wanted)
            return static_cast<std::int32_t>(i);
    }
    return std::nullopt;
}

}
