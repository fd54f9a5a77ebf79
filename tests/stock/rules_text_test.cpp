#include "stock/rules_text.h"

#include <gtest/gtest.h>

namespace qx::stock {
namespace {

// Lines as the game reads them: exact spelling, trimmed, comments cut, a
// line cut at 127 bytes.
TEST(RulesText, ReadsLinesAsTheGameDoes)
{
    using K = RulesLine::Kind;
    const std::tuple<std::string, K, std::string, std::string> cases[] = {
        {" [3TNK] ; heavy", K::Skipped, "", ""},
        {"[ 3TNK ] ; heavy", K::Header, "3TNK", ""},
        {"[open", K::Skipped, "", ""},
        {"crewed = yes ; x=1", K::Entry, "crewed", "yes"},
        {"Prerequisite=", K::Entry, "Prerequisite", ""},
        {"=5", K::Skipped, "", ""},
        {"no key here", K::Skipped, "", ""},
        {"; Cost=5", K::Skipped, "", ""},
        {"Name=" + std::string(130, 'x'), K::Entry, "Name", std::string(122, 'x')},
    };
    for (const auto& [line, kind, name, value] : cases) {
        auto read = readRulesLine(line);
        EXPECT_EQ(read.kind, kind) << line;
        EXPECT_EQ(read.name, name) << line;
        EXPECT_EQ(read.value, value) << line;
    }
}

TEST(RulesText, SectionsAndTheirKeys)
{
    RulesText text({"Top=1", "[A]", "Key=1", "key=2", "; c", "Key=3", "[b]", "[a]", "More=1"});
    ASSERT_EQ(text.sections().size(), 3u);
    const auto& a = text.sections()[0];
    EXPECT_EQ(a.find("Key")->value, "3");
    EXPECT_EQ(a.find("key")->line, 3u);
    EXPECT_EQ(a.find("KEY"), nullptr);
    EXPECT_EQ(a.lastKeyLine(), 5u);
    EXPECT_EQ(a.end, 6u);
    EXPECT_EQ(text.named("A").size(), 2u);
    EXPECT_EQ(text.first("B")->lastKeyLine(), 6u);
    EXPECT_EQ(text.first("C"), nullptr);
}

}
}
