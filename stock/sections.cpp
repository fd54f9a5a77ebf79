#include "stock/sections.h"

#include "common/text.h"
#include "stock/line_helpers.h"

#include <algorithm>
#include <iterator>

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

bool isHeader(const std::string& line)
{
    return !line.empty() && line[0] == '[';
}

void addTo(std::vector<std::size_t>& stretches, std::size_t stretch)
{
    auto at = std::lower_bound(stretches.begin(), stretches.end(), stretch);
    if (at == stretches.end() || *at != stretch)
        stretches.insert(at, stretch);
}

// One stretch under mergeSection: the first line naming the identifier (the
// header only when it is tested) keeps its place and gets the section's
// lines; of the lines after it only the comments stay.
bool mergeStretch(RulesLines& stretch, const std::string& identifier, bool testHeader, const Section& section)
{
    std::size_t first = !stretch.empty() && isHeader(stretch[0]) && !testHeader ? 1 : 0;
    auto match = std::find_if(stretch.begin() + static_cast<std::ptrdiff_t>(std::min(first, stretch.size())), stretch.end(),
                              [&](const std::string& line) { return lowerCase(bracketIdentifier(line)) == identifier; });
    if (match == stretch.end())
        return false;
    RulesLines merged(stretch.begin(), match + 1);
    for (const auto& line : section.lines)
        appendSplit(merged, line);
    merged.emplace_back();
    std::copy_if(match + 1, stretch.end(), std::back_inserter(merged),
                 [](const std::string& line) { return !line.empty() && line[0] == ';'; });
    stretch = std::move(merged);
    return true;
}

}

std::string sectionName(const std::string& header)
{
    auto close = header.find(']');
    return lowerCase(header.substr(1, close == std::string::npos ? close : close - 1));
}

MergedRules::MergedRules(RulesLines rules, Mode mode)
{
    if (mode == Mode::WholeText) {
        whole_ = std::move(rules);
        return;
    }
    stretches_.emplace_back();
    for (auto& line : rules) {
        if (isHeader(line))
            stretches_.emplace_back();
        stretches_.back().push_back(std::move(line));
    }
    for (std::size_t i = 0; i < stretches_.size(); ++i)
        index(i);
}

void MergedRules::index(std::size_t stretch)
{
    const auto& lines = stretches_[stretch];
    if (!lines.empty() && isHeader(lines[0]))
        addTo(byHeader_[sectionName(lines[0])], stretch);
    for (const auto& line : lines) {
        if (line.find('[') != std::string::npos)
            addTo(byIdentifier_[lowerCase(bracketIdentifier(line))], stretch);
    }
}

void MergedRules::flatten()
{
    whole_ = std::move(*this).lines();
    stretches_.clear();
    byIdentifier_.clear();
    byHeader_.clear();
}

// A merged line that starts a section changes where the stretches lie, so
// from then on the whole text is merged at once.
void MergedRules::merge(const Section& section)
{
    if (section.identifier.empty())
        return;
    bool opensSection = std::any_of(section.lines.begin(), section.lines.end(), [](const std::string& line) {
        return line.starts_with('[') || line.find("\n[") != std::string::npos || line.find("\r[") != std::string::npos;
    });
    if (!whole_ && opensSection)
        flatten();
    if (whole_) {
        mergeSection(*whole_, section);
        return;
    }
    const auto identifier = lowerCase(section.identifier);
    auto found = byIdentifier_.find(identifier);
    if (found == byIdentifier_.end())
        return;
    const auto stretches = found->second;
    std::size_t after = SIZE_MAX;  // the stretch whose match leaves the next header untested
    for (auto stretch : stretches) {
        if (!mergeStretch(stretches_[stretch], identifier, after + 1 != stretch, section))
            continue;
        index(stretch);
        after = stretch;
    }
}

RulesLines MergedRules::lines() &&
{
    if (whole_)
        return std::move(*whole_);
    std::size_t count = 0;
    for (const auto& stretch : stretches_)
        count += stretch.size();
    RulesLines all;
    all.reserve(count);
    for (auto& stretch : stretches_)
        std::move(stretch.begin(), stretch.end(), std::back_inserter(all));
    return all;
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
