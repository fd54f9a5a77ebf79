#include "stock/sections.h"

#include <algorithm>
#include <unordered_map>

namespace qx::stock {
namespace {

using Action = KeyEdit::Action;

bool names(const KeyEdit& edit, const std::string& key)
{
    return key == edit.key || (!edit.stockKey.empty() && key == edit.stockKey);
}

// What the edit writes where its key stood, or after the section's keys.
RulesLines linesOf(const KeyEdit& edit)
{
    RulesLines lines = edit.before;
    if (edit.action == Action::Set)
        lines.push_back(edit.line.empty() ? edit.key + "=" + edit.value : edit.line);
    return lines;
}

// Every line's fate under the edits of the sections the base has.
struct LinePlan {
    explicit LinePlan(std::size_t size) : replaced(size) {}

    // A line an earlier edit of another key took is left to it.
    void apply(const RulesSection& section, const KeyEdit& edit)
    {
        bool placed = false;
        for (const auto& line : section.keys) {
            if (!names(edit, line.key) || replaced[line.line])
                continue;
            replaced[line.line] = placed ? RulesLines{} : linesOf(edit);
            placed = true;
        }
        if (!placed)
            append(section, linesOf(edit));
    }

    void append(const RulesSection& section, const RulesLines& lines)
    {
        auto& after = added[section.lastKeyLine()];
        after.insert(after.end(), lines.begin(), lines.end());
    }

    std::vector<std::optional<RulesLines>> replaced;
    std::unordered_map<std::size_t, RulesLines> added;  // after that line
};

void setEdit(std::vector<KeyEdit>& keys, const KeyEdit& edit)
{
    auto same = std::find_if(keys.begin(), keys.end(), [&](const KeyEdit& old) { return old.key == edit.key; });
    if (edit.action == Action::Keep) {
        if (same != keys.end())
            keys.erase(same);
    } else if (same != keys.end()) {
        *same = edit;
    } else {
        keys.push_back(edit);
    }
}

// A line as written, without the CR of its line end.
std::string plain(const std::string& line)
{
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

}

EditedRules::Edits& EditedRules::exactly(const std::string& name)
{
    auto [at, fresh] = byName_.try_emplace(name, sections_.size());
    if (fresh)
        sections_.push_back({name, {}, {}});
    return sections_[at->second];
}

EditedRules::Edits& EditedRules::listed(const std::string& identifier)
{
    const auto* section = base_.first(identifier);
    return exactly(section ? section->name : identifier);
}

void EditedRules::replace(const Section& section)
{
    if (section.identifier.empty())
        return;
    auto& edits = listed(section.identifier);
    edits.keys.clear();
    std::copy_if(section.edits.begin(), section.edits.end(), std::back_inserter(edits.keys),
                 [](const KeyEdit& edit) { return edit.action != Action::Keep; });
}

void EditedRules::edit(const std::string& sectionName, const std::vector<KeyEdit>& edits)
{
    auto& keys = listed(sectionName).keys;
    for (const auto& edit : edits)
        setEdit(keys, edit);
}

void EditedRules::apply(const RulesText& text)
{
    const auto& lines = text.lines();
    auto carry = [&](RulesLines& to, std::size_t from, std::size_t end) {
        for (; from < end; ++from)
            to.push_back(plain(lines[from]));
    };
    carry(top_, 0, text.sections().empty() ? lines.size() : text.sections().front().header);
    for (const auto& section : text.sections()) {
        auto& edits = exactly(section.name);
        auto next = section.header + 1;
        for (const auto& key : section.keys) {
            KeyEdit edit{key.value.empty() ? Action::Remove : Action::Set, key.key, key.value, {}, plain(lines[key.line]), {}};
            carry(edit.before, next, key.line);
            next = key.line + 1;
            setEdit(edits.keys, edit);
        }
        carry(edits.tail, next, section.end);
    }
}

RulesLines EditedRules::lines() const
{
    const auto& base = base_.lines();
    LinePlan plan(base.size());
    RulesLines appended;
    for (const auto& edits : sections_) {
        if (const auto* section = base_.exact(edits.name)) {
            for (const auto& edit : edits.keys)
                plan.apply(*section, edit);
            plan.append(*section, edits.tail);
            continue;
        }
        RulesLines lines;
        bool keys = false;
        for (const auto& edit : edits.keys) {
            auto written = linesOf(edit);
            lines.insert(lines.end(), written.begin(), written.end());
            keys = keys || edit.action == Action::Set;
        }
        if (!keys && edits.tail.empty())
            continue;
        lines.insert(lines.end(), edits.tail.begin(), edits.tail.end());
        appended.push_back("");
        appended.push_back("[" + edits.name + "]");
        appended.insert(appended.end(), lines.begin(), lines.end());
    }
    RulesLines result = top_;
    result.reserve(top_.size() + base.size() + appended.size());
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (plan.replaced[i])
            result.insert(result.end(), plan.replaced[i]->begin(), plan.replaced[i]->end());
        else
            result.push_back(base[i]);
        if (auto added = plan.added.find(i); added != plan.added.end())
            result.insert(result.end(), added->second.begin(), added->second.end());
    }
    result.insert(result.end(), appended.begin(), appended.end());
    return result;
}

}
