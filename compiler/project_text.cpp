#include "compiler/project_text.h"
#include "compiler/rules_check.h"

#include "common/cp1252.h"
#include "common/bytes.h"
#include "common/error.h"
#include "common/save_file.h"
#include "common/text.h"
#include "stock/records.h"
#include "general/groups.h"
#include "library/component_stream.h"
#include "project/encoder.h"
#include "project/package.h"
#include "project/working_file.h"
#include "stock/catalogue.h"
#include "stock/line_helpers.h"
#include "stock/object_fields.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <iterator>
#include <set>
#include <span>

namespace qx::compiler {
namespace {

using List = std::vector<std::string>;

constexpr const char* kIniName = "project.ini";
constexpr const char* kFilesFolder = "files/";

struct TextLine {
    std::string key;
    std::string value;
    int number = 0;  // in project.ini; 0 for a line being exported
};

struct Section {
    std::string kind;  // Unit, Crates, Entry, ...
    int position = 0;
    int number = 0;
    std::vector<TextLine> lines;

    void add(std::string key, std::string value) { lines.push_back({std::move(key), std::move(value), 0}); }
};

// A fault of the text: "project.ini:LINE: what".
[[noreturn]] void fail(int line, const std::string& what)
{
    throw Error(std::string(kIniName) + ":" + std::to_string(line) + ": " + what);
}

// Windows-1252 text as UTF-8; a backslash and control characters escaped.
std::string escaped(const std::string& cp1252)
{
    std::string out;
    for (char c : cp1252) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (byte < 0x20 || byte == 0x7f)
            out += "\\x" + hexByte(byte);
        else
            out += cp1252ToUtf8(std::string(1, c));
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    std::string plain;
    auto flush = [&] {
        auto converted = utf8ToCp1252(plain);
        plain.clear();
        if (converted)
            out += *converted;
        return converted.has_value();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (!flush())
            return std::nullopt;
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (i + 3 < text.size() && text[i + 1] == 'x' && hexDigit(text[i + 2]) >= 0 && hexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
            i += 3;
        } else {
            return std::nullopt;
        }
    }
    if (!flush())
        return std::nullopt;
    return out;
}

// The bytes where actual differs from expected, as "OFFSET:HEX" runs.
std::string patchText(ByteView actual, ByteView expected)
{
    std::string text;
    for (std::size_t i = 0; i < actual.size();) {
        if (actual[i] == expected[i]) {
            ++i;
            continue;
        }
        text += (text.empty() ? "" : ",") + std::to_string(i) + ":";
        for (; i < actual.size() && actual[i] != expected[i]; ++i)
            text += hexByte(actual[i]);
    }
    return text;
}

void applyPatch(std::span<std::uint8_t> bytes, const TextLine& line)
{
    std::string_view rest = line.value;
    while (!rest.empty()) {
        auto end = std::min(rest.find(','), rest.size());
        auto run = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        auto colon = run.find(':');
        auto offset = wholeNumber(run.substr(0, colon));
        auto hex = colon == std::string_view::npos ? std::string_view{} : run.substr(colon + 1);
        if (!offset || *offset < 0 || hex.empty() || hex.size() % 2 != 0 ||
            static_cast<std::uint64_t>(*offset) + hex.size() / 2 > bytes.size())
            fail(line.number, line.key + ": \"" + std::string(run) + "\" is not OFFSET:HEX within " +
                                  std::to_string(bytes.size()) + " bytes");
        for (std::size_t i = 0; i < hex.size(); i += 2) {
            int high = hexDigit(hex[i]);
            int low = hexDigit(hex[i + 1]);
            if (high < 0 || low < 0)
                fail(line.number, line.key + ": \"" + std::string(run) + "\" is not hex");
            bytes[static_cast<std::size_t>(*offset) + i / 2] = static_cast<std::uint8_t>(high * 16 + low);
        }
    }
}

List listOf(stock::Menu menu)
{
    return List(menu.begin(), menu.end());
}

// A choice by its bracket identifier when that names it alone; otherwise,
// and beyond the list, by its position.
std::string choiceText(const List& list, std::int64_t position)
{
    if (position >= 0 && static_cast<std::size_t>(position) < list.size()) {
        auto identifier = stock::bracketIdentifier(list[static_cast<std::size_t>(position)]);
        auto first = std::find_if(list.begin(), list.end(),
                                  [&](const auto& entry) { return stock::bracketIdentifier(entry) == identifier; });
        if (!identifier.empty() && !wholeNumber(identifier) && identifier.find(',') == std::string::npos &&
            first - list.begin() == position)
            return identifier;
    }
    return std::to_string(position);
}

std::optional<std::int64_t> choicePosition(const List& list, std::string_view text)
{
    if (auto number = wholeNumber(text))
        return number;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (stock::bracketIdentifier(list[i]) == text)
            return static_cast<std::int64_t>(i);
    }
    return std::nullopt;
}

// A decimal with a point, as the windows show it with a comma.
std::string pointText(std::int64_t value, int divisor)
{
    auto text = commaText(value, divisor);
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

std::optional<std::int64_t> pointNumber(std::string_view text, int digits)
{
    bool negative = text.starts_with('-');
    std::string comma(text.substr(negative ? 1 : 0));
    std::replace(comma.begin(), comma.end(), '.', ',');
    auto value = scaledNumber(comma, digits);
    return value && negative ? std::optional(-*value) : value;
}

std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// A whole number within [low, high], or the reason it is not.
std::int64_t numberIn(const TextLine& line, std::optional<std::int64_t> value, std::int64_t low, std::int64_t high)
{
    if (!value)
        fail(line.number, line.key + ": " + inQuotes(line.value) + " is not a number");
    if (*value < low || *value > high)
        fail(line.number, line.key + ": " + line.value + " does not fit (" + std::to_string(low) + " to " +
                              std::to_string(high) + ")");
    return *value;
}

std::int64_t choiceIn(const TextLine& line, const List& list, std::int64_t high)
{
    auto position = choicePosition(list, line.value);
    if (!position)
        fail(line.number, line.key + ": " + inQuotes(line.value) + " is not one of its choices");
    return numberIn(line, position, 0, high);
}

// Windows-1252 text of at most capacity characters.
std::string textIn(const TextLine& line, std::string_view text, std::size_t capacity)
{
    auto cp1252 = unescaped(text);
    if (!cp1252)
        fail(line.number, line.key + ": " + inQuotes(text) + " is not Western European text");
    if (cp1252->size() > capacity)
        fail(line.number, line.key + ": longer than " + std::to_string(capacity) + " characters");
    return *cp1252;
}

bool yesOrNo(const TextLine& line, std::string_view text)
{
    if (text != "yes" && text != "no")
        fail(line.number, line.key + ": " + inQuotes(text) + " is neither yes nor no");
    return text == "yes";
}

// ---- object entries ----

using objects::Control;
using objects::Field;
using objects::Storage;

// Keys differ in more than letter case, for readers that fold it: the
// object's own name is not the entry's "Name", and the fields that share
// the key "Verses" are not the boxes "Wood" and the like.
constexpr const char* kObjectNameKey = "ObjectName";

std::string fieldKey(const objects::ObjectTable& table, const Field& field)
{
    if (std::string_view(field.id) == "replaced")
        return "Replaces";
    std::string_view key = field.key;
    if (key == "Name")
        return kObjectNameKey;
    if (key.empty())
        return field.id;
    auto sharing = std::count_if(table.fields.begin(), table.fields.end(), [&](const Field& f) { return f.key == key; });
    if (sharing == 1)
        return std::string(key);
    std::string id = field.id;
    id[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(id[0])));
    return std::string(key) + id;
}

// The key texts exported before used: the field's name wherever the rules
// key did not name the field alone.
std::string formerKey(const objects::ObjectTable& table, const Field& field)
{
    auto key = fieldKey(table, field);
    return key == field.key || key == "Replaces" ? key : field.id;
}

std::int64_t highest(const Field& field)
{
    switch (field.storage) {
    case Storage::U8: return 255;
    case Storage::U16: return 65535;
    default: return INT32_MAX;
    }
}

List replacementList(const records::ObjectRecord& record)
{
    auto kind = record.kind == EntryKind::Unit ? stock::CatalogueKind::Unit : stock::CatalogueKind::Building;
    return stock::catalogueLookup(kind, record.number("frameCount"), record.number("tolerance"), !record.hasGraphics());
}

std::string fieldText(const records::ObjectRecord& record, const Field& field, const records::Value& value)
{
    switch (field.control) {
    case Control::Text: return escaped(value.text);
    case Control::Decimal: return pointText(value.number, 100);
    case Control::Box: return value.number != 0 ? "yes" : "no";
    case Control::Replacement: return choiceText(replacementList(record), value.number);
    case Control::OneChoice:
        if (field.emptyIs255 && value.number == objects::kEmpty)
            return "";
        return field.line == objects::Line::Value ? std::to_string(value.number) : choiceText(listOf(field.menu()), value.number);
    case Control::ManyChoices: {
        std::string text;
        for (std::size_t i = 0; i < value.flags.size(); ++i) {
            if (value.flags[i] != 0)
                text += (text.empty() ? "" : ",") + choiceText(listOf(field.menu()), static_cast<std::int64_t>(i));
        }
        return text;
    }
    case Control::Number:
    case Control::Derived: break;
    }
    return std::to_string(value.number) + (field.line == objects::Line::Percents ? "%" : "");
}

void readField(const Field& field, const TextLine& line, records::Value& value)
{
    std::string_view text = field.control == Control::Text ? std::string_view(line.value) : trimmed(line.value);
    if (field.control == Control::Text) {
        value.text = textIn(line, text, field.count);
    } else if (field.control == Control::Box) {
        value.number = yesOrNo(line, text);
    } else if (field.control == Control::ManyChoices) {
        value.flags.assign(field.count, 0);
        auto list = listOf(field.menu());
        while (!text.empty()) {
            auto end = std::min(text.find(','), text.size());
            TextLine item{line.key, std::string(text.substr(0, end)), line.number};
            value.flags[static_cast<std::size_t>(choiceIn(item, list, field.count - 1))] = 1;
            text.remove_prefix(std::min(end + 1, text.size()));
        }
    } else if (text.empty()) {
        value.number = field.defaultValue;
    } else if (field.control == Control::OneChoice && field.line != objects::Line::Value) {
        value.number = static_cast<std::int32_t>(choiceIn(line, listOf(field.menu()), highest(field)));
    } else {
        if (field.line == objects::Line::Percents && text.ends_with('%'))
            text.remove_suffix(1);
        auto number = field.control == Control::Decimal ? pointNumber(text, 2) : wholeNumber(text);
        value.number = static_cast<std::int32_t>(numberIn(line, number, objects::smallest(field), highest(field)));
    }
}

// ---- general groups ----

std::string groupKey(const general::Field& field)
{
    return *field.name ? field.name : "Section";
}

std::string groupText(const general::Group& group, const general::Field& field, std::int32_t value)
{
    using general::Format;
    switch (field.format) {
    case Format::Percent: return std::to_string(value) + "%";
    case Format::YesNo:
    case Format::OneOrZero: return value != 0 ? "yes" : "no";
    case Format::Scaled100: return pointText(value, 100);
    case Format::Scaled1000: return pointText(value, 1000);
    case Format::CrateChoice:
    case Format::UnitChoice:
    case Format::Section: return choiceText(listOf(general::choiceList(group, field)), value);
    case Format::Integer:
    case Format::TechLevel: break;
    }
    return std::to_string(value);
}

std::int32_t readGroupField(const general::Group& group, const general::Field& field, const TextLine& line)
{
    using general::Format;
    std::int64_t low = field.width == 1 ? 0 : INT32_MIN;
    std::int64_t high = field.width == 1 ? 255 : INT32_MAX;
    std::string_view text = trimmed(line.value);
    switch (field.format) {
    case Format::YesNo:
    case Format::OneOrZero: return yesOrNo(line, text);
    case Format::CrateChoice:
    case Format::UnitChoice:
    case Format::Section: return static_cast<std::int32_t>(choiceIn(line, listOf(general::choiceList(group, field)), high));
    case Format::Percent:
        if (text.ends_with('%'))
            text.remove_suffix(1);
        break;
    default: break;
    }
    auto digits = general::digitsOf(field.format);
    return static_cast<std::int32_t>(numberIn(line, digits ? pointNumber(text, digits) : wholeNumber(text), low, high));
}

std::int32_t groupDefault(const general::Field& field)
{
    return general::storedValue(field, "").value_or(0);
}

// ---- sections and blocks ----

class SectionReader {
public:
    SectionReader(const Section& section, const FileReader& read) : section_(section), read_(read)
    {
        for (const auto& line : section.lines) {
            if (lines_.contains(line.key))
                fail(line.number, line.key + ": given twice");
            lines_[line.key] = &line;
        }
    }

