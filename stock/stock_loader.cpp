#include "stock/stock_loader.h"

#include "data/stock_rules.h"
#include "stock/line_helpers.h"
#include "stock/menus.h"

#include <algorithm>
#include <charconv>

namespace qx::stock {
namespace {

enum class Update { Text, RangeText, Choice, OwnerChoice, MultiChoice, TechLevel, PositionChoice, YesBox, NoBox, Verses };

struct KeyRule {
    const char* key;
    Update update;
    const char* label;
    Menu (*menu)() = nullptr;
};

const KeyRule kUnitKeys[] = {
    {"name", Update::Text, "Name"},
    {"owner", Update::OwnerChoice, "Owner", ownerList},
    {"strength", Update::Text, "Strength"},
    {"cost", Update::Text, "Cost"},
    {"speed", Update::Text, "Speed"},
    {"sight", Update::Text, "Sight"},
    {"armor", Update::Choice, "Armor", armourList},
    {"primary", Update::Choice, "Primary Weapon", primaryWeaponList},
    {"secondary", Update::Choice, "Secondary Weapon", secondaryWeaponList},
    {"ammo", Update::Text, "Ammo"},
    {"guardrange", Update::Text, "Guard Range"},
    {"prerequisite", Update::MultiChoice, "Prerequisite", prerequisiteList},
    {"rot", Update::Text, "Rate of Turn"},
    {"techlevel", Update::TechLevel, "Tech - Level", techLevelList},
    {"reload", Update::Text, "Reload Time"},
    {"passengers", Update::Text, "Passengers"},
    {"points", Update::Text, "Points"},
    {"cloakable", Update::YesBox, "Cloakable"},
    {"explodes", Update::YesBox, "Explodes"},
    {"invisible", Update::YesBox, "Invisible"},
    {"selfhealing", Update::YesBox, "Self Healing"},
    {"sensors", Update::YesBox, "Sensors"},
    {"doubleowned", Update::YesBox, "Double Owned"},
    {"c4", Update::YesBox, "C4"},
    {"nomovingfire", Update::YesBox, "No Moving Fire"},
    {"fraidycat", Update::YesBox, "Panic"},
    {"infiltrate", Update::YesBox, "Infiltrate"},
    {"iscanine", Update::YesBox, "Dog Logic"},
    {"crushable", Update::YesBox, "Crushable"},
    {"tracked", Update::YesBox, "Tracked"},
};

const KeyRule kBuildingKeys[] = {
    {"name", Update::Text, "Name"},
    {"owner", Update::OwnerChoice, "Owner", ownerList},
    {"strength", Update::Text, "Strength"},
    {"cost", Update::Text, "Cost"},
    {"sight", Update::Text, "Sight"},
    {"power", Update::Text, "Power"},
    {"adjacent", Update::Text, "Distance"},
    {"armor", Update::Choice, "Armor", armourList},
    {"primary", Update::Choice, "Primary Weapon", buildingPrimaryWeaponList},
    {"secondary", Update::Choice, "Secondary Weapon", buildingSecondaryWeaponList},
    {"ammo", Update::Text, "Ammo"},
    {"guardrange", Update::Text, "Guard Range"},
    {"prerequisite", Update::MultiChoice, "Prerequisite", prerequisiteList},
    {"techlevel", Update::TechLevel, "Tech - Level", techLevelList},
    {"storage", Update::Text, "Storage"},
    {"reload", Update::Text, "Reload Time"},
    {"points", Update::Text, "Points"},
    {"cloakable", Update::YesBox, "Cloakable"},
    {"explodes", Update::YesBox, "Explodes"},
    {"invisible", Update::YesBox, "Invisible"},
    {"selfhealing", Update::YesBox, "Self Healing"},
    {"sensors", Update::YesBox, "Sensors"},
    {"doubleowned", Update::YesBox, "Double Owned"},
    {"powered", Update::YesBox, "Powered"},
    {"unsellable", Update::YesBox, "Unsellable"},
    {"waterbound", Update::YesBox, "Water Building"},
    {"bib", Update::YesBox, "Dirt"},
    {"capturable", Update::YesBox, "Capturable"},
    {"crewed", Update::YesBox, "Crewed"},
    {"repairable", Update::NoBox, "Repairable"},
    {"basenormal", Update::NoBox, "Check for Buildings"},
};

const KeyRule kWeaponKeys[] = {
    {"damage", Update::Text, "Damage"},
    {"range", Update::RangeText, "Range"},
    {"rof", Update::Text, "Delay Time"},
    {"speed", Update::Text, "Speed"},
    {"burst", Update::Text, "Burst"},
    {"camera", Update::YesBox, "Camera"},
    {"charges", Update::YesBox, "Charge - Up Logic"},
    {"supress", Update::YesBox, "Supress Fire"},
    {"turboboost", Update::YesBox, "Turbo Boost"},
    {"projectile", Update::Choice, "Projectile", projectileList},
    {"warhead", Update::Choice, "Warhead", warheadList},
    {"report", Update::Choice, "Sound to be used", soundList},
};

const KeyRule kProjectileKeys[] = {
    {"arm", Update::Text, "Arming Delay"},
    {"frames", Update::Text, "Frames"},
    {"rot", Update::Text, "Rate of Turn"},
    {"aa", Update::YesBox, "Anti - Aircraft"},
    {"asw", Update::YesBox, "Anti - Submarine"},
    {"animates", Update::YesBox, "Smoke"},
    {"arcing", Update::YesBox, "Ballistic"},
    {"degenerates", Update::YesBox, "Degenerates"},
    {"dropping", Update::YesBox, "Dropped"},
    {"gigundo", Update::YesBox, "Large"},
    {"high", Update::YesBox, "High"},
    {"inaccurate", Update::YesBox, "Inaccurate"},
    {"inviso", Update::YesBox, "Invisible"},
    {"parachuted", Update::YesBox, "Parachute"},
    {"proximity", Update::YesBox, "Explodes"},
    {"ranged", Update::YesBox, "Fuel"},
    {"translucent", Update::YesBox, "Translucent Colors"},
    {"rotates", Update::YesBox, "Rotates"},
    {"underwater", Update::YesBox, "Underwater"},
    {"ag", Update::NoBox, "Anti - Ground Objects"},
    {"shadow", Update::NoBox, "Shadow"},
};

const KeyRule kWarheadKeys[] = {
    {"explosion", Update::PositionChoice, "Explosion to be used", explosionList},
    {"infdeath", Update::PositionChoice, "Death animation to be used", deathAnimationList},
    {"wall", Update::YesBox, "Wall"},
    {"wood", Update::YesBox, "Wood"},
    {"ore", Update::YesBox, "Ore"},
    {"spread", Update::Text, "Spread Factor"},
    {"verses", Update::Verses, ""},
};

const char* const kDamageLabels[] = {"None", "Wood (buildings)", "Light Armor", "Heavy Armor", "Concrete"};

std::span<const KeyRule> keysOf(StockKind kind)
{
    switch (kind) {
    case StockKind::Unit: return kUnitKeys;
    case StockKind::Building: return kBuildingKeys;
    case StockKind::Weapon: return kWeaponKeys;
    case StockKind::Projectile: return kProjectileKeys;
    case StockKind::Warhead: return kWarheadKeys;
    }
    return {};
}

std::optional<int> wholeNumber(const std::string& text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

class Loader {
public:
    StockField& field(const std::string& label, StockField::Type type)
    {
        for (auto& f : object.fields) {
            if (f.label == label)
                return f;
        }
        object.fields.push_back({label, type, {}, {}, false});
        return object.fields.back();
    }

    void setBox(const char* label, bool checked) { field(label, StockField::Type::Box).box = checked; }

    // A radio-group click: the entry toggles, the others are unticked.
    void click(const char* label, Menu menu, std::size_t position)
    {
        auto& f = field(label, StockField::Type::Menu);
        bool wasChecked = std::find(f.checked.begin(), f.checked.end(), position) != f.checked.end();
        f.checked.clear();
        f.text.clear();
        if (!wasChecked && position < menu.size()) {
            f.checked.push_back(position);
            f.text = withoutAmpersands(menu[position]);
        }
    }

    void choose(const char* label, Menu menu, const std::string& value)
    {
        auto& f = field(label, StockField::Type::Menu);
        f.checked.clear();
        for (std::size_t i = 0; i < menu.size(); ++i) {
            if (lowerCase(bracketIdentifier(menu[i])) == value) {
                f.checked = {i};
                f.text += withoutAmpersands(menu[i]);
            }
        }
    }

    void chooseMany(const char* label, Menu menu, const std::string& value)
    {
        auto& f = field(label, StockField::Type::Menu);
        f.checked.clear();
        auto count = commaCount(value) + 1;
        for (std::size_t i = 0; i < menu.size(); ++i) {
            for (std::size_t n = 0; n < count; ++n) {
                if (lowerCase(bracketIdentifier(menu[i])) == lowerCase(listItem(value, n))) {
                    if (std::find(f.checked.begin(), f.checked.end(), i) == f.checked.end())
                        f.checked.push_back(i);
                    f.text += withoutAmpersands(menu[i]) + "; ";
                }
            }
        }
    }

    void fillVerses(const std::string& value)
    {
        std::size_t next = 0;
        std::string piece;
        auto flush = [&] {
            if (!piece.empty() && next < std::size(kDamageLabels))
                field(kDamageLabels[next++], StockField::Type::Text).text = piece;
            piece.clear();
        };
        for (char c : value) {
            if (c == ',')
                flush();
            else if (c != '%')
                piece += c;
        }
        flush();
    }

    void apply(const KeyRule& rule, const std::string& line)
    {
        bool keyed = lineKey(line) == rule.key;
        auto value = lineValue(line);
        switch (rule.update) {
        case Update::Text:
            if (keyed)
                field(rule.label, StockField::Type::Text).text = value;
            break;
        case Update::RangeText:
            if (keyed) {
                std::replace(value.begin(), value.end(), '.', ',');
                field(rule.label, StockField::Type::Text).text = value;
            }
            break;
        case Update::Choice:
            if (keyed)
                choose(rule.label, rule.menu(), value);
            break;
        case Update::OwnerChoice:
            if (keyed)
                choose(rule.label, rule.menu(), value == "soviet,allies" ? "allies,soviet" : value);
            break;
        case Update::MultiChoice:
            if (keyed)
                chooseMany(rule.label, rule.menu(), value);
            break;
        case Update::TechLevel:
        case Update::PositionChoice:
            if (auto number = keyed ? wholeNumber(value) : std::nullopt) {
                int position = rule.update == Update::TechLevel && *number == -1 ? 0 : *number;
                if (position >= 0)
                    click(rule.label, rule.menu(), static_cast<std::size_t>(position));
            }
            break;
        case Update::YesBox:
            if (isYes(line, rule.key))
                setBox(rule.label, true);
            break;
        case Update::NoBox:
            if (isNo(line, rule.key))
                setBox(rule.label, false);
            break;
        case Update::Verses:
            if (keyed)
                fillVerses(value);
            break;
        }
    }

    StockObject object;
};

void chooseReplaced(Loader& loader, StockKind kind, const std::string& identifier)
{
    const char* label = kind == StockKind::Weapon ? "Weapon to be replaced"
                        : kind == StockKind::Projectile ? "Projectile to be replaced"
                                                        : "Warhead to be replaced";
    Menu menu = kind == StockKind::Weapon ? weaponList() : kind == StockKind::Projectile ? projectileList() : warheadList();
    loader.choose(label, menu, lowerCase(identifier));
}

void setDefaults(Loader& loader, StockKind kind, const std::string& identifier)
{
    if (kind == StockKind::Projectile) {
        loader.setBox("Anti - Ground Objects", true);
        loader.setBox("Shadow", true);
    }
    if (kind == StockKind::Building) {
        loader.setBox("Repairable", true);
        loader.setBox("Check for Buildings", true);
    }
    if (kind == StockKind::Weapon || kind == StockKind::Projectile || kind == StockKind::Warhead)
        chooseReplaced(loader, kind, identifier);
}

}

std::optional<StockKind> stockKindNamed(const std::string& name)
{
    const std::pair<const char*, StockKind> kinds[] = {
        {"unit", StockKind::Unit}, {"weapon", StockKind::Weapon}, {"building", StockKind::Building},
        {"projectile", StockKind::Projectile}, {"warhead", StockKind::Warhead},
    };
    for (const auto& [text, kind] : kinds) {
        if (name == text)
            return kind;
    }
    return std::nullopt;
}

const StockField* StockObject::find(const std::string& label) const
{
    for (const auto& field : fields) {
        if (field.label == label)
            return &field;
    }
    return nullptr;
}

StockObject loadStockObject(const std::string& identifier, StockKind kind)
{
    return loadStockObject(identifier, kind, rulesText());
}

StockObject loadStockObject(const std::string& identifier, StockKind kind, const std::vector<std::string>& lines)
{
    Loader loader;
    setDefaults(loader, kind, identifier);
    const auto header = lowerCase("[" + identifier + "]");
    std::size_t i = 0;
    while (i < lines.size()) {
        const auto& line = lines[i++];
        bool match = kind == StockKind::Unit ? strippedLine(line) == header : lowerCase(line) == header;
        if (!match)
            continue;
        while (i < lines.size()) {
            const auto& keyLine = lines[i++];
            if (!keyLine.empty() && keyLine[0] == '[')
                break;
            for (const auto& rule : keysOf(kind))
                loader.apply(rule, keyLine);
        }
    }
    return loader.object;
}

}
