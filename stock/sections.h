#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qx::stock {

// Rules text, one string per line (Windows-1252 bytes, no line ends).
using RulesLines = std::vector<std::string>;

// The lines of one section and the identifier of the stock object it
// replaces. An empty identifier drops the section.
struct Section {
    std::string identifier;
    std::vector<std::string> lines;
    bool lookupFailed = false;  // unit or building no longer in the catalogue lookup
};

// Replaces the key lines of the identifier's section by the section's lines,
// followed by one empty line; comment lines up to the next header stay. The
// first line naming the identifier in each stretch between headers counts,
// a comment line as much as a header; the header that ends a replaced
// stretch is not tested itself.
void mergeSection(RulesLines& rules, const Section& section);

// Rules text that many merges and key rewrites change, each touching only
// the stretches between headers that it concerns, with the same result as
// mergeSection applied to the whole text once per section. Once a merged
// line starts a new section, the rest works on the whole text.
class MergedRules {
public:
    enum class Mode { ByStretch, WholeText };
    explicit MergedRules(RulesLines rules, Mode mode = Mode::ByStretch);

    void merge(const Section& section);
    // Calls edit for each line below every header of that name (any case).
    template <typename Edit>
    void rewrite(const std::string& sectionName, Edit edit);

    // The text, taken out of the merged rules.
    RulesLines lines() &&;

private:
    // A stretch: a header (none for the lines before the first) and the
    // lines up to the next one.
    using Stretch = RulesLines;
    void index(std::size_t stretch);
    void flatten();

    std::vector<Stretch> stretches_;
    std::unordered_map<std::string, std::vector<std::size_t>> byIdentifier_;  // bracket identifier, lower case
    std::unordered_map<std::string, std::vector<std::size_t>> byHeader_;      // section name, lower case
    std::optional<RulesLines> whole_;
};

// The name of the section a header line opens, in lower case.
std::string sectionName(const std::string& header);

template <typename Edit>
void MergedRules::rewrite(const std::string& name, Edit edit)
{
    auto own = sectionName("[" + name + "]");
    if (whole_) {
        bool inside = false;
        for (auto& line : *whole_) {
            if (!line.empty() && line[0] == '[')
                inside = sectionName(line) == own;
            else if (inside)
                edit(line);
        }
        return;
    }
    auto found = byHeader_.find(own);
    if (found == byHeader_.end())
        return;
    const auto stretches = found->second;
    for (auto stretch : stretches) {
        auto& lines = stretches_[stretch];
        for (std::size_t i = 1; i < lines.size(); ++i)
            edit(lines[i]);
        index(stretch);
    }
}

}
