#include "general/section_writers.h"

#include "common/text.h"
#include "stock/line_helpers.h"

namespace qx::general {
namespace {

// The name of the section a header line opens, in lower case.
std::string sectionName(const std::string& header)
{
    auto close = header.find(']');
    return lowerCase(header.substr(1, close == std::string::npos ? close : close - 1));
}

void rewriteKeys(stock::RulesLines& rules, const Group& group, const GroupRecord& record)
{
    const auto own = lowerCase(group.section);
    bool inside = false;
    for (auto& line : rules) {
        if (!line.empty() && line[0] == '[') {
            inside = sectionName(line) == own;
            continue;
        }
        if (!inside)
            continue;
        auto key = stock::lineKey(line);
        for (std::size_t i = 0; i < group.fields.size(); ++i) {
            const auto& field = group.fields[i];
            if (key == field.matchKey) {
                line = std::string(field.outputName) + "=" + formatValue(field, record.values.at(i));
                break;
            }
        }
    }
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

void writeGroup(stock::RulesLines& rules, const GroupRecord& record)
{
    const auto* group = groupOfKind(record.kind);
    if (!group)
        return;
    if (group->section)
        rewriteKeys(rules, *group, record);
    else
        stock::mergeSection(rules, groupSection(*group, record));
}

}
