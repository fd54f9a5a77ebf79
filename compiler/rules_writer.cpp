#include "compiler/rules_writer.h"

#include "compiler/decimal_text.h"
#include "data/stock_rules.h"
#include "stock/catalogue.h"
#include "stock/line_helpers.h"
#include "stock/menus.h"

namespace qx::compiler {
namespace {

using stock::Menu;

class LineBuilder {
public:
    void add(const char* key, const std::string& value) { lines.push_back(std::string(key) + "=" + value); }
    void add(const char* key, std::int64_t value) { add(key, std::to_string(value)); }
    void addIf(bool condition, const char* key, std::int64_t value)
    {
        if (condition)
            add(key, value);
    }
    void addChoice(const char* key, Menu menu, std::size_t position)
    {
        if (position < menu.size())
            add(key, stock::identifierAt(menu, position));
    }
    void addYes(const char* key, std::uint8_t flag)
    {
        if (flag != 0)
            add(key, "yes");
    }
    void addNo(const char* key, std::uint8_t flag)
    {
        if (flag == 0)
            add(key, "no");
    }
    // The lines units and buildings begin with.
    template <typename Object>
    void addHead(const Object& object)
    {
        add("Name", object.name);
        addChoice("Owner", stock::ownerList(), object.owner);
        addChoice("Armor", stock::armourList(), object.armour);
        add("Strength", object.strength);
        add("Cost", object.cost);
    }
    template <std::size_t N>
    void addPrerequisites(const std::array<std::uint8_t, N>& flags)
    {
        std::string value;
        auto menu = stock::prerequisiteList();
        for (std::size_t i = 0; i < N && i < menu.size(); ++i) {
            if (flags[i] != 0)
                value += (value.empty() ? "" : ",") + stock::identifierAt(menu, i);
        }
        if (!value.empty())
            add("Prerequisite", value);
    }

    std::vector<std::string> lines;
};

Section replacedObject(stock::CatalogueKind kind, std::uint16_t frames, std::uint16_t tolerance, bool all,
                       std::uint8_t position)
{
    auto list = stock::catalogueLookup(kind, frames, tolerance, all);
    if (position >= list.size())
        return {"", {}, true};
    return {stock::bracketIdentifier(list[position]), {}, false};
}

// Line breaks inside a value become line breaks of the file, as a file
// written and read again line by line would have them.
void appendSplit(RulesLines& out, const std::string& line)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\r' || line[i] == '\n') {
            out.push_back(line.substr(start, i - start));
            if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    out.push_back(line.substr(start));
}

Menu sectionList(std::uint8_t kind)
{
    switch (kind) {
    case 6: return stock::difficultyList();
    case 10: return stock::countryList();
    default: return stock::terrainList();
    }
}

}

RulesLines stockRules()
{
    return stock::rulesText();
}

std::string rulesFileText(const RulesLines& rules)
{
    std::size_t size = 0;
    for (const auto& line : rules)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : rules) {
        text += line;
        text += "\r\n";
    }
    return text;
}

Section unitSection(const records::Unit& u)
{
    bool graphics = u.sizes[2] > 0;
    auto section = replacedObject(stock::CatalogueKind::Unit, u.frameCount, u.tolerance, !graphics, u.replaced);
    LineBuilder b;
    b.addHead(u);
    b.addIf(u.speed != 0, "Speed", u.speed);
    b.addIf(u.sight != 1, "Sight", u.sight);
    b.addChoice("Primary", stock::primaryWeaponList(), u.primary);
    b.addChoice("Secondary", stock::secondaryWeaponList(), u.secondary);
    b.add("Ammo", u.ammo);
    b.addIf(u.guardRange != 255, "GuardRange", u.guardRange);
    b.addPrerequisites(u.prerequisites);
    b.addIf(u.rateOfTurn != 0, "ROT", u.rateOfTurn);
    b.addIf(u.techLevel != 0, "TechLevel", u.techLevel);
    b.addIf(u.reload != 0, "Reload", u.reload);
    b.addIf(u.passengers != 0 && u.passengers != 255, "Passengers", u.passengers);
    b.addIf(u.points != 0, "Points", u.points);
    const char* abilities[] = {"Cloakable", "Explodes", "Invisible", "SelfHealing", "Sensors",
                               "DoubleOwned", "C4", "NoMovingFire", "Fraidycat", "Infiltrate",
                               "IsCanine", "Crushable", "Tracked"};
    for (std::size_t i = 0; i < u.abilities.size(); ++i)
        b.addYes(abilities[i], u.abilities[i]);
    if (graphics)
        b.add("Image", u.internalName);
    section.lines = std::move(b.lines);
    return section;
}

