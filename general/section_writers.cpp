#include "general/section_writers.h"

#include "stock/line_helpers.h"

namespace qx::general {
namespace {

// The name of the section a header line opens, in lower case.
std::string sectionName(const std::string& header)
{
    auto close = header.find(']');
    return stock::lowerCase(header.substr(1, close == std::string::npos ? close : close - 1));
}

void rewriteKeys(compiler::RulesLines& rules, const Group& group, const GroupRecord& record)
{
    const auto own = stock::lowerCase(group.section);
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

}

void writeGroup(compiler::RulesLines& rules, const GroupRecord& record)
{
    const auto* group = groupOfKind(record.kind);
    if (!group)
        return;
    if (group->section)
        rewriteKeys(rules, *group, record);
    else
        compiler::mergeSection(rules, compiler::groupSection(record));
}

}
