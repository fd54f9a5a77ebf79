#include "compiler/rules_check.h"

#include "common/text.h"
#include "general/groups.h"
#include "stock/line_helpers.h"
#include "stock/loaded_record.h"
#include "stock/object_fields.h"
#include "stock/rules_text.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace qx::compiler {
namespace {

// What the game reads: the stock text's keys and our tables' keys, each in
// the game's spelling, and the stock spellings it never reads, per section.
struct Spellings {
    std::unordered_set<std::string> exact;
    std::unordered_map<std::string, std::string> byLower;
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> respelled;  // section, lower case
    std::unordered_map<std::string, std::string> sections;  // lower case: the stock spelling
    std::unordered_set<std::string> named;  // every value item of the stock text, lower case

    void key(const std::string& spelled)
    {
        exact.insert(spelled);
        byLower.try_emplace(lowerCase(spelled), spelled);
    }
    void respell(const std::string& section, const char* stockKey, const char* gameKey)
    {
        if (*stockKey)
            respelled[lowerCase(section)][stockKey] = gameKey;
    }
};

void addNames(std::unordered_set<std::string>& names, std::string_view value)
{
    for (auto item : pieces(value, ','))
        names.insert(lowerCase(trimmed(item)));
}

const Spellings& spellings()
{
    static const Spellings known = [] {
        Spellings s;
        for (const auto& section : stock::stockRulesText().sections()) {
            s.sections.try_emplace(lowerCase(section.name), section.name);
            for (const auto& line : section.keys) {
                s.key(line.key);
                addNames(s.named, line.value);
            }
        }
        for (auto kind : {EntryKind::Unit, EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead, EntryKind::Building}) {
            for (const auto& field : objects::tableOf(kind).fields) {
                if (!*field.key)
                    continue;
                s.key(field.key);
                for (const auto& entry : stock::objectList(kind))
                    s.respell(stock::bracketIdentifier(entry), field.stockKey, field.key);
            }
        }
        for (const auto& group : general::allGroups()) {
            for (const auto& field : group.fields) {
                if (!*field.name)
                    continue;
                s.key(general::rulesKey(field));
                if (group.section)
                    s.respell(group.section, field.stockKey, general::rulesKey(field));
                else
                    for (const auto* entry : group.sections())
                        s.respell(stock::bracketIdentifier(entry), field.stockKey, general::rulesKey(field));
            }
        }
        return s;
    }();
    return known;
}

// Tabs and the CR of a line end are the only ones rules text holds.
std::optional<std::uint8_t> controlCharacter(std::string_view line)
{
    auto found = std::find_if(line.begin(), line.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r';
    });
    return found == line.end() ? std::nullopt : std::optional<std::uint8_t>(static_cast<std::uint8_t>(*found));
}

class Checker {
public:
    void line(std::size_t number, std::string_view text)
    {
        number_ = number;
        if (auto control = controlCharacter(text))
            fault("holds the control character \\x" + hexByte(*control) + ", which is no rules text");
        if (auto cut = cutLine(text))
            fault(*cut);
        auto read = stock::readRulesLine(text);
        if (read.kind == stock::RulesLine::Kind::Header)
            header(std::string(read.name));
        else if (read.kind == stock::RulesLine::Kind::Entry)
            entry(std::string(read.name), read.value);
        else if (!trimmed(text).empty() && !trimmed(text).starts_with(';'))
            fault("neither a section, a key=value line, a comment nor empty: the game skips it");
    }

    // The notes of sections nothing names, once every line is read.
    std::vector<RulesFinding> finish()
    {
        for (const auto& [name, line] : sections_) {
            auto lower = lowerCase(name);
            if (!spellings().sections.contains(lower) && !spellings().named.contains(lower) && !named_.contains(lower))
                findings_.push_back({line, "[" + name + "] is no section of the game and no line names it: the game "
                                           "ignores it, though an extended game may read it",
                                     true, {}});
        }
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const RulesFinding& a, const RulesFinding& b) { return a.line < b.line; });
        return std::move(findings_);
    }

private:
    void fault(std::string text, std::string spelling = {})
    {
        findings_.push_back({number_, std::move(text), false, std::move(spelling)});
    }

    void header(const std::string& name)
    {
        section_ = name;
        keys_.clear();
        auto stock = spellings().sections.find(lowerCase(name));
        if (stock != spellings().sections.end() && stock->second != name)
            fault("the game has no section [" + name + "]: it reads [" + stock->second + "]", stock->second);
        if (auto [at, fresh] = sections_.try_emplace(name, number_); !fresh)
            fault("[" + name + "] is given twice (first on line " + std::to_string(at->second) +
                  "): which one the game reads is not defined");
    }

    void entry(const std::string& key, std::string_view value)
    {
        addNames(named_, value);
        if (!section_) {
            fault("a key before the first section: the game skips it");
            return;
        }
        if (auto spelled = gameSpelling(*section_, key))
            fault("the game reads no key " + key + " in [" + *section_ + "]: it reads " + *spelled, *spelled);
        if (auto [at, fresh] = keys_.try_emplace(key, number_); !fresh)
            fault(key + " is given twice in [" + *section_ + "] (first on line " + std::to_string(at->second) +
                  "): which one the game reads is not defined");
    }

    std::size_t number_ = 0;
    std::optional<std::string> section_;
    std::unordered_map<std::string, std::size_t> keys_;
    std::map<std::string, std::size_t> sections_;
    std::unordered_set<std::string> named_;
    std::vector<RulesFinding> findings_;
};

}

std::optional<std::string> cutLine(std::string_view line)
{
    auto meant = line.substr(0, line.find(';')).find_last_not_of(" \t\r") + 1;
    if (meant <= stock::kMaxRulesLine)
        return std::nullopt;
    return "a line of " + std::to_string(meant) + " bytes, of which the game reads only the first " +
           std::to_string(stock::kMaxRulesLine);
}

std::optional<std::string> gameSpelling(const std::string& section, const std::string& key)
{
    const auto& known = spellings();
    if (auto respelled = known.respelled.find(lowerCase(section)); respelled != known.respelled.end()) {
        if (auto found = respelled->second.find(key); found != respelled->second.end())
            return found->second;
    }
    if (known.exact.contains(key))
        return std::nullopt;
    if (auto found = known.byLower.find(lowerCase(key)); found != known.byLower.end())
        return found->second;
    return std::nullopt;
}

std::vector<std::string> rulesTextRefusals(std::string_view text, const std::string& name)
{
    constexpr std::size_t kMostNamed = 20;
    std::vector<std::string> refusals;
    std::size_t number = 0;
    std::size_t cut = 0;
    for (auto line : pieces(text, '\n')) {
        ++number;
        auto at = (name.empty() ? "line " : name + ":") + std::to_string(number) + ": ";
        if (auto control = controlCharacter(line))
            return {at + (*control ? "the control character \\x" + hexByte(*control) : std::string("a NUL byte")) +
                    ": this is no rules text"};
        if (auto finding = cutLine(line); finding && ++cut <= kMostNamed)
            refusals.push_back(at + *finding);
    }
    if (cut > kMostNamed)
        refusals.push_back((name.empty() ? "" : name + ": ") + std::to_string(cut - kMostNamed) +
                           " more lines longer than the game reads");
    return refusals;
}

std::vector<RulesFinding> checkRules(std::string_view text)
{
    Checker checker;
    std::size_t number = 0;
    for (auto line : pieces(text, '\n'))
        checker.line(++number, line);
    return checker.finish();
}

}
