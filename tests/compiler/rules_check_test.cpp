#include "compiler/rules_check.h"

#include <gtest/gtest.h>

namespace qx::compiler {
namespace {

std::vector<std::string> findings(const std::string& text)
{
    std::vector<std::string> lines;
    for (const auto& finding : checkRules(text))
        lines.push_back(std::to_string(finding.line) + (finding.note ? " note: " : ": ") + finding.text);
    return lines;
}

// Each finding once, with the line it stands on.
TEST(RulesCheck, EveryLineTheGameWouldNotReadAsMeant)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Top=1", "1: a key before the first section: the game skips it"},
        {"[3TNK]\r\ncrewed=no", "2: the game reads no key crewed in [3TNK]: it reads Crewed"},
        {"[3TNK]\nCost=1\nCost=2 ; again", "3: Cost is given twice in [3TNK] (first on line 2): which one the game "
                                          "reads is not defined"},
        {"[3TNK]\n[3TNK]", "2: [3TNK] is given twice (first on line 1): which one the game reads is not defined"},
        {"[Easy]\nFirepower=2", "2: the game reads no key Firepower in [Easy]: it reads FirePower"},
        {"[POWR]\nRepariable=no", "2: the game reads no key Repariable in [POWR]: it reads Repairable"},
        {"[3tnk]", "1: the game has no section [3tnk]: it reads [3TNK]"},
        {"[3TNK]\nno equals sign", "2: neither a section, a key=value line, a comment nor empty: the game skips it"},
        {"[3TNK]\nName=" + std::string(130, 'n'), "2: a line of 135 bytes, of which the game reads only the first 127"},
        {"[3TNK]\nName=a\x01", "2: holds the control character \\x01, which is no rules text"},
        {"[Lonely]\nX=1", "1 note: [Lonely] is no section of the game and no line names it: the game ignores it, "
                          "though an extended game may read it"},
    };
    for (const auto& [text, finding] : cases)
        EXPECT_EQ(findings(text), std::vector<std::string>{finding}) << text;
    // A comment, an empty value, a section another line names and a key the
    // game spells so are what they mean.
    EXPECT_EQ(findings("; mod\n\n[E1]\nPrimary=NewGun ; mine\nPrerequisite=\n[NewGun]\nDamage=5\n[Easy]\nFirePower=2\n"),
              std::vector<std::string>{});
}

}
}