    const TextLine* take(const std::string& key)
    {
        auto found = lines_.find(key);
        if (found == lines_.end())
            return nullptr;
        auto* line = found->second;
        lines_.erase(found);
        return line;
    }

    Bytes file(const TextLine& line)
    {
        try {
            return read_(line.value);
        } catch (const Error& error) {
            fail(line.number, line.key + ": " + error.what());
        }
    }

    void finish() const
    {
        if (!lines_.empty()) {
            auto first = std::min_element(lines_.begin(), lines_.end(),
                                          [](const auto& a, const auto& b) { return a.second->number < b.second->number; });
            fail(first->second->number, first->first + ": not a key of " + section_.kind + " entries");
        }
    }

private:
    const Section& section_;
    const FileReader& read_;
    std::map<std::string, const TextLine*> lines_;
};

void checkPart(const TextLine& line, PartForm form, ByteView bytes)
{
    if (form == PartForm::Shp) {
        if (bytes.empty())
            fail(line.number, line.key + ": " + line.value + " is empty");
        return;
    }
    try {
        std::size_t consumed = 0;
        if (form == PartForm::Picture)
            library::readPictureComponent(bytes, consumed);
        else
            library::readImageListComponent(bytes, consumed);
        if (consumed == bytes.size())
            return;
    } catch (const Error&) {
    }
    fail(line.number, line.key + ": " + line.value +
                          (form == PartForm::Picture ? " is not a stored picture" : " is not a stored frame list"));
}

void appendTail(Bytes& block, SectionReader& reader)
{
    if (const auto* extra = reader.take("Extra")) {
        auto bytes = reader.file(*extra);
        block.insert(block.end(), bytes.begin(), bytes.end());
    }
}

Bytes objectBlock(EntryKind kind, SectionReader& reader)
{
    const auto& table = objects::tableOf(kind);
    const auto* facts = factsOf(kind);
    auto record = records::defaults(kind);
    const TextLine* replaces = nullptr;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const auto& field = table.fields[i];
        const auto* line = reader.take(fieldKey(table, field));
        if (!line)
            line = reader.take(formerKey(table, field));
        if (line && field.control == Control::Replacement)
            replaces = line;
        else if (line)
            readField(field, *line, record.values[i]);
    }
    std::vector<Bytes> parts(facts->graphicsParts());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (const auto* line = reader.take(facts->parts[i].key)) {
            parts[i] = reader.file(*line);
            checkPart(*line, facts->parts[i].form, parts[i]);
            record.sizes[i] = static_cast<std::uint32_t>(parts[i].size());
        }
    }
    // The list of units or buildings on offer depends on the graphics.
    if (replaces)
        record.number("replaced") = static_cast<std::int32_t>(choiceIn(*replaces, replacementList(record), 255));
    auto block = records::pack(record);
    if (const auto* unmapped = reader.take("Unmapped"))
        applyPatch(block, *unmapped);
    for (const auto& part : parts)
        block.insert(block.end(), part.begin(), part.end());
    appendTail(block, reader);
    return block;
}

