#include "compiler/rules_import.h"

#include "common/bytes.h"
#include "common/error.h"
#include "common/text.h"
#include "compiler/compile.h"
#include "compiler/rules_check.h"
#include "data/stock_rules.h"
#include "general/groups.h"
#include "project/working_file.h"
#include "stock/line_helpers.h"
#include "stock/loaded_record.h"
#include "stock/menus.h"
#include "stock/object_fields.h"
#include "stock/rules_text.h"
#include "general/section_writers.h"

#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

namespace qx::compiler {
namespace {

constexpr EntryKind kObjectKinds[] = {EntryKind::Unit, EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead,
                                      EntryKind::Building};

// ---- a rules file as the game reads it ----

using stock::KeyLine;

// Every stretch of one section name as one section, its key lines in file order; of a key given twice the last
// line counts, as the stock loader takes it. Keys by their exact spelling.
struct IniSection {
    stock::RulesSection rules;
    int line = 0;  // of its first header, from 1
    std::vector<std::string> keyOrder;  // each key once, as first given
    std::unordered_map<std::string, std::size_t> byKey;  // the last line of each key

    const std::string& header() const { return rules.name; }
    const stock::KeyLine* find(const std::string& key) const
    {
        auto found = byKey.find(key);
        return found == byKey.end() ? nullptr : &rules.keys[found->second];
    }
};

struct IniFile {
    std::vector<IniSection> sections;  // in the order they first appear
    std::unordered_map<std::string, std::size_t> byName;  // exact spelling, as the game finds a section

    const IniSection* find(const std::string& name) const
    {
        auto found = byName.find(name);
        return found == byName.end() ? nullptr : &sections[found->second];
    }
};

int lineNumber(std::size_t index)
{
    return static_cast<int>(std::min<std::size_t>(index + 1, INT_MAX));
}

IniFile sectionsOf(const stock::RulesText& text)
{
    IniFile ini;
    for (const auto& stretch : text.sections()) {
        auto [at, fresh] = ini.byName.try_emplace(stretch.name, ini.sections.size());
        if (fresh)
            ini.sections.push_back({{stretch.name, stretch.header, stretch.end, {}}, lineNumber(stretch.header), {}, {}});
        auto& section = ini.sections[at->second];
        for (const auto& key : stretch.keys) {
            auto [known, first] = section.byKey.insert_or_assign(key.key, section.rules.keys.size());
            if (first)
                section.keyOrder.push_back(key.key);
            section.rules.keys.push_back(key);
        }
    }
    return ini;
}

const IniFile& stockIni()
{
    static const IniFile ini = sectionsOf(stock::stockRulesText());
    return ini;
}

// A number as its value ("050" and "50.0" are "50", "50%" is "50"), a flag
// as yes or no, anything else in lower case; lists item by item.
std::string gameItem(std::string_view item)
{
    auto text = lowerCase(trimmed(item));
    if (text == "yes" || text == "true")
        return "yes";
    if (text == "no" || text == "false")
        return "no";
    std::string_view number = text;
    if (number.ends_with('%'))
        number.remove_suffix(1);
    bool negative = number.starts_with('-');
    if (negative || number.starts_with('+'))
        number.remove_prefix(1);
    auto point = std::min(number.find('.'), number.size());
    auto whole = number.substr(0, point);
    auto fraction = number.substr(std::min(point + 1, number.size()));
    auto digits = [](std::string_view part) { return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }); };
    if (whole.size() + fraction.size() == 0 || !digits(whole) || !digits(fraction))
        return text;
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
    std::string canonical = (whole.empty() ? "0" : std::string(whole)) + (fraction.empty() ? "" : "." + std::string(fraction));
    return negative && canonical != "0" ? "-" + canonical : canonical;
}

bool isNumber(const std::string& item)
{
    return !item.empty() && item.find_first_not_of("-.0123456789") == std::string::npos;
}