Section buildingSection(const records::Building& r)
{
    bool graphics = r.sizes[3] > 0;
    auto section = replacedObject(stock::CatalogueKind::Building, r.frameCount, r.tolerance, !graphics, r.replaced);
    LineBuilder b;
    b.addHead(r);
    b.addIf(r.sight != 1, "Sight", r.sight);
    b.add("Power", r.power);
    b.addIf(r.distance != 1, "Adjacent", r.distance);
    b.addChoice("Primary", stock::buildingPrimaryWeaponList(), r.primary);
    b.addChoice("Secondary", stock::buildingSecondaryWeaponList(), r.secondary);
    b.add("Ammo", r.ammo);
    b.addIf(r.guardRange != 255, "GuardRange", r.guardRange);
    b.addPrerequisites(r.prerequisites);
    b.addIf(r.techLevel != 0, "TechLevel", r.techLevel);
    b.addIf(r.reload != 0, "Reload", r.reload);
    b.addIf(r.storage != 0, "Storage", r.storage);
    b.addIf(r.points != 0, "Points", r.points);
    const char* yesFirst[] = {"Cloakable", "Explodes", "Invisible", "SelfHealing", "Sensors", "DoubleOwned", "Powered"};
    for (std::size_t i = 0; i < 7; ++i)
        b.addYes(yesFirst[i], r.abilities[i]);
    b.addNo("Repairable", r.abilities[7]);
    b.addNo("BaseNormal", r.abilities[8]);
    const char* yesLast[] = {"Unsellable", "WaterBound", "Bib", "Capturable", "Crewed"};
    for (std::size_t i = 0; i < 5; ++i)
        b.addYes(yesLast[i], r.abilities[9 + i]);
    if (graphics)
        b.add("Image", r.internalName);
    section.lines = std::move(b.lines);
    return section;
}

Section weaponSection(const records::Weapon& w)
{
    LineBuilder b;
    b.add("Damage", w.damage);
    b.add("Range", decimalText(w.range, 100));
    b.add("ROF", w.delay);
    b.add("Speed", w.speed);
    b.addIf(w.burst != 1, "Burst", w.burst);
    b.addChoice("Projectile", stock::projectileList(), w.projectile);
    b.addChoice("Warhead", stock::warheadList(), w.warhead);
    b.addChoice("Report", stock::soundList(), w.sound);
    const char* flags[] = {"Camera", "Charges", "Supress", "TurboBoost"};
    for (std::size_t i = 0; i < w.flags.size(); ++i)
        b.addYes(flags[i], w.flags[i]);
    return {stock::identifierAt(stock::weaponList(), w.replaced), std::move(b.lines)};
}

Section projectileSection(const records::Projectile& p)
{
    LineBuilder b;
    b.add("Image", p.internalName);
    b.addIf(p.arm != 0, "Arm", p.arm);
    b.addIf(p.frames != 1, "Frames", p.frames);
    b.addIf(p.rateOfTurn != 0, "ROT", p.rateOfTurn);
    const char* flags[] = {"AA", "AG", "ASW", "Animates", "Arcing", "Degenerates",
                           "Dropping", "Gigundo", "High", "Inaccurate", "Inviso", "Parachuted",
                           "Proximity", "Ranged", "Shadow", "Translucent", "Rotates", "UnderWater"};
    for (std::size_t i = 0; i < p.flags.size(); ++i) {
        if (i == 1 || i == 14)
            b.addNo(flags[i], p.flags[i]);
        else
            b.addYes(flags[i], p.flags[i]);
    }
    return {stock::identifierAt(stock::projectileList(), p.replaced), std::move(b.lines)};
}

Section warheadSection(const records::Warhead& w)
{
    LineBuilder b;
    std::string verses;
    for (auto percent : w.verses)
        verses += (verses.empty() ? "" : ",") + std::to_string(percent) + "%";
    b.add("Verses", verses);
    b.addIf(w.explosion != 0, "Explosion", w.explosion);
    b.addIf(w.deathAnimation != 0, "InfDeath", w.deathAnimation);
    b.addIf(w.spread != 1, "Spread", w.spread);
    b.addYes("Wall", w.wall);
    b.addYes("Ore", w.ore);
    b.addYes("Wood", w.wood);
    return {stock::identifierAt(stock::warheadList(), w.replaced), std::move(b.lines)};
}

Section groupSection(const general::GroupRecord& record)
{
    const auto* group = general::groupOfKind(record.kind);
    Section section;
    for (std::size_t i = 0; group && i < group->fields.size(); ++i) {
        const auto& field = group->fields[i];
        auto value = record.values.at(i);
        if (field.format == general::Format::Section)
            section.identifier = stock::identifierAt(sectionList(record.kind), static_cast<std::size_t>(value));
        else
            section.lines.push_back(std::string(field.outputName) + "=" + general::formatValue(field, value));
    }
    return section;
}

void mergeSection(RulesLines& rules, const Section& section)
{
    if (section.identifier.empty())
        return;
    const auto identifier = stock::lowerCase(section.identifier);
    RulesLines merged;
    merged.reserve(rules.size() + section.lines.size() + 1);
    std::size_t i = 0;
    while (i < rules.size()) {
        auto& line = rules[i++];
        bool match = stock::lowerCase(stock::bracketIdentifier(line)) == identifier;
        merged.push_back(std::move(line));
        if (!match)
            continue;
        for (const auto& sectionLine : section.lines)
            appendSplit(merged, sectionLine);
        merged.emplace_back();
        while (i < rules.size()) {
            auto& old = rules[i++];
            bool header = !old.empty() && old[0] == '[';
            if (header || (!old.empty() && old[0] == ';'))
                merged.push_back(std::move(old));
            if (header)
                break;
        }
    }
    rules = std::move(merged);
}

}