Bytes groupBlock(EntryKind kind, SectionReader& reader)
{
    const auto* group = general::groupOfKind(kind);
    general::GroupRecord record{kind, {}};
    for (const auto& field : group->fields) {
        const auto* line = reader.take(groupKey(field));
        record.values.push_back(line ? readGroupField(*group, field, *line) : groupDefault(field));
    }
    auto block = general::pack(record);
    if (const auto* unmapped = reader.take("Unmapped"))
        applyPatch(block, *unmapped);
    appendTail(block, reader);
    return block;
}

// A rules text is stored only as the game would read it.
Bytes rulesTextFile(const TextLine& line, SectionReader& reader)
{
    auto bytes = reader.file(line);
    auto refusals = rulesTextRefusals(textOf(bytes), line.value);
    if (!refusals.empty())
        fail(line.number, line.key + ": " + refusals.front());
    return bytes;
}

[[noreturn]] void missingKey(const Section& section, const char* key)
{
    fail(section.number, "[" + section.kind + " " + std::to_string(section.position) + "]: " + key + " is missing");
}

// The entry a section describes, and the line that patches its directory
// entry, if any.
std::pair<project::Entry, const TextLine*> entryOf(const Section& section, const FileReader& read)
{
    SectionReader reader(section, read);
    const auto* name = reader.take("Name");
    if (!name)
        missingKey(section, "Name");
    project::Entry entry{{}, textIn(*name, name->value, project::kMaxNameLength), {}};
    if (section.kind == "Entry") {
        const auto* kind = reader.take("Kind");
        if (!kind)
            missingKey(section, "Kind");
        entry.kind = static_cast<EntryKind>(numberIn(*kind, wholeNumber(kind->value), 0, 255));
    } else {
        entry.kind = factsNamed(section.kind)->kind;
    }
    if (const auto* data = reader.take("Data"))
        entry.data = reader.file(*data);
    else if (const auto* text = entry.kind == EntryKind::RulesText ? reader.take("Text") : nullptr)
        entry.data = rulesTextFile(*text, reader);
    else if (objects::objectTable(entry.kind))
        entry.data = objectBlock(entry.kind, reader);
    else if (general::groupOfKind(entry.kind))
        entry.data = groupBlock(entry.kind, reader);
    else
        missingKey(section, "Data");
    const auto* directory = reader.take("Directory");
    reader.finish();
    return {std::move(entry), directory};
}