// Lists of numbers count by position (percentages per armour), lists of
// names as sets (owners, prerequisites).
std::string gameValue(std::string_view value)
{
    std::vector<std::string> items;
    while (true) {
        auto comma = value.find(',');
        items.push_back(gameItem(value.substr(0, comma)));
        if (comma == std::string_view::npos)
            break;
        value.remove_prefix(comma + 1);
    }
    if (std::none_of(items.begin(), items.end(), isNumber))
        std::sort(items.begin(), items.end());
    std::string result;
    for (const auto& item : items)
        result += (result.empty() ? "" : ",") + item;
    return result;
}

bool sameText(const std::string& a, const std::string& b)
{
    return a == b || gameValue(a) == gameValue(b);
}

bool sameKeys(const IniSection& a, const IniSection& b)
{
    if (a.byKey.size() != b.byKey.size())
        return false;
    return std::all_of(a.keyOrder.begin(), a.keyOrder.end(), [&](const std::string& key) {
        const auto* other = b.find(key);
        return other && sameText(other->value, a.find(key)->value);
    });
}

// ---- what each stock section is ----

struct Target {
    enum class What { Object, SectionGroup, KeyGroups };
    What what;
    EntryKind kind;          // the object's or the section group's
    std::string identifier;  // as its list writes it
    std::string entryText;   // the list entry's text
};

void addTargets(std::unordered_map<std::string, Target>& targets, Target::What what, EntryKind kind,
                const std::vector<std::string>& entries)
{
    for (const auto& entry : entries) {
        auto identifier = stock::bracketIdentifier(entry);
        targets.try_emplace(lowerCase(identifier), Target{what, kind, identifier, stock::withoutAmpersands(entry)});
    }
}

const std::unordered_map<std::string, Target>& targets()
{
    static const auto all = [] {
        std::unordered_map<std::string, Target> map;
        for (auto kind : kObjectKinds)
            addTargets(map, Target::What::Object, kind, stock::objectList(kind));
        for (const auto& group : general::allGroups()) {
            if (group.section)
                map.try_emplace(lowerCase(group.section), Target{Target::What::KeyGroups, group.kind, group.section, ""});
            else
                addTargets(map, Target::What::SectionGroup, group.kind, {group.sections().begin(), group.sections().end()});
        }
        return map;
    }();
    return all;
}

const Target* targetOf(const std::string& section)
{
    auto found = targets().find(section);
    return found == targets().end() ? nullptr : &found->second;
}

std::vector<const general::Group*> groupsIn(const Target& target)
{
    std::vector<const general::Group*> groups;
    for (const auto& group : general::allGroups()) {
        bool keyGroup = group.section && lowerCase(group.section) == lowerCase(target.identifier);
        if (target.what == Target::What::KeyGroups ? keyGroup : group.kind == target.kind)
            groups.push_back(&group);
    }
    return groups;
}

std::string editorName(const Target& target)
{
    if (target.what == Target::What::Object)
        return std::string("the ") + objects::tableOf(target.kind).noun + " editor";
    return "the general settings window";
}

const char* faultText(stock::Unstorable fault)
{
    switch (fault) {
    case stock::Unstorable::NotANumber: return "not a number";
    case stock::Unstorable::TooWide: return "beyond its width";
    case stock::Unstorable::NotInList: return "not in its list";
    case stock::Unstorable::None: break;
    }
    return "";
}

std::string catalogueName(const std::string& entryText)
{
    return std::string(trimmed(entryText.substr(0, entryText.find('['))));
}

// The mod as the game reads it, and as written.
struct HandFile {
    std::string_view text;
    stock::RulesLines lines;
    IniFile ini;
};

class Importer {
public:
    explicit Importer(const HandFile& hand) : hand_(hand) {}

    void importSection(const IniSection& stock)
    {
        const auto* target = targetOf(lowerCase(stock.header()));
        const auto* hand = hand_.ini.find(stock.header());
        if (!target || !hand || sameKeys(*hand, stock))
            return;
        if (target->what == Target::What::Object)
            importObject(*target, *hand, stock);
        else
            for (const auto* group : groupsIn(*target))
                importGroup(*group, *target, *hand, stock);
    }

