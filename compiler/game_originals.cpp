#include "compiler/game_originals.h"

#include "common/error.h"
#include "common/file_names.h"
#include "common/save_file.h"
#include "common/text.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace qx::compiler {
namespace {

constexpr const char* kManifestHead = "quarvex-originals 1";
constexpr std::uint64_t kMaxManifestSize = 1 << 16;

// One line of the manifest: "NAME kept|absent ORIGINAL INSTALLED GAME-NAME",
// hashes in hex or "-" for none.
struct Record {
    std::string name;
    bool kept = false;
    std::string original = "-";
    std::string installed = "-";
    std::string gameName;
};

// FNV-1a over 64-bit words, then the last bytes and the length: it tells
// our own output from a changed file, no more, at memory speed.
std::string hashOf(ByteView bytes)
{
    constexpr std::uint64_t kPrime = 1099511628211ull;
    std::uint64_t hash = 14695981039346656037ull;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = (hash ^ word) * kPrime;
    }
    for (; i < bytes.size(); ++i)
        hash = (hash ^ bytes[i]) * kPrime;
    hash = (hash ^ bytes.size()) * kPrime;
    std::string text;
    for (int shift = 56; shift >= 0; shift -= 8)
        text += hexByte(static_cast<std::uint8_t>(hash >> shift));
    return text;
}

bool isHash(const std::string& text)
{
    return text == "-" ||
           (text.size() == 16 && std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }));
}

bool isKeptName(const std::string& name)
{
    return name == names::kRules || name == names::kArchive;
}

// The manifest is found in the game directory and may come from anywhere:
// every line must name one of our two files, restored directly into the
// game directory under its own name in any letter case.
std::string manifestFault(const std::vector<std::string>& fields, const std::vector<Record>& records)
{
    if (fields.size() != 5 || (fields[1] != "kept" && fields[1] != "absent"))
        return "it is not NAME kept|absent ORIGINAL INSTALLED GAME-NAME";
    if (!isKeptName(fields[0]))
        return "\"" + fields[0] + "\" is neither rules.ini nor sc-qx.mix";
    if (lowerCase(fields[4]) != fields[0])
        return "\"" + fields[4] + "\" is not " + fields[0] + " in the game directory";
    if (!isHash(fields[2]) || !isHash(fields[3]) || (fields[1] == "kept") == (fields[2] == "-"))
        return "a hash is not 16 hex digits";
    if (std::any_of(records.begin(), records.end(), [&](const Record& r) { return r.name == fields[0]; }))
        return fields[0] + " is named twice";
    return {};
}

[[noreturn]] void damaged(const std::string& why)
{
    throw Error(std::string(names::kOriginals) + "/" + names::kOriginalsManifest + " is damaged: " + why);
}

std::vector<Record> parseRecords(ByteView bytes)
{
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!text.starts_with(std::string(kManifestHead) + "\n"))
        damaged("it does not start with \"" + std::string(kManifestHead) + "\"");
    text.remove_prefix(std::strlen(kManifestHead) + 1);
    std::vector<Record> records;
    for (int number = 2; !text.empty(); ++number) {
        auto end = text.find('\n');
        if (end == std::string_view::npos)
            damaged("line " + std::to_string(number) + " does not end");
        auto words = pieces(text.substr(0, end), ' ');
        std::vector<std::string> fields(words.begin(), words.end());
        text.remove_prefix(end + 1);
        if (auto fault = manifestFault(fields, records); !fault.empty())
            damaged("line " + std::to_string(number) + ": " + fault);
        records.push_back({fields[0], fields[1] == "kept", fields[2], fields[3], fields[4]});
    }
    return records;
}

std::vector<Record> readManifest(const fs::path& manifest)
{
    std::error_code error;
    if (!fs::exists(fs::symlink_status(manifest, error)))
        return {};
    return parseRecords(readFile(manifest, kMaxManifestSize));
}

// A link there would send the kept copies, or what a restore reads back,
// somewhere else.
void requirePlainFolder(const fs::path& folder)
{
    std::error_code error;
    auto status = fs::symlink_status(folder, error);
    if (fs::exists(status) && !fs::is_directory(status))
        throw Error("The game directory's " + toText(folder.filename()) +
                    " is not a folder but a link or a file, so nothing was changed.");
}

Bytes readKept(const fs::path& copy)
{
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(copy, error)))
        throw Error("The kept copy " + std::string(names::kOriginals) + "/" + toText(copy.filename()) +
                    " is missing or not a plain file, so nothing was changed.");
    return readFile(copy);
}

Bytes manifestBytes(const std::vector<Record>& records)
{
    std::string text = std::string(kManifestHead) + "\n";
    for (const auto& r : records)
        text += r.name + (r.kept ? " kept " : " absent ") + r.original + " " + r.installed + " " + r.gameName + "\n";
    return Bytes(text.begin(), text.end());
}

