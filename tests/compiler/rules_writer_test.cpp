#include "compiler/rules_writer.h"

#include "common/text.h"
#include "data/stock_rules.h"
#include "general/section_writers.h"
#include "stock/line_helpers.h"
#include "stock/loaded_record.h"
#include "stock/rules_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace qx::compiler {
namespace {

TEST(DecimalText, ShortForms)
{
    const std::tuple<std::int64_t, int, const char*> cases[] = {
        {575, 100, "5.75"}, {550, 100, "5.5"}, {510, 100, "5.1"}, {600, 100, "6"}, {1000, 100, "10"},
        {75, 100, ".75"}, {5, 100, ".05"}, {1200, 1000, "1.2"}, {1000, 1000, "1"}, {800, 1000, ".8"},
        {1, 1000, ".001"}, {30, 1000, ".03"}, {0, 1000, "0"}, {7, 10, ".7"}, {-575, 100, "-5.75"},
    };
    for (auto [number, divisor, text] : cases)
        EXPECT_EQ(decimalText(number, divisor), text) << number << "/" << divisor;
}

using Action = KeyEdit::Action;

TEST(EditedRules, ChangesSectionsInPlace)
{
    const stock::RulesText base({"; head", "[A]", "One=1", "two=2", "; note", "Old=3", " ", "[B]", "Key=1", "Key=2",
                                 "[Empty]", "[A]", "One=9"});
    EditedRules rules(base);
    rules.replace({"a", {{Action::Set, "One", "5", ""}, {Action::Set, "Two", "6", ""}, {Action::Remove, "Old", "", ""},
                         {Action::Set, "New", "x", "two"}}});
    rules.edit("B", {{Action::Set, "Key", "3", ""}});
    rules.edit("Empty", {{Action::Set, "K", "1", ""}});
    rules.edit("Fresh", {{Action::Set, "K", "1", ""}, {Action::Remove, "L", "", ""}});
    // The game tells keys apart by their exact spelling: "two" is not Two,
    // but it is New's stock spelling; of a key given twice one line stays.
    EXPECT_EQ(rules.lines(), (stock::RulesLines{"; head", "[A]", "One=5", "New=x", "; note", "Two=6", " ", "[B]",
                                                "Key=3", "[Empty]", "K=1", "[A]", "One=9", "", "[Fresh]", "K=1"}));

    // A later replace starts from the base again; a Keep undoes a key's edit.
    rules.replace({"A", {{Action::Set, "Two", "7", ""}}});
    rules.edit("b", {{Action::Keep, "Key", "", ""}});
    rules.edit("Fresh", {{Action::Keep, "K", "", ""}});
    EXPECT_EQ(rules.lines(), (stock::RulesLines{"; head", "[A]", "One=1", "two=2", "; note", "Old=3", "Two=7", " ",
                                                "[B]", "Key=1", "Key=2", "[Empty]", "K=1", "[A]", "One=9"}));
    rules.replace({"", {{Action::Set, "X", "1", ""}}});
    EXPECT_EQ(rules.lines().size(), 15u);
}

// A player's rules text after the entries: a key set in place of its exact
// spelling, added after the section's keys, taken out by "Key=", a new
// section at the end; a later text wins; comments ride along, those before
// the first section at the top, where the game skips them.
TEST(EditedRules, RulesTextIsAppliedAfterTheEntries)
{
    const stock::RulesText base({"; head", "[A]", "One=1", "two=2", "Old=3", "[B]", "Key=1"});
    EditedRules rules(base);
    rules.edit("A", {{Action::Set, "One", "5", ""}});
    rules.apply(stock::RulesText({"; mine\r", "Loose=1", "[A]", "two=20 ; more", "; why", "Two=7", "Old=", "[a]",
                                  "One=6", "[B]", "; tail", "[New]", "K=1", "Gone=", "[Empty]"}));
    rules.apply(stock::RulesText({"[A]", "two=21", "[New]", "Gone=2"}));
    EXPECT_EQ(rules.lines(), (stock::RulesLines{"; mine", "Loose=1", "; head", "[A]", "One=5", "two=21", "; why", "Two=7",
                                                "[B]", "Key=1", "; tail", "", "[a]", "One=6", "", "[New]", "K=1", "Gone=2"}));
}

// The record an editor stores after loading the stock object and adding it.
records::ObjectRecord loadedAndAdded(EntryKind kind, const std::string& identifier)
{
    auto record = stock::loadedRecord(kind, stock::loadStockObject(identifier, kind));
    record.number("replaced") = *stock::replacementPosition(kind, identifier);
    return record;
}

RulesLines compiled(const std::vector<records::ObjectRecord>& objects)
{
    EditedRules rules(stock::stockRulesText());
    StockRecords stock;
    for (const auto& record : objects)
        rules.replace(objectSection(record, stock));
    return rules.lines();
}

// Every stock object each editor offers, loaded and added unchanged,
// compiles to the stock text byte for byte.
TEST(ObjectSection, UnchangedStockObjectsCompileToTheirStockSections)
{
    std::vector<records::ObjectRecord> all;
    for (auto kind : {EntryKind::Unit, EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead, EntryKind::Building}) {
        for (const auto& entry : stock::objectList(kind)) {
            auto identifier = stock::bracketIdentifier(entry);
            if (stock::replacementPosition(kind, identifier))
                all.push_back(loadedAndAdded(kind, identifier));
        }
    }
    EXPECT_GT(all.size(), 150u);
    EXPECT_EQ(compiled(all), stock::rulesText());
}

// The lines in which two texts of the same length differ, as "old -> new".
std::vector<std::string> changes(const RulesLines& before, const RulesLines& after)
{
    std::vector<std::string> changed;
    if (before.size() != after.size())
        return {"lengths " + std::to_string(before.size()) + " -> " + std::to_string(after.size())};
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i])
            changed.push_back(before[i] + " -> " + after[i]);
    }
    return changed;
}

