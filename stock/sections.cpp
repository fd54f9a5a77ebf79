#include "stock/sections.h"

#include "common/text.h"
#include "stock/line_helpers.h"

namespace qx::stock {
namespace {

// Line breaks inside a value become line breaks of the file, as a file
// written and read again line by line would have them.
void appendSplit(RulesLines& out, const std::string& line)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\r' || line[i] == '\n') {
            out.push_back(line.substr(start, i - start));
            if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    out.push_back(line.substr(start));
}

}

void mergeSection(RulesLines& rules, const Section& section)
{
    if (section.identifier.empty())
        return;
    const auto identifier = lowerCase(section.identifier);
    RulesLines merged;
    merged.reserve(rules.size() + section.lines.size() + 1);
    std::size_t i = 0;
    while (i < rules.size()) {
        auto& line = rules[i++];
        bool match = lowerCase(bracketIdentifier(line)) == identifier;
        merged.push_back(std::move(line));
        if (!match)
            continue;
        for (const auto& sectionLine : section.lines)
            appendSplit(merged, sectionLine);
        merged.emplace_back();
        while (i < rules.size()) {
            auto& old = rules[i++];
            bool header = !old.empty() && old[0] == '[';
            if (header || (!old.empty() && old[0] == ';'))
                merged.push_back(std::move(old));
            if (header)
                break;
        }
    }
    rules = std::move(merged);
}

}
