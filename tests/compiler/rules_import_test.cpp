#include "compiler/rules_import.h"

#include "common/rules_line.h"
#include "common/text.h"
#include "compiler/compile.h"
#include "compiler/rules_writer.h"
#include "general/groups.h"
#include "project/working_file.h"
#include "stock/loaded_record.h"
#include "stock/object_fields.h"
#include "stock/rules_text.h"
#include "support/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <sstream>

namespace qx::compiler {
namespace {

const std::string& stockText()
{
    static const std::string text = rulesFileText(stockRules());
    return text;
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The text with the section's key lines replaced (the key in any case) or,
// for keys it does not hold, added after its header.
std::string withLines(std::string text, const std::string& section, const std::vector<std::string>& lines)
{
    auto header = text.find("\r\n[" + section + "]\r\n") + 2;
    auto end = text.find("\r\n[", header + 1);
    for (const auto& line : lines) {
        auto key = lowerCase(line.substr(0, line.find('=') + 1));
        auto body = lowerCase(text.substr(header, end - header));
        auto at = body.find("\r\n" + key);
        if (at == std::string::npos) {
            text.insert(text.find("\r\n", header) + 2, line + "\r\n");
            end += line.size() + 2;
        } else {
            auto start = header + at + 2;
            auto stop = text.find("\r\n", start);
            text.replace(start, stop - start, line);
            end = end + line.size() - (stop - start);
        }
    }
    return text;
}

// The number of the first line that reads so, after a line that reads after.
int lineOf(const std::string& text, const std::string& line, const std::string& after = "")
{
    auto at = text.find("\r\n" + line + "\r\n", after.empty() ? 0 : text.find("\r\n" + after + "\r\n"));
    return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n')) + 2;
}

RulesImport imported(const std::string& text) { return importRules(bytesOf(text), "rules.ini"); }

project::Entry onlyEntry(const RulesImport& result)
{
    auto directory = project::parseDirectory(result.workingFile);
    EXPECT_EQ(directory.entries.size(), 1u);
    const auto& entry = directory.entries.at(0);
    auto block = project::entryBlock(result.workingFile, directory, 0);
    return {entry.kind, entry.name, Bytes(block.begin(), block.end())};
}

records::ObjectRecord stockRecord(EntryKind kind, const std::string& identifier)
{
    return stock::loadedRecord(kind, stock::loadStockObject(identifier, kind));
}

// A unit or building its editor stores after a stock load, named and
// replacing its own stock object.
records::ObjectRecord namedRecord(EntryKind kind, const std::string& identifier, const std::string& name)
{
    auto record = stockRecord(kind, identifier);
    record.text("name") = name;
    record.text("internalName") = identifier;
    record.number("replaced") = *stock::replacementPosition(kind, identifier);
    return record;
}

// One changed section of each kind and group: the entry its editor stores
// after a stock load with just that value changed, or its page filled from
// the section and stored.
TEST(RulesImport, AChangedSectionBecomesItsEditorsEntry)
{
    auto unit = namedRecord(EntryKind::Unit, "3TNK", "Mammut");
    unit.number("strength") = 450;
    auto building = namedRecord(EntryKind::Building, "POWR", "Normal Power Plant");
    building.number("power") = 150;
    auto weapon = stockRecord(EntryKind::Weapon, "105mm");
    weapon.number("damage") = 40;
    auto projectile = stockRecord(EntryKind::Projectile, "Cannon");
    projectile.text("internalName") = "125MM";
    auto warhead = stockRecord(EntryKind::Warhead, "AP");
    warhead.number("none") = 31;
    using Check = std::function<void(const project::Entry&)>;
    auto record = [](const records::ObjectRecord& expected) -> Check {
        return [expected](const project::Entry& entry) { EXPECT_EQ(entry.data, records::pack(expected)); };
    };
    auto group = [](std::size_t field, std::int32_t value) -> Check {
        return [=](const project::Entry& entry) {
            EXPECT_EQ(general::unpackGroup(entry.kind, entry.data).values.at(field), value);
        };
    };
    const std::tuple<std::string, std::vector<std::string>, std::string, Check> cases[] = {
        {"3TNK", {"Strength=450", "Name=Mammut"}, "Unit: Mammut", record(unit)},
        {"POWR", {"Power=150"}, "Building: Normal Power Plant", record(building)},
        {"105mm", {"Damage=40"}, "Weapon: Medium Anti Armor Cannon [105mm]", record(weapon)},
        {"Cannon", {"Image=125MM"}, "Projectile: Straight High-Speed ballistic Shot [Cannon]", record(projectile)},
        {"AP", {"Verses=31%,75%,75%,100%,50%"}, "Warhead: Armor Piercing [AP]", record(warhead)},
        {"Normal", {"FirePower=1.25"}, "Normal [NORMAL]", group(1, 1250)},
        {"England", {"Cost=0.9"}, "England [ENGLAND]", group(6, 900)},
        {"Water", {"Float=50%"}, "Terrain Settings: Open Water [Water]", group(4, 50)},
        {"General", {"RefundPercent=60%"}, "Repair & Refit Settings", group(0, 60)},
        {"IQ", {"MaxIQLevels=4"}, "IQ Settings", group(0, 4)},
        {"AI", {"CreditReserve=250"}, "AI Settings", group(3, 250)},
    };
    for (const auto& [section, lines, listLine, check] : cases) {
        auto result = imported(withLines(stockText(), section, lines));
        ASSERT_EQ(result.lines, std::vector<std::string>{listLine}) << section;
        check(onlyEntry(result));
    }
}

// Each change no editor entry carries is carried as rules text, named by its
// line with the reason; a line the game cuts is named as well.
TEST(RulesImport, WhatNoEditorEntryCarriesIsCarriedAsRulesText)
{
    auto text = withLines(stockText(), "3TNK", {"Voice=VTANK", "Speed=100", "Primary=NOGUN"});
    text = withLines(text, "2TNK", {"Strength=lots"});
    text = withLines(text, "V01", {"Strength=5"});
    text = withLines(text, "1TNK", {"Speed=9"});
    text.erase(text.find("Strength=300\r\n", text.find("[1TNK]")), 14);
    text.erase(text.find("[E1]\r\n"), text.find("\r\n[", text.find("[E1]")) + 2 - text.find("[E1]\r\n"));
    text += "[MYTANK]\r\nStrength=5\r\n; " + std::string(200, 'c') + "\r\nName=" + std::string(130, 'n') + "\r\n";
    auto result = imported(text);
    EXPECT_EQ(result.lines, (std::vector<std::string>{"Unit: Light Tank", "Rules text: rules.ini (23 lines in 6 sections)"}));
    auto line = [&](const std::string& of, const std::string& after = "") {
        return "rules.ini:" + std::to_string(lineOf(text, of, after)) + ": ";
    };
    const std::string carried = " carried as rules text: ";
    EXPECT_EQ(result.notes,
              (std::vector<std::string>{
                  line("[1TNK]") + "[1TNK] Strength removed," + carried + "the compile writes Strength=0",
                  line("Voice=VTANK") + "[3TNK] Voice=VTANK" + carried + "the unit editor has no field for Voice",
                  line("Primary=NOGUN") + "[3TNK] Primary=NOGUN" + carried + "Primary Weapon cannot hold it: not in its list",
                  line("Speed=100") + "[3TNK] Speed=100" + carried + "Speed cannot hold it: beyond its width",
                  line("Strength=lots") + "[2TNK] Strength=lots" + carried + "Strength cannot hold it: not a number",
                  line("Strength=5", "[V01]") + "[V01] Strength=5" + carried + "the building editor does not offer V01 to be replaced",
                  line("Strength=5", "[MYTANK]") + "[MYTANK] Strength=5" + carried + "no editor changes [MYTANK]",
                  line("Name=" + std::string(130, 'n')) + "[MYTANK] Name=" + std::string(122, 'n') + carried +
                      "no editor changes [MYTANK]",
                  line("Name=" + std::string(130, 'n')) + "a line of 135 bytes, of which the game reads only the first 127",
                  "rules.ini: [E1] missing, carried as rules text: its keys are taken out"}));
}

// A section as the game reads it: the last line of each key with a value.
using GameSections = std::map<std::string, std::map<std::string, std::string>>;

// Numbers by value, flags by their first letter, names in any case.
std::string gameValue(const std::string& value)
{
    auto lower = lowerCase(value);
    if (!lower.empty() && std::string("yntf").find(lower[0]) != std::string::npos)
        return lower.substr(0, 1) == "t" ? "y" : lower.substr(0, 1) == "f" ? "n" : lower.substr(0, 1);
    char* end = nullptr;
    double number = std::strtod(lower.c_str(), &end);
    if (end != lower.c_str() && (*end == '\0' || *end == '%'))
        return std::to_string(*end == '%' ? number / 100 : number);
    return lower;
}

GameSections gameSections(const std::vector<std::string>& lines)
{
    GameSections sections;
    std::string current;
    for (const auto& line : lines) {
        auto read = readRulesLine(line);
        if (read.kind == RulesLine::Kind::Header)
            current = read.name;
        else if (read.kind == RulesLine::Kind::Entry && !read.value.empty())
            sections[current][std::string(read.name)] = gameValue(std::string(read.value));
    }
    return sections;
}

// A mod with every kind of change compiles, once imported, to rules the
// game reads as it reads the mod: every key of every section with the
// mod's value and no key the mod lacks.
TEST(RulesImport, TheCompileIsReadAsTheModIsRead)
{
    auto text = withLines(stockText(), "3TNK", {"Strength=450", "Crewed=no", "TurretAdjustY=3", "Owner=England,Turkey"});
    text = withLines(text, "POWR", {"Prerequisite=BARRACKS", "Power=150"});
    text = withLines(text, "General", {"GameSpeeBias=1.5", "ParabombTech=2"});
    text = withLines(text, "E1", {"Cost=", "speed=9"});
    text.erase(text.find("Strength=300\r\n", text.find("[1TNK]")), 14);
    text.erase(text.find("[E2]\r\n"), text.find("\r\n[", text.find("[E2]")) + 2 - text.find("[E2]\r\n"));
    text += "[NEWSECTION]\r\nKey=Value ; a comment\r\nOther=" + std::string(140, 'x') + "\r\n[3tnk]\r\nStrength=1\r\n";
    auto result = imported(text);
    auto compiled = gameSections(buildOutputs(result.workingFile).rules);
    auto mod = gameSections(stock::splitRulesLines(text));
    EXPECT_EQ(compiled, mod);
    EXPECT_EQ(result.lines.back(), "Rules text: rules.ini (30 lines in 8 sections)");
}

// Comments, blanks, Windows-1252 and either line end are read as the game
// reads them; a key in another letter case is another key to the game; of
// a key given twice the later line counts.
TEST(RulesImport, TheFileIsReadAsTheGameReadsIt)
{
    auto text = withLines(stockText(), "3TNK", {"Speed=8"});
    text.insert(text.find("\r\n", text.find("[3TNK]")) + 2, "Speed=7\r\n");
    text.replace(text.find("Strength=400", text.find("[3TNK]")), 12, "  Strength = 450 ; tougher");
    text.replace(text.find("[3TNK]"), 6, "[3TNK] ; mine");
    text.insert(text.find("\r\n[", text.find("[3TNK]")) + 2, "Name=Pz\xe9\r\nspeed=9\r\n");
    for (const auto& form : {text, [&] {
             std::string lf = text;
             lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
             return lf;
         }()}) {
        auto result = imported(form);
        ASSERT_EQ(result.lines, (std::vector<std::string>{"Unit: Pz\xe9", "Rules text: rules.ini (2 lines in 1 section)"}));
        auto directory = project::parseDirectory(result.workingFile);
        auto record = records::unpack(EntryKind::Unit, project::entryBlock(result.workingFile, directory, 0));
        EXPECT_EQ(record.number("strength"), 450);
        EXPECT_EQ(record.number("speed"), 8);
        auto line = [&](const std::string& of) { return "rules.ini:" + std::to_string(lineOf(text, of)) + ": "; };
        EXPECT_EQ(result.notes,
                  (std::vector<std::string>{
                      line("Speed=8") + "Speed is given twice in [3TNK] (first on line " +
                          std::to_string(lineOf(text, "Speed=7", "[3TNK] ; mine")) + "): which one the game reads is not defined",
                      line("speed=9") + "[3TNK] speed=9 carried as rules text: no editor writes speed",
                      line("speed=9") + "the game reads no key speed in [3TNK]: it reads Speed"}));
    }
    auto stock = imported(stockText());
    EXPECT_EQ(stock.lines, std::vector<std::string>{});
    EXPECT_EQ(stock.notes, std::vector<std::string>{});
    EXPECT_EQ(project::parseDirectory(stock.workingFile).entries.size(), 0u);
    EXPECT_EQ(test::errorOf([] { imported("; no sections\r\nKey=1\r\n"); }),
              "rules.ini holds no section, so it is no rules file.");
}

// Sections as key lines, lower case, as a test reads a rules file.
std::map<std::string, std::map<std::string, std::string>> sectionsOf(const std::vector<std::string>& lines)
{
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::string current;
    for (const auto& line : lines) {
        if (line.starts_with('['))
            current = lowerCase(line.substr(1, line.find(']') - 1));
        else if (line.find('=') != std::string::npos && !line.starts_with(';'))
            sections[current][lowerCase(line.substr(0, line.find('=')))] = lowerCase(line.substr(line.find('=') + 1));
    }
    return sections;
}

// Random values in the number fields and boxes of sections of every kind
// and group come back from the compile of the imported project, and every
// other section stays the stock one.
TEST(RulesImport, RandomChangesComeBackFromTheCompile)
{
    std::mt19937 random(20824);
    auto text = stockText();
    // Per section and key the value, and the value a missing line stands for.
    std::map<std::string, std::map<std::string, std::pair<std::string, std::string>>> changed;
    auto change = [&](const std::string& section, const std::string& key, const std::string& value,
                      const std::string& absent = "") {
        text = withLines(text, section, {key + "=" + value});
        changed[lowerCase(section)][lowerCase(key)] = {value, absent};
    };
    auto number = [&](std::int64_t low, std::int64_t high) {
        return std::to_string(std::uniform_int_distribution<std::int64_t>(low, high)(random));
    };
    const std::pair<EntryKind, std::vector<std::string>> objects[] = {
        {EntryKind::Unit, {"3TNK", "E1"}},       {EntryKind::Building, {"POWR", "GUN"}},
        {EntryKind::Weapon, {"105mm", "Colt45"}}, {EntryKind::Projectile, {"Cannon", "FROG"}},
        {EntryKind::Warhead, {"AP", "HE"}}};
    for (const auto& [kind, identifiers] : objects) {
        for (const auto& identifier : identifiers) {
            for (const auto& field : objects::tableOf(kind).fields) {
                bool box = field.control == objects::Control::Box;
                bool plain = field.control == objects::Control::Number && field.load == objects::Load::Text;
                if ((!box && !plain) || random() % 3 != 0)
                    continue;
                auto high = std::min<std::int64_t>(objects::largest(field), 254);
                if (field.maxLength > 0)
                    high = std::min<std::int64_t>(high, static_cast<std::int64_t>(std::pow(10, field.maxLength)) - 1);
                if (box)
                    change(identifier, field.key, random() % 2 ? "yes" : "no",
                           field.line == objects::Line::Yes ? "no" : "yes");
                else
                    change(identifier, field.key, number(1, high));
            }
        }
    }
    auto stock = sectionsOf(stockRules());
    for (const auto& group : general::allGroups()) {
        for (const auto& field : group.fields) {
            if (group.section && field.format == general::Format::Integer &&
                stock[lowerCase(group.section)].contains(lowerCase(general::rulesKey(field))))
                change(group.section, general::rulesKey(field),
                       number(1, field.width == 1 || field.gameLargest < 999 ? 99 : 999));
        }
    }
    auto result = imported(text);
    auto compiled = sectionsOf(buildOutputs(result.workingFile).rules);
    for (const auto& [section, keys] : changed) {
        for (const auto& [key, value] : keys) {
            auto written = compiled[section].contains(key) ? compiled[section][key] : value.second;
            EXPECT_EQ(written, value.first) << section << " " << key;
        }
    }
    for (const auto& [section, keys] : stock) {
        if (!changed.contains(section)) {
            EXPECT_EQ(compiled[section], keys) << section;
        }
    }
}

}
}