// ---- project.ini ----

Section sectionHeader(std::string_view line, int number)
{
    auto inner = line.substr(1, line.size() - 2);
    auto blank = inner.rfind(' ');
    Section section;
    section.number = number;
    section.kind = std::string(inner.substr(0, std::min(blank, inner.size())));
    std::int64_t position = 0;
    if (blank != std::string_view::npos)
        position = wholeNumber(inner.substr(blank + 1)).value_or(-1);
    bool known = section.kind == "Entry" || section.kind == "Project" || factsNamed(section.kind);
    bool numbered = position >= 1 && position <= static_cast<std::int64_t>(project::kMaxEntries);
    if (!known || (section.kind == "Project" ? blank != std::string_view::npos : !numbered))
        fail(number, "unknown section " + std::string(line));
    section.position = static_cast<int>(position);
    return section;
}

std::vector<Section> parseIni(std::string_view ini)
{
    std::vector<Section> sections;
    std::set<int> positions;
    int number = 0;
    while (!ini.empty()) {
        auto end = std::min(ini.find('\n'), ini.size());
        auto line = ini.substr(0, end);
        ini.remove_prefix(std::min(end + 1, ini.size()));
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        auto bare = trimmed(line);
        if (bare.empty() || bare.front() == ';' || bare.front() == '#')
            continue;
        if (bare.front() == '[' && bare.back() == ']') {
            sections.push_back(sectionHeader(bare, number));
            if (sections.back().position && !positions.insert(sections.back().position).second)
                fail(number, "entry " + std::to_string(sections.back().position) + " given twice");
            continue;
        }
        auto equals = line.find('=');
        if (equals == std::string_view::npos)
            fail(number, inQuotes(bare) + " is neither a section nor KEY=VALUE");
        if (sections.empty())
            fail(number, "a line before the first section");
        sections.back().lines.push_back({std::string(trimmed(line.substr(0, equals))),
                                         std::string(line.substr(equals + 1)), number});
    }
    return sections;
}

