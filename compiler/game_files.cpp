#include "compiler/game_files.h"

#include "archive/game_archives.h"
#include "archive/mix_writer.h"
#include "common/bytes.h"
#include "common/error.h"
#include "common/save_file.h"
#include "common/text.h"

#include <map>

namespace qx::compiler {
namespace {

constexpr const char* kExpansionRules = "aftrmath.ini";
constexpr const char* kRules = "rules.ini";

// A file of the game folder by its name in any letter case.
std::optional<fs::path> looseFile(const std::string& gameDir, const std::string& name)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(toPath(gameDir), error)) {
        if (lowerCase(toText(entry.path().filename())) == name && entry.is_regular_file(error))
            return entry.path();
    }
    return std::nullopt;
}

std::optional<Bytes> memberOf(const archive::MixReader& reader, std::uint32_t id, bool inside)
{
    if (const auto* member = reader.find(id))
        return reader.read(*member);
    if (!inside)
        return std::nullopt;
    for (const auto& [member, name] : archive::namedArchives(reader)) {
        try {
            if (auto found = memberOf(reader.nested(member, name), id, false))
                return found;
        } catch (const Error&) {
        }
    }
    return std::nullopt;
}

stock::RulesText rulesOf(const Bytes& bytes)
{
    return stock::RulesText(stock::splitRulesLines(textOf(bytes)));
}

// Each key with a value, by section and key, as the game finds them.
using KeyValues = std::map<std::pair<std::string, std::string>, const stock::KeyLine*>;

KeyValues keyValues(const stock::RulesText& text)
{
    KeyValues values;
    for (const auto& section : text.sections()) {
        for (const auto& key : section.keys) {
            if (!key.value.empty())
                values[{section.name, key.key}] = &key;
        }
    }
    return values;
}

}

std::optional<Bytes> findGameFile(const std::string& gameDir, const std::string& name, bool loose)
{
    if (auto file = loose ? looseFile(gameDir, name) : std::nullopt)
        return readFile(*file, stock::kMaxRulesFile);
    auto id = archive::memberId(name);
    for (const auto& path : archive::gameArchives(toPath(gameDir))) {
        try {
            if (auto found = memberOf(archive::MixReader(archive::fileSource(path), toText(path.filename())), id, true))
                return found;
        } catch (const Error&) {
        }
    }
    return std::nullopt;
}

std::optional<fs::path> gamePaletteFile(const std::string& gameDir, const std::string& name, const fs::path& folder)
{
    if (auto file = looseFile(gameDir, name))
        return file;
    auto member = findGameFile(gameDir, name, false);
    if (!member)
        return std::nullopt;
    auto copy = folder / ("game-" + name);
    saveFile(copy, *member);
    return copy;
}

std::vector<std::string> expansionOverrides(const stock::RulesLines& compiled, const std::string& gameDir)
{
    auto file = findGameFile(gameDir, kExpansionRules, true);
    if (!file)
        return {};
    auto expansion = rulesOf(*file);
    auto stock = keyValues(stock::stockRulesText());
    stock::RulesText ours(compiled);
    std::vector<std::string> lines;
    for (const auto& [where, key] : keyValues(ours)) {
        auto before = stock.find(where);
        if (before != stock.end() && before->second->value == key->value)
            continue;
        const auto* section = expansion.exact(where.first);
        const auto* again = section ? section->find(where.second) : nullptr;
        if (again && !again->value.empty())
            lines.push_back("[" + where.first + "] " + key->key + "=" + key->value + " is overridden in play by " +
                            kExpansionRules + ":" + std::to_string(again->line + 1) + " (" + again->key + "=" +
                            again->value + ")");
    }
    return lines;
}

std::optional<std::string> ownRulesNote(const std::string& gameDir)
{
    auto file = findGameFile(gameDir, kRules, false);
    if (!file)
        return std::nullopt;
    auto text = rulesOf(*file);
    auto own = keyValues(text);
    auto stock = keyValues(stock::stockRulesText());
    std::size_t differing = 0;
    for (const auto& [where, key] : own) {
        auto same = stock.find(where);
        differing += same == stock.end() || same->second->value != key->value;
    }
    for (const auto& [where, key] : stock)
        differing += !own.contains(where);
    if (differing == 0)
        return std::nullopt;
    return "The game's archives hold a rules.ini that differs from the stock rules text Quarvex compiles from in " +
           std::to_string(differing) + (differing == 1 ? " key." : " keys.");
}

}