// One changed field changes one line, in place; a field whose table writes
// no line for its value says so where the stock section has the key.
TEST(ObjectSection, AChangedFieldChangesItsLineAlone)
{
    struct Case {
        EntryKind kind;
        const char* identifier;
        const char* field;
        std::int32_t value;
        const char* change;
    };
    const Case cases[] = {
        {EntryKind::Unit, "3TNK", "cost", 1000, "Cost=950 -> Cost=1000"},
        {EntryKind::Unit, "3TNK", "techLevel", 0, "TechLevel=4 -> TechLevel=-1"},
        {EntryKind::Unit, "3TNK", "tracked", 0, "Tracked=yes -> Tracked=no"},
        {EntryKind::Unit, "3TNK", "secondary", objects::kEmpty, "Secondary=105mm -> Secondary=none"},
        {EntryKind::Unit, "3TNK", "sight", 1, "Sight=5 -> Sight=1"},
        {EntryKind::Unit, "3TNK", "owner", 0, "Owner=soviet -> Owner=Allies"},
        {EntryKind::Unit, "APC", "passengers", 0, "Passengers=5 -> Passengers=0"},
        {EntryKind::Weapon, "105mm", "range", 550, "Range=4.75 -> Range=5.5"},
        {EntryKind::Warhead, "AP", "spread", 2, "Spread=3 -> Spread=2"},
    };
    StockRecords stock;
    for (const auto& c : cases) {
        auto record = loadedAndAdded(c.kind, c.identifier);
        record.number(c.field) = c.value;
        EXPECT_EQ(changes(stock::rulesText(), compiled({record})), std::vector<std::string>{c.change}) << c.field;
    }
    auto none = loadedAndAdded(EntryKind::Unit, "3TNK");
    std::fill(none.flags("prerequisites").begin(), none.flags("prerequisites").end(), 0);
    EXPECT_EQ(changes(stock::rulesText(), compiled({none})),
              std::vector<std::string>{"Prerequisite=weap -> Prerequisite=none"});
}

// A key the stock section lacks goes after its last key line, and a later
// entry for the same object starts again from the stock section.
TEST(ObjectSection, NewKeysFollowTheSectionAndLaterEntriesWinWholly)
{
    auto first = loadedAndAdded(EntryKind::Unit, "3TNK");
    first.number("cloakable") = 1;
    first.number("cost") = 5;
    auto second = loadedAndAdded(EntryKind::Unit, "3TNK");
    second.text("name") = "Big Tank";
    auto lines = compiled({first, second});
    auto at = std::find(lines.begin(), lines.end(), "[3TNK]") - lines.begin();
    EXPECT_EQ(RulesLines(lines.begin() + at + 14, lines.begin() + at + 17),
              (RulesLines{"Crewed=yes", "Name=Big Tank", " "}));
    EXPECT_EQ(lines[static_cast<std::size_t>(at) + 10], "Cost=950");
}

// Every key of every table is spelt as the game reads it: as the stock text
// spells it, but where the game spells it otherwise.
TEST(RulesKeys, EveryTableKeyIsTheGamesSpelling)
{
    std::set<std::string> stockKeys;
    for (const auto& section : stock::stockRulesText().sections()) {
        for (const auto& key : section.keys)
            stockKeys.insert(key.key);
    }
    // The game's own spellings where the stock text's differ, and keys the
    // game reads that no stock section sets.
    const std::set<std::string> gameOnly{"FirePower", "GameSpeedBias", "Inaccuate", "Name", "Reload", "Crushable",
                                         "Degenerates"};
    std::vector<std::string> misspelt;
    auto check = [&](const std::string& key, const std::string& stockKey) {
        if (!stockKeys.contains(key) && !gameOnly.contains(key))
            misspelt.push_back(key);
        if (!stockKey.empty() && !stockKeys.contains(stockKey))
            misspelt.push_back(stockKey);
        for (const auto& known : stockKeys) {
            if (known != key && known != stockKey && lowerCase(known) == lowerCase(key))
                misspelt.push_back(key + " beside " + known);
        }
    };
    for (auto kind : {EntryKind::Unit, EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead, EntryKind::Building}) {
        for (const auto& field : objects::tableOf(kind).fields) {
            if (*field.key)
                check(field.key, field.stockKey);
        }
    }
    for (const auto& group : general::allGroups()) {
        for (const auto& field : group.fields) {
            if (*field.name)
                check(general::rulesKey(field), field.stockKey);
        }
    }
    EXPECT_EQ(misspelt, std::vector<std::string>{});
}

}
}