std::uint8_t reservedByte(const Section& project)
{
    std::uint8_t reserved = 0;
    for (const auto& line : project.lines) {
        if (line.key != "Reserved")
            fail(line.number, line.key + ": not a key of the Project section");
        reserved = static_cast<std::uint8_t>(numberIn(line, wholeNumber(line.value), 0, 255));
    }
    return reserved;
}

Bytes buildFile(const std::vector<Section>& sections, const FileReader& read)
{
    std::uint8_t reserved = 0;
    std::vector<project::Entry> entries;
    std::vector<const TextLine*> patches;
    for (const auto& section : sections) {
        if (section.kind == "Project") {
            reserved = reservedByte(section);
            continue;
        }
        auto [entry, patch] = entryOf(section, read);
        entries.push_back(std::move(entry));
        patches.push_back(patch);
    }
    auto file = project::buildWorkingFile(reserved, entries);
    for (std::size_t i = 0; i < patches.size(); ++i) {
        if (!patches[i])
            continue;
        applyPatch(std::span(file).subspan(project::kHeaderSize + i * project::kEntrySize, project::kEntrySize), *patches[i]);
    }
    return file;
}

// ---- export ----

using Files = std::map<std::string, Bytes>;

FileReader readerOf(const Files& files)
{
    return [&files](const std::string& path) {
        auto found = files.find(path);
        if (found == files.end())
            throw Error("no such file");
        return found->second;
    };
}

