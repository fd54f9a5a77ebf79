#include "stock/rules_text.h"

#include "common/text.h"
#include "data/stock_rules.h"

namespace qx::stock {

std::optional<bool> gameFlag(std::string_view value)
{
    if (value.empty())
        return std::nullopt;
    switch (value[0]) {
    case 'y': case 'Y': case 't': case 'T': case '1': return true;
    case 'n': case 'N': case 'f': case 'F': case '0': return false;
    default: return std::nullopt;
    }
}

const KeyLine* RulesSection::find(std::string_view key) const
{
    for (auto at = keys.rbegin(); at != keys.rend(); ++at) {
        if (at->key == key)
            return &*at;
    }
    return nullptr;
}

std::size_t RulesSection::lastKeyLine() const
{
    return keys.empty() ? header : keys.back().line;
}

RulesText::RulesText(RulesLines lines) : lines_(std::move(lines))
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        auto read = readRulesLine(lines_[i]);
        if (read.kind == RulesLine::Kind::Header) {
            if (!sections_.empty())
                sections_.back().end = i;
            byName_[lowerCase(read.name)].push_back(sections_.size());
            sections_.push_back({std::string(read.name), i, lines_.size(), {}});
        } else if (read.kind == RulesLine::Kind::Entry && !sections_.empty()) {
            sections_.back().keys.push_back({std::string(read.name), std::string(read.value), i});
        }
    }
}

std::vector<const RulesSection*> RulesText::named(std::string_view name) const
{
    std::vector<const RulesSection*> found;
    if (auto at = byName_.find(lowerCase(name)); at != byName_.end()) {
        for (auto index : at->second)
            found.push_back(&sections_[index]);
    }
    return found;
}

const RulesSection* RulesText::first(std::string_view name) const
{
    auto at = byName_.find(lowerCase(name));
    return at == byName_.end() ? nullptr : &sections_[at->second.front()];
}

const RulesSection* RulesText::exact(std::string_view name) const
{
    for (const auto* section : named(name)) {
        if (section->name == name)
            return section;
    }
    return nullptr;
}

RulesLines splitRulesLines(std::string_view text)
{
    if (text.starts_with("\xef\xbb\xbf"))
        text.remove_prefix(3);
    RulesLines lines;
    for (auto line : pieces(text, '\n'))
        lines.emplace_back(line);
    return lines;
}

const RulesText& stockRulesText()
{
    static const RulesText text(rulesText());
    return text;
}

}
