#include "stock/sections.h"

#include "data/stock_rules.h"
#include "stock/line_helpers.h"

#include <gtest/gtest.h>

#include <random>

namespace qx::stock {
namespace {

// A merge or, with an empty identifier and a section name in its first
// line, a key rewrite that marks every line it reaches.
using Step = Section;

RulesLines apply(RulesLines text, const std::vector<Step>& steps, MergedRules::Mode mode)
{
    MergedRules rules(std::move(text), mode);
    for (const auto& step : steps) {
        if (step.identifier.empty())
            rules.rewrite(step.lines.at(0), [&](std::string& line) { line += "*"; });
        else
            rules.merge(step);
    }
    return std::move(rules).lines();
}

void expectSameAsWholeText(const RulesLines& text, const std::vector<Step>& steps)
{
    EXPECT_EQ(apply(text, steps, MergedRules::Mode::ByStretch), apply(text, steps, MergedRules::Mode::WholeText));
}

// What merging stretch by stretch could get wrong.
TEST(MergedRules, StretchesGiveWhatWholeTextMergesGive)
{
    const RulesLines text{"top [A]", "; about [X]", "[X]", "Old=1", "; kept", "[Y]", "; [X] again", "K=2",
                          "[Z]", "Ref=[Y]", "k=1", "[x]", "last=1"};
    const std::vector<std::vector<Step>> cases{
        {{"X", {"New=1"}, false}, {"x", {"New=2"}, false}},            // replaced twice, any case
        {{"Y", {"a=1"}, false}, {"Z", {"b=[Y]"}, false}, {"Y", {"c=1"}, false}},  // a merged line names a section
        {{"Z", {"; [Y] note"}, false}, {"Y", {"d=1"}, false}},         // a merged comment names a section
        {{"NOSUCH", {"e=1"}, false}, {"A", {"f=1"}, false}},            // not in the text; before the first header
        {{"X", {"g=1\r\n[NEW]\r\nh=1"}, false}, {"NEW", {"i=1"}, false}},  // a merged line opens a section
        {{"", {"Y"}, false}, {"Y", {"j=1"}, false}, {"", {"y"}, false}},  // rewrites between merges
    };
    for (const auto& steps : cases)
        expectSameAsWholeText(text, steps);
}

TEST(MergedRules, RandomMergesOfTheStockText)
{
    const auto& stock = rulesText();
    std::vector<std::string> identifiers{"NOSUCH"};
    for (const auto& line : stock) {
        if (!bracketIdentifier(line).empty())
            identifiers.push_back(bracketIdentifier(line));
    }
    std::mt19937 random(20824);
    for (int round = 0; round < 20; ++round) {
        std::vector<Step> steps;
        for (int i = 0; i < 200; ++i) {
            auto pick = [&] { return identifiers[random() % identifiers.size()]; };
            switch (random() % 8) {
            case 0: steps.push_back({"", {random() % 2 ? "General" : pick()}, false}); break;
            case 1: steps.push_back({pick(), {"Name=Ref [" + pick() + "]"}, false}); break;
            case 2: steps.push_back({pick(), {"; note [" + pick() + "]", "k=1"}, false}); break;
            default: steps.push_back({pick(), {"Strength=" + std::to_string(i), "Cost=1"}, false}); break;
            }
        }
        expectSameAsWholeText(stock, steps);
    }
}

}
}
