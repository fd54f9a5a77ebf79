#include "general/section_writers.h"

#include "common/text.h"
#include "stock/line_helpers.h"

namespace qx::general {
namespace {

void rewriteKeys(stock::MergedRules& rules, const Group& group, const GroupRecord& record)
{
    rules.rewrite(group.section, [&](std::string& line) {
        auto key = stock::lineKey(line);
        for (std::size_t i = 0; i < group.fields.size(); ++i) {
            const auto& field = group.fields[i];
            if (key == field.matchKey) {
                line = std::string(field.outputName) + "=" + formatValue(field, record.values.at(i));
                break;
            }
        }
    });
}

// Difficulty levels, countries and land types replace their section.
stock::Section groupSection(const Group& group, const GroupRecord& record)
{
    stock::Section section;
    for (std::size_t i = 0; i < group.fields.size(); ++i) {
        const auto& field = group.fields[i];
        auto value = record.values.at(i);
        if (field.format == Format::Section)
            section.identifier = stock::identifierAt(group.sections(), static_cast<std::size_t>(value));
        else
            section.lines.push_back(std::string(field.outputName) + "=" + formatValue(field, value));
    }
    return section;
}

}

void writeGroup(stock::MergedRules& rules, const GroupRecord& record)
{
    const auto* group = groupOfKind(record.kind);
    if (!group)
        return;
    if (group->section)
        rewriteKeys(rules, *group, record);
    else
        rules.merge(groupSection(*group, record));
}

void writeGroup(stock::RulesLines& rules, const GroupRecord& record)
{
    stock::MergedRules merged(std::move(rules), stock::MergedRules::Mode::WholeText);
    writeGroup(merged, record);
    rules = std::move(merged).lines();
}

}
