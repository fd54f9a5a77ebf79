#include "stock/sections.h"

#include "common/text.h"

#include <algorithm>
#include <unordered_map>

namespace qx::stock {
namespace {

using Action = KeyEdit::Action;

bool names(const KeyEdit& edit, const std::string& key)
{
    return key == edit.key || (!edit.stockKey.empty() && key == edit.stockKey);
}

std::string lineOf(const KeyEdit& edit)
{
    return edit.key + "=" + edit.value;
}

// Every line's fate under the edits of the sections the base has.
struct LinePlan {
    explicit LinePlan(std::size_t size) : changed(size), removed(size) {}

    void apply(const RulesSection& section, const KeyEdit& edit)
    {
        bool placed = false;
        for (const auto& line : section.keys) {
            if (!names(edit, line.key))
                continue;
            if (edit.action == Action::Set && !placed)
                changed[line.line] = lineOf(edit);
            else
                removed[line.line] = true;
            placed = placed || edit.action == Action::Set;
        }
        if (edit.action == Action::Set && !placed)
            added[section.lastKeyLine()].push_back(lineOf(edit));
    }

    std::vector<std::optional<std::string>> changed;
    std::vector<bool> removed;
    std::unordered_map<std::size_t, std::vector<std::string>> added;  // after that line
};

}

EditedRules::Edits& EditedRules::editsOf(const std::string& name)
{
    auto [at, fresh] = byName_.try_emplace(lowerCase(name), sections_.size());
    if (fresh)
        sections_.push_back({name, {}});
    return sections_[at->second];
}

void EditedRules::replace(const Section& section)
{
    if (section.identifier.empty())
        return;
    auto& edits = editsOf(section.identifier);
    edits.keys.clear();
    std::copy_if(section.edits.begin(), section.edits.end(), std::back_inserter(edits.keys),
                 [](const KeyEdit& edit) { return edit.action != Action::Keep; });
}

void EditedRules::edit(const std::string& sectionName, const std::vector<KeyEdit>& edits)
{
    auto& keys = editsOf(sectionName).keys;
    for (const auto& edit : edits) {
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
}

RulesLines EditedRules::lines() const
{
    const auto& base = base_.lines();
    LinePlan plan(base.size());
    RulesLines appended;
    for (const auto& edits : sections_) {
        if (const auto* section = base_.first(edits.name)) {
            for (const auto& edit : edits.keys)
                plan.apply(*section, edit);
            continue;
        }
        RulesLines lines;
        for (const auto& edit : edits.keys) {
            if (edit.action == Action::Set)
                lines.push_back(lineOf(edit));
        }
        if (lines.empty())
            continue;
        appended.push_back("");
        appended.push_back("[" + edits.name + "]");
        appended.insert(appended.end(), lines.begin(), lines.end());
    }
    RulesLines result;
    result.reserve(base.size() + appended.size());
    for (std::size_t i = 0; i < base.size(); ++i) {
        if (!plan.removed[i])
            result.push_back(plan.changed[i] ? *plan.changed[i] : base[i]);
        if (auto added = plan.added.find(i); added != plan.added.end())
            result.insert(result.end(), added->second.begin(), added->second.end());
    }
    result.insert(result.end(), appended.begin(), appended.end());
    return result;
}

}