std::string fileName(int position, const std::string& what)
{
    return kFilesFolder + std::to_string(position) + what;
}

// The entry as fields and files, with the record bytes they do not carry as
// Unmapped; false when that does not give the block back (a part not where
// the record says, a stream that does not read back).
bool addStructured(Section& section, EntryKind kind, ByteView block, Files& files)
{
    ByteView record = block.first(std::min(block.size(), factsOf(kind)->recordSize));
    std::size_t used = record.size();
    if (const auto* table = objects::objectTable(kind)) {
        auto unpacked = records::unpack(kind, block);
        for (const auto& field : table->fields)
            section.add(fieldKey(*table, field), fieldText(unpacked, field, unpacked.values[&field - table->fields.data()]));
        auto parts = records::partsOf(unpacked, block);
        const auto* facts = factsOf(kind);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].empty())
                continue;
            const auto& part = facts->parts[i];
            auto name = fileName(section.position, "-" + lowerCase(part.key) + (part.form == PartForm::Shp ? ".shp" : ".stream"));
            files[name] = Bytes(parts[i].begin(), parts[i].end());
            section.add(part.key, name);
            used += parts[i].size();
        }
    } else {
        const auto* group = general::groupOfKind(kind);
        auto unpacked = general::unpackGroup(kind, block);
        for (std::size_t i = 0; i < group->fields.size(); ++i)
            section.add(groupKey(group->fields[i]), groupText(*group, group->fields[i], unpacked.values[i]));
    }
    if (used < block.size()) {
        auto name = fileName(section.position, "-extra.bin");
        files[name] = Bytes(block.begin() + static_cast<std::ptrdiff_t>(used), block.end());
        section.add("Extra", name);
    }
    auto rebuilt = entryOf(section, readerOf(files)).first.data;
    auto patch = patchText(record, ByteView(rebuilt).first(record.size()));
    if (!patch.empty())
        section.add("Unmapped", patch);
    return rebuilt.size() == block.size() &&
           std::equal(rebuilt.begin() + static_cast<std::ptrdiff_t>(record.size()), rebuilt.end(),
                      block.begin() + static_cast<std::ptrdiff_t>(record.size()));
}

Section exportEntry(int position, const project::DirectoryEntry& entry, ByteView block, Files& files)
{
    const auto* facts = factsOf(entry.kind);
    Section section{facts ? facts->name : "Entry", position, 0, {}};
    section.add("Name", escaped(entry.name));
    if (entry.kind == EntryKind::RulesText) {
        // Beside project.ini, to be read and changed as the text it is; a
        // damaged one travels as data.
        if (rulesTextRefusals(textOf(block), "").empty()) {
            auto name = "rules-text-" + std::to_string(position) + ".ini";
            files[name] = Bytes(block.begin(), block.end());
            section.add("Text", name);
            return section;
        }
    } else if (facts) {
        try {
            Files own;
            Section structured = section;
            if (addStructured(structured, entry.kind, block, own)) {
                files.merge(own);
                return structured;
            }
        } catch (const Error&) {
        }
    } else {
        section.add("Kind", std::to_string(byteOf(entry.kind)));
    }
    auto name = fileName(position, ".bin");
    files[name] = Bytes(block.begin(), block.end());
    section.add("Data", name);
    return section;
}