    RulesImport finish(const std::string& fileName);

private:
    void importObject(const Target& target, const IniSection& hand, const IniSection& stock);
    void fault(const IniSection& section, std::string_view key, const char* label, stock::Unstorable fault);
    std::string nameOf(const Target& target, const IniSection& section, bool hand);
    std::string internalName(const Target& target, const IniSection& hand, const IniSection& stock);
    std::string uniqueName(const std::string& identifier, std::size_t width);

    void importGroup(const general::Group& group, const Target& target, const IniSection& hand, const IniSection& stock);

    void add(EntryKind kind, const std::string& name, Bytes data)
    {
        lines_.push_back(project::openedListLine(kind, name, data));
        entries_.push_back({kind, name, std::move(data)});
    }

    // Every key whose value the entries' compile does not give goes into
    // one rules text, which a compile applies after them.
    void carryAll(const IniFile& compiled);
    void carrySection(const IniSection& hand, const IniSection* compiled);
    void addText(const std::string& section, const stock::RulesLines& lines);
    std::string reason(const Target* target, const IniSection& hand, const KeyLine& key, const KeyLine* compiled);
    void noteFindings();
    void report(int line, std::string text) { notes_.push_back({line, std::move(text)}); }

    const HandFile& hand_;
    std::vector<project::Entry> entries_;
    std::vector<std::string> lines_;
    std::set<std::string> takenNames_;  // as the game reads them
    // Per section, then key (lower case): why the value was not taken.
    std::map<std::string, std::map<std::string, std::string>> faults_;
    std::map<std::string, std::string> sectionNotes_;
    std::string text_;
    std::set<int> carried_;  // line numbers
    std::vector<std::pair<int, std::string>> notes_;
};

// ---- objects ----

void Importer::importObject(const Target& target, const IniSection& hand, const IniSection& stock)
{
    auto position = stock::replacementPosition(target.kind, target.identifier);
    if (!position) {
        sectionNotes_[lowerCase(hand.header())] = editorName(target) + " does not offer " + target.identifier + " to be replaced";
        return;
    }
    auto fallback = stock::loadedRecord(target.kind, stock::loadStockObject(target.identifier, target.kind, stock.rules.keys));
    auto loaded = stock::loadedRecord(
        target.kind, stock::loadStockObject(target.identifier, target.kind, hand.rules.keys), fallback);
    const auto& fields = objects::tableOf(target.kind).fields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        fault(hand, fields[i].key, fields[i].label, loaded.faults[i]);
    auto& record = loaded.record;
    bool named = target.kind == EntryKind::Unit || target.kind == EntryKind::Building;
    if (named) {
        record.text("name") = nameOf(target, hand, true);
        fallback.text("name") = nameOf(target, stock, false);
    }
    const auto* handImage = hand.find("Image");
    const auto* stockImage = stock.find("Image");
    bool imageChanged = target.kind == EntryKind::Projectile &&
                        gameValue(handImage ? handImage->value : "") != gameValue(stockImage ? stockImage->value : "");
    if (record.values == fallback.values && !imageChanged)
        return;
    if (factsOf(target.kind)->shpParts() > 0)
        record.text("internalName") = internalName(target, hand, stock);
    if (named)
        record.number("replaced") = *position;
    add(target.kind, named ? record.text("name") : target.entryText, records::pack(record));
}

void Importer::fault(const IniSection& section, std::string_view key, const char* label, stock::Unstorable fault)
{
    if (fault == stock::Unstorable::None || key.empty())
        return;
    faults_[lowerCase(section.header())].try_emplace(std::string(key),
                                                   objects::plainLabel(label) + " cannot hold it: " + faultText(fault));
}

// The section's own name, or the catalogue's where it has none.
std::string Importer::nameOf(const Target& target, const IniSection& section, bool hand)
{
    const auto* given = section.find("Name");
    const auto& table = objects::tableOf(target.kind);
    if (given && given->value.size() <= table.fields[objects::indexOf(table, "name")].count)
        return given->value;
    if (given && hand)
        fault(section, "Name", "Name: ", stock::Unstorable::TooWide);
    return catalogueName(target.entryText);
}

