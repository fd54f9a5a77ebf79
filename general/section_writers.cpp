#include "general/section_writers.h"

#include "common/text.h"
#include "stock/line_helpers.h"
#include "stock/menus.h"

#include <map>

namespace qx::general {
namespace {

using stock::Unstorable;

std::optional<std::int32_t> listPosition(const Group& group, const Field& field, std::string_view text)
{
    auto list = choiceList(group, field);
    auto wanted = lowerCase(text);
    if (field.format == Format::TechLevel) {
        auto level = gameNumber(text, 0);
        if (level && *level <= 0)
            wanted = "-1";
        else if (level)
            wanted = std::to_string(*level);
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (lowerCase(stock::bracketIdentifier(list[i])) == wanted)
            return static_cast<std::int32_t>(i);
    }
    return std::nullopt;
}

std::int32_t defaultOf(const Field& field)
{
    return storedValue(field, "").value_or(0);
}

std::string sectionAt(const Group& group, std::int32_t position)
{
    if (group.section)
        return group.section;
    return stock::identifierAt(group.sections(), static_cast<std::size_t>(static_cast<std::uint32_t>(position)));
}

// The value the window stores for a rules value of the field, read as the
// game reads it (a number's leading digits, a flag's first letter); nothing,
// with the fault, where the field cannot hold it.
std::optional<std::int32_t> readValue(const Group& group, const Field& field, std::string_view text, Unstorable& fault)
{
    switch (field.format) {
    case Format::YesNo:
        if (auto flag = stock::gameFlag(text))
            return *flag ? 1 : 0;
        fault = Unstorable::NotANumber;
        return std::nullopt;
    case Format::OneOrZero: return gameNumber(text, 3).value_or(0) != 0 ? 1 : 0;
    case Format::CrateChoice:
    case Format::UnitChoice:
    case Format::TechLevel:
        if (auto position = listPosition(group, field, text); position && offered(field, static_cast<std::size_t>(*position)))
            return position;
        fault = Unstorable::NotInList;
        return std::nullopt;
    case Format::Section: return std::nullopt;
    default: break;
    }
    auto scale = field.whole ? 0 : digitsOf(field.format);
    auto number = gameNumber(text, scale);
    if (!number) {
        fault = Unstorable::NotANumber;
        return std::nullopt;
    }
    if (field.whole)
        *number *= field.format == Format::Scaled100 ? 100 : 1000;
    if (*number < (field.width == 1 ? 0 : INT32_MIN) || *number > (field.width == 1 ? 255 : INT32_MAX)) {
        fault = Unstorable::TooWide;
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

}

GroupRecord readGroup(const Group& group, std::int32_t sectionPosition, const stock::RulesSection* section,
                      const GroupRecord* fallback, const FaultNote& note)
{
    GroupRecord record{group.kind, {}};
    for (std::size_t i = 0; i < group.fields.size(); ++i) {
        const auto& field = group.fields[i];
        if (field.format == Format::Section) {
            record.values.push_back(sectionPosition);
            continue;
        }
        const auto* line = section ? section->find(rulesKey(field)) : nullptr;
        auto fault = Unstorable::None;
        auto value = line ? readValue(group, field, line->value, fault) : std::optional<std::int32_t>(defaultOf(field));
        if (fault != Unstorable::None && note)
            note(field, fault);
        record.values.push_back(value ? *value : fallback ? fallback->values[i] : defaultOf(field));
    }
    return record;
}

GroupRecord stockGroup(const Group& group, std::int32_t sectionPosition)
{
    // The stock text never changes: each of its sections is read once.
    static std::map<std::pair<EntryKind, std::int32_t>, GroupRecord> read;
    auto key = std::make_pair(group.kind, sectionPosition);
    auto found = read.find(key);
    if (found == read.end())
        found = read.emplace(key, readGroup(group, sectionPosition,
                                            stock::stockRulesText().first(sectionAt(group, sectionPosition)))).first;
    return found->second;
}

namespace {

// The section whose keys the record sets: the group's own, or the chosen
// one of a section group; empty for a position beyond the list.
std::string sectionOf(const Group& group, const GroupRecord& record)
{
    for (std::size_t i = 0; i < group.fields.size(); ++i) {
        if (group.fields[i].format == Format::Section)
            return sectionAt(group, record.values.at(i));
    }
    return sectionAt(group, 0);
}

std::vector<stock::KeyEdit> groupEdits(const GroupRecord& record)
{
    const auto& group = *groupOfKind(record.kind);
    auto position = group.section ? 0 : record.values.at(0);
    auto stock = stockGroup(group, position);
    std::vector<stock::KeyEdit> edits;
    for (std::size_t i = 0; i < group.fields.size(); ++i) {
        const auto& field = group.fields[i];
        if (field.format == Format::Section)
            continue;
        auto action = record.values[i] == stock.values[i] ? stock::KeyEdit::Action::Keep : stock::KeyEdit::Action::Set;
        edits.push_back({action, rulesKey(field), formatValue(field, record.values[i]), field.stockKey, {}, {}});
    }
    return edits;
}

}

void writeGroup(stock::EditedRules& rules, const GroupRecord& record)
{
    const auto* group = groupOfKind(record.kind);
    if (!group)
        return;
    auto section = sectionOf(*group, record);
    if (section.empty())
        return;
    if (group->section)
        rules.edit(section, groupEdits(record));
    else
        rules.replace({section, groupEdits(record)});
}

std::vector<std::string> playFaults(const GroupRecord& record)
{
    std::vector<std::string> faults;
    const auto& group = *groupOfKind(record.kind);
    for (std::size_t i = 0; i < group.fields.size(); ++i) {
        const auto& field = group.fields[i];
        auto value = record.values[i];
        auto label = [&] { return objects::plainLabel(field.label); };
        auto position = static_cast<std::size_t>(static_cast<std::uint32_t>(value));
        bool choice = field.format == Format::CrateChoice || field.format == Format::UnitChoice;
        if (choice && !offered(field, position))
            faults.push_back(label() + " " + formatValue(field, value) + " is no choice the game knows.");
        else if (field.filter != objects::Filter::None && !holds(field, value))
            faults.push_back(label() + " " + shownValue(field, value) + " is beyond what the game holds (" +
                             rangeText(field) + ").");
    }
    return faults;
}

}