std::string render(const std::vector<Section>& sections)
{
    std::string ini;
    for (const auto& section : sections) {
        ini += (ini.empty() ? "[" : "\n[") + section.kind +
               (section.position ? " " + std::to_string(section.position) : std::string()) + "]\n";
        for (const auto& line : section.lines)
            ini += line.key + "=" + line.value + "\n";
    }
    return ini;
}

// A file named by the text, by its path inside the folder: an absolute
// path, "..", or a link that leads out of the folder is refused, so a
// copied mod folder cannot pull in a file from elsewhere.
Bytes readInside(const fs::path& folder, const std::string& path)
{
    auto relative = toPath(path);
    auto outside = [&] { return Error(path + " is not a path inside the folder"); };
    if (path.empty() || relative.is_absolute() || relative.has_root_name() ||
        std::any_of(relative.begin(), relative.end(), [](const fs::path& part) { return part == ".."; }))
        throw outside();
    std::error_code error;
    auto real = fs::canonical(folder / relative, error);
    if (!error) {
        auto base = fs::canonical(folder);
        auto [inBase, inReal] = std::mismatch(base.begin(), base.end(), real.begin(), real.end());
        if (inBase != base.end())
            throw outside();
    }
    return readFile(folder / relative, project::kMaxProjectSize);
}

}

TextForm exportText(ByteView workingFile)
{
    auto directory = project::parseDirectory(workingFile);
    std::vector<Section> sections;
    if (directory.reserved != 0) {
        sections.push_back({"Project", 0, 0, {}});
        sections.back().add("Reserved", std::to_string(directory.reserved));
    }
    Files files;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        auto block = project::entryBlock(workingFile, directory, i);
        sections.push_back(exportEntry(static_cast<int>(i + 1), directory.entries[i], block, files));
    }
    // The blocks follow each other, so an import writes each entry's
    // directory bytes as its parsed values give them.
    std::size_t first = directory.reserved != 0;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        auto actual = workingFile.subspan(project::kHeaderSize + i * project::kEntrySize, project::kEntrySize);
        auto patch = patchText(actual, project::entryBytes(directory.entries[i]));
        if (!patch.empty())
            sections[first + i].add("Directory", patch);
    }
    return {render(sections), {std::make_move_iterator(files.begin()), std::make_move_iterator(files.end())}};
}

Bytes importText(std::string_view ini, const FileReader& read)
{
    return buildFile(parseIni(ini), read);
}

std::string folderRefusal(const fs::path& folder)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(folder, error)) && !(fs::is_directory(folder, error) && fs::is_empty(folder, error)))
        return "The folder " + toText(folder) + " is not empty.";
    return "";
}

void exportFolder(ByteView workingFile, const fs::path& folder)
{
    std::error_code error;
    if (auto why = folderRefusal(folder); !why.empty())
        throw Error(why);
    auto form = exportText(workingFile);
    auto scratch = folder;
    scratch += ".part";
    fs::remove_all(scratch);
    try {
        fs::create_directories(scratch / kFilesFolder);
        for (const auto& [name, bytes] : form.files)
            saveFile(scratch / name, bytes);
        saveFile(scratch / kIniName, ByteView(reinterpret_cast<const std::uint8_t*>(form.ini.data()), form.ini.size()));
        fs::remove(folder, error);
        fs::rename(scratch, folder);
    } catch (...) {
        fs::remove_all(scratch, error);
        throw;
    }
}

Bytes importFolder(const fs::path& folder)
{
    auto ini = readFile(folder / kIniName, project::kMaxProjectSize);
    FileReader read = [&folder](const std::string& path) { return readInside(folder, path); };
    return importText(std::string_view(reinterpret_cast<const char*>(ini.data()), ini.size()), read);
}

}