// Units and buildings take their identifier; a projectile writes its
// internal name as its image, so it keeps the image the file gives it.
std::string Importer::internalName(const Target& target, const IniSection& hand, const IniSection& stock)
{
    const auto& table = objects::tableOf(target.kind);
    std::size_t width = table.fields[objects::indexOf(table, "internalName")].count;
    if (target.kind != EntryKind::Projectile)
        return uniqueName(target.identifier, width);
    const auto* image = hand.find("Image");
    if (!image)
        image = stock.find("Image");
    if (!image)
        return {};
    auto label = table.fields[objects::indexOf(table, "internalName")].label;
    if (image->value.size() > width) {
        fault(hand, "Image", label, stock::Unstorable::TooWide);
    } else if (takenNames_.insert(gameItem(image->value)).second) {
        return image->value;
    } else {
        faults_[lowerCase(hand.header())].try_emplace(
            "Image", objects::plainLabel(label) + " cannot hold it: another entry has that internal name");
    }
    return uniqueName(target.identifier, width);
}

std::string Importer::uniqueName(const std::string& identifier, std::size_t width)
{
    auto name = identifier.substr(0, width);
    for (int number = 2; !takenNames_.insert(gameItem(name)).second; ++number) {
        auto suffix = std::to_string(number);
        name = identifier.substr(0, width - std::min(width, suffix.size())) + suffix;
    }
    return name;
}

// ---- general groups ----

void Importer::importGroup(const general::Group& group, const Target& target, const IniSection& hand,
                           const IniSection& stock)
{
    std::int32_t position = 0;
    if (!group.section) {
        auto list = group.sections();
        auto at = std::find_if(list.begin(), list.end(),
                               [&](const char* entry) { return stock::bracketIdentifier(entry) == target.identifier; });
        position = static_cast<std::int32_t>(at - list.begin());
    }
    auto fallback = general::readGroup(group, position, &stock.rules);
    auto record = general::readGroup(group, position, &hand.rules, &fallback,
                                     [&](const general::Field& field, stock::Unstorable fault) {
                                         this->fault(hand, general::rulesKey(field), field.label, fault);
                                     });
    if (record == fallback)
        return;
    add(group.kind, group.section ? group.entryName : target.entryText, general::pack(record));
}

// ---- what rules text carries ----

bool hasField(const Target& target, const std::string& key)
{
    if (target.what == Target::What::Object) {
        const auto& fields = objects::tableOf(target.kind).fields;
        return std::any_of(fields.begin(), fields.end(), [&](const auto& field) { return field.key == key; });
    }
    for (const auto* group : groupsIn(target)) {
        if (std::any_of(group->fields.begin(), group->fields.end(),
                        [&](const auto& field) { return general::rulesKey(field) == key; }))
            return true;
    }
    return false;
}

std::string Importer::reason(const Target* target, const IniSection& hand, const KeyLine& key, const KeyLine* compiled)
{
    if (!target)
        return "no editor changes [" + hand.header() + "]";
    if (auto note = sectionNotes_.find(lowerCase(hand.header())); note != sectionNotes_.end())
        return note->second;
    if (gameSpelling(hand.header(), key.key))
        return "no editor writes " + key.key;
    if (!hasField(*target, key.key))
        return editorName(*target) + " has no field for " + key.key;
    auto faults = faults_.find(lowerCase(hand.header()));
    if (faults != faults_.end()) {
        if (auto found = faults->second.find(key.key); found != faults->second.end())
            return found->second;
    }
    if (!compiled)
        return "the compile writes no " + key.key + " line";
    return "the compile writes " + compiled->key + "=" + compiled->value;
}

// The key's line as the mod wrote it, or as the game reads it where the
// game would cut it.
std::string carriedLine(const stock::RulesLines& lines, const KeyLine& key)
{
    std::string_view line = lines[key.line];
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line.size() <= stock::kMaxRulesLine ? std::string(line) : key.key + "=" + key.value;
}

// A key line with an empty value, which the game skips, is no key.
const KeyLine* readKey(const IniSection* section, const std::string& key)
{
    const auto* line = section ? section->find(key) : nullptr;
    return line && !line->value.empty() ? line : nullptr;
}