Record* recordOf(std::vector<Record>& records, const std::string& name)
{
    auto found = std::find_if(records.begin(), records.end(), [&](const Record& r) { return r.name == name; });
    return found == records.end() ? nullptr : &*found;
}

std::string timeStamp()
{
    auto now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", std::localtime(&now));
    return text;
}

// A file that someone else put into the game directory is kept under its
// name and the time, never over the originals.
void keepForeign(const fs::path& folder, const std::string& name, ByteView bytes)
{
    auto base = name + "." + timeStamp();
    auto copy = folder / base;
    std::error_code error;
    for (int number = 2; fs::exists(fs::symlink_status(copy, error)); ++number)
        copy = folder / (base + "-" + std::to_string(number));
    saveFile(copy, bytes);
}

bool isForeign(const Record& record, const std::string& hash)
{
    return hash != record.installed && !(record.kept && hash == record.original);
}

}

GameOriginals::GameOriginals(const std::string& gameDir)
    : game_(toPath(gameDir))
    , folder_(findCaseless(game_, names::kOriginals).value_or(game_ / names::kOriginals))
{
}

fs::path GameOriginals::target(const std::string& name) const
{
    return findCaseless(game_, name).value_or(game_ / name);
}

fs::path GameOriginals::manifestPath() const
{
    return folder_ / names::kOriginalsManifest;
}

GameOriginals::Kept GameOriginals::keep(const std::vector<Replacement>& replacements)
{
    requirePlainFolder(folder_);
    auto records = readManifest(manifestPath());
    std::error_code error;
    bool hadFolder = fs::is_directory(folder_, error);
    try {
        fs::create_directory(folder_);
        bool added = false;
        Kept kept;
        for (const auto& replacement : replacements) {
            auto current = findCaseless(game_, replacement.name);
            kept.targets.push_back(current.value_or(game_ / replacement.name));
            auto* record = recordOf(records, replacement.name);
            Bytes bytes = current ? readFile(*current) : Bytes();
            if (!record) {
                records.push_back({replacement.name, current.has_value(), current ? hashOf(bytes) : "-", "-",
                                   current ? toText(current->filename()) : replacement.name});
                if (current)
                    saveFile(folder_ / replacement.name, bytes);
                added = true;
            } else if (current && isForeign(*record, hashOf(bytes))) {
                keepForeign(folder_, replacement.name, bytes);
            }
        }
        // The originals are recorded before anything replaces them.
        if (added)
            saveFile(manifestPath(), manifestBytes(records));
        for (const auto& replacement : replacements)
            recordOf(records, replacement.name)->installed = hashOf(replacement.bytes);
        kept.manifest = manifestBytes(records);
        return kept;
    } catch (const std::exception& failure) {
        if (!hadFolder)
            fs::remove(folder_, error);
        throw Error(std::string("The game's own files could not be kept, so nothing was installed: ") + failure.what());
    }
}

std::vector<std::string> restoreGame(const std::string& gameDir)
{
    requireGameDir(gameDir);
    auto game = toPath(gameDir);
    GameOriginals originals(gameDir);
    auto folder = originals.manifestPath().parent_path();
    requirePlainFolder(folder);
    auto records = readManifest(originals.manifestPath());
    if (records.empty())
        return {};
    std::vector<Bytes> kept;
    for (const auto& record : records)
        kept.push_back(record.kept ? readKept(folder / record.name) : Bytes());
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& record = records[i];
        auto current = findCaseless(game, record.name);
        Bytes bytes = current ? readFile(*current) : Bytes();
        auto hash = hashOf(bytes);
        if (current && isForeign(record, hash))
            keepForeign(folder, record.name, bytes);
        if (record.kept && (!current || hash != record.original || current->filename() != record.gameName)) {
            saveFile(game / record.gameName, kept[i]);
            if (current && current->filename() != record.gameName)
                fs::remove(*current);
            changed.push_back("restored " + record.gameName);
        } else if (!record.kept && current) {
            fs::remove(*current);
            changed.push_back("removed " + toText(current->filename()));
        }
    }
    if (auto compiled = findCaseless(game, names::kCompiledProject)) {
        fs::remove(*compiled);
        changed.push_back("removed " + toText(compiled->filename()));
    }
    for (const auto& record : records)
        removeIfExists(folder / record.name);
    removeIfExists(originals.manifestPath());
    std::error_code error;
    if (fs::is_empty(folder, error))
        fs::remove(folder, error);
    return changed;
}

void checkManifest(ByteView bytes)
{
    parseRecords(bytes);
}

void requireGameDir(const std::string& gameDir)
{
    std::error_code error;
    if (!fs::is_directory(toPath(gameDir), error))
        throw Error("The game directory " + gameDir + " does not exist.");
}

std::string nothingToRestore(const std::string& gameDir)
{
    return "Nothing to restore: Quarvex has not changed " + gameDir + ".";
}

}