void Importer::carrySection(const IniSection& hand, const IniSection* compiled)
{
    const auto* target = targetOf(lowerCase(hand.header()));
    stock::RulesLines lines;
    for (const auto& key : hand.keyOrder) {
        const auto* given = readKey(&hand, key);
        const auto* written = readKey(compiled, key);
        if (!given || (written && sameText(given->value, written->value)))
            continue;
        lines.push_back(carriedLine(hand_.lines, *given));
        carried_.insert(lineNumber(given->line));
        report(lineNumber(given->line), "[" + hand.header() + "] " + given->key + "=" + given->value +
                                            " carried as rules text: " + reason(target, hand, *given, written));
    }
    for (const auto& key : compiled ? compiled->keyOrder : std::vector<std::string>{}) {
        const auto* written = readKey(compiled, key);
        if (!written || readKey(&hand, key))
            continue;
        lines.push_back(key + "=");
        report(hand.line, "[" + hand.header() + "] " + key + " removed, carried as rules text: the compile writes " +
                              written->key + "=" + written->value);
    }
    addText(hand.header(), lines);
}

void Importer::addText(const std::string& section, const stock::RulesLines& lines)
{
    if (lines.empty())
        return;
    text_ += "[" + section + "]\r\n";
    for (const auto& line : lines)
        text_ += line + "\r\n";
}

void Importer::carryAll(const IniFile& compiled)
{
    for (const auto& section : hand_.ini.sections)
        carrySection(section, compiled.find(section.header()));
    for (const auto& section : compiled.sections) {
        if (hand_.ini.find(section.header()))
            continue;
        stock::RulesLines lines;
        for (const auto& key : section.keyOrder) {
            if (readKey(&section, key))
                lines.push_back(key + "=");
        }
        if (!lines.empty())
            report(INT_MAX, "[" + section.header() + "] missing, carried as rules text: its keys are taken out");
        addText(section.header(), lines);
    }
}

// What the game would not read as the modder meant; a fault the stock text
// has as well is named only on a line the import carries.
void Importer::noteFindings()
{
    static const auto stockFindings = [] {
        std::set<std::string> texts;
        std::string stock;
        for (const auto& line : stock::stockRulesText().lines())
            stock += line + "\n";
        for (const auto& finding : checkRules(stock))
            texts.insert(finding.text);
        return texts;
    }();
    for (const auto& finding : checkRules(hand_.text)) {
        auto line = static_cast<int>(std::min<std::size_t>(finding.line, INT_MAX));
        if (!finding.note && (carried_.contains(line) || !stockFindings.contains(finding.text)))
            report(line, finding.text);
    }
}

RulesImport Importer::finish(const std::string& fileName)
{
    carryAll(sectionsOf(stock::RulesText(buildOutputs(project::buildWorkingFile(0, entries_)).rules)));
    if (!text_.empty())
        add(EntryKind::RulesText, fileName.substr(0, project::kMaxNameLength), Bytes(text_.begin(), text_.end()));
    noteFindings();
    RulesImport result{project::buildWorkingFile(0, entries_), std::move(lines_), {}};
    std::stable_sort(notes_.begin(), notes_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [line, text] : notes_)
        result.notes.push_back(fileName + (line == INT_MAX ? "" : ":" + std::to_string(line)) + ": " + text);
    return result;
}

}

RulesImport importRules(ByteView rules, const std::string& fileName)
{
    HandFile hand;
    hand.text = textOf(rules);
    if (hand.text.starts_with("\xef\xbb\xbf"))
        hand.text.remove_prefix(3);
    hand.lines = stock::splitRulesLines(hand.text);
    hand.ini = sectionsOf(stock::RulesText(hand.lines));
    if (hand.ini.sections.empty())
        throw Error(fileName + " holds no section, so it is no rules file.");
    Importer importer(hand);
    for (const auto& section : stockIni().sections)
        importer.importSection(section);
    return importer.finish(fileName);
}

RulesImport importRulesFile(const fs::path& rules)
{
    return importRules(readFile(rules, stock::kMaxRulesFile), toText(rules.filename()));
}

}
