#include "compiler/game_originals.h"

#include "common/error.h"
#include "common/file_names.h"
#include "common/save_file.h"
#include "common/text.h"
#include "compiler/install_journal.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>

namespace qx::compiler {

// FNV-1a over 64-bit words, then the last bytes and the length.
namespace {
constexpr std::uint64_t kPrime = 1099511628211ull;
constexpr std::size_t kHashReadSize = 1 << 20;
}

void ContentHash::add(ByteView bytes)
{
    if (bytes.empty())
        return;
    size_ += bytes.size();
    std::size_t i = 0;
    if (pendingSize_ > 0) {
        auto taken = std::min(bytes.size(), 8 - pendingSize_);
        std::memcpy(pending_ + pendingSize_, bytes.data(), taken);
        pendingSize_ += taken;
        i = taken;
        if (pendingSize_ < 8)
            return;
        std::uint64_t word = 0;
        std::memcpy(&word, pending_, 8);
        hash_ = (hash_ ^ word) * kPrime;
        pendingSize_ = 0;
    }
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        hash_ = (hash_ ^ word) * kPrime;
    }
    pendingSize_ = bytes.size() - i;
    std::memcpy(pending_, bytes.data() + i, pendingSize_);
}

std::string ContentHash::text() const
{
    auto hash = hash_;
    for (std::size_t i = 0; i < pendingSize_; ++i)
        hash = (hash ^ pending_[i]) * kPrime;
    hash = (hash ^ size_) * kPrime;
    std::string text;
    for (int shift = 56; shift >= 0; shift -= 8)
        text += hexByte(static_cast<std::uint8_t>(hash >> shift));
    return text;
}

std::string hashOf(ByteView bytes)
{
    ContentHash hash;
    hash.add(bytes);
    return hash.text();
}

ContentHash hashOfFile(const fs::path& path)
{
    auto in = openInput(path);
    ContentHash hash;
    Bytes buffer(kHashReadSize);
    while (in) {
        in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
        hash.add(ByteView(buffer).first(static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad())
        throw Error(systemMessage("Cannot read file", path));
    return hash;
}

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
    auto parsed = headedLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), kManifestHead);
    if (!parsed.fault.empty())
        damaged(parsed.fault);
    std::vector<Record> records;
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        std::vector<std::string> fields(parsed.lines[i].begin(), parsed.lines[i].end());
        if (auto fault = manifestFault(fields, records); !fault.empty())
            damaged("line " + std::to_string(i + 2) + ": " + fault);
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

fs::path originalsFolder(const fs::path& game)
{
    auto folder = findCaseless(game, names::kOriginals).value_or(game / names::kOriginals);
    requirePlainFolder(folder);
    return folder;
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

Bytes GameOriginals::keep(const std::vector<Replacement>& replacements)
{
    requirePlainFolder(folder_);
    auto records = readManifest(manifestPath());
    std::error_code error;
    bool hadFolder = fs::is_directory(folder_, error);
    try {
        fs::create_directory(folder_);
        bool added = false;
        for (const auto& replacement : replacements) {
            auto current = findCaseless(game_, replacement.name);
            auto* record = recordOf(records, replacement.name);
            if (!record) {
                Bytes bytes = current ? readFile(*current) : Bytes();
                records.push_back({replacement.name, current.has_value(), current ? hashOf(bytes) : "-", "-",
                                   current ? toText(current->filename()) : replacement.name});
                if (current)
                    saveFile(folder_ / replacement.name, bytes);
                added = true;
            } else if (current && isForeign(*record, hashOfFile(*current).text())) {
                keepForeign(folder_, replacement.name, readFile(*current));
            }
        }
        // The originals are recorded before anything replaces them.
        if (added)
            saveFile(manifestPath(), manifestBytes(records));
        for (const auto& replacement : replacements)
            recordOf(records, replacement.name)->installed = replacement.hash;
        return manifestBytes(records);
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
    // An interrupted install is finished first; a damaged journal is told
    // and set aside, as the game's own files come back in any case.
    std::vector<std::string> changed;
    try {
        if (auto settled = settleInstall(gameDir))
            changed.push_back(*settled);
    } catch (const Error& damage) {
        changed.push_back(damage.what());
    }
    clearInstall(game);
    auto records = readManifest(originals.manifestPath());
    if (records.empty())
        return changed;
    std::vector<Bytes> kept;
    for (const auto& record : records)
        kept.push_back(record.kept ? readKept(folder / record.name) : Bytes());
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

namespace {

std::string localTime(fs::file_time_type time)
{
    auto when = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", std::localtime(&when));
    return text;
}

std::string fileStatus(const fs::path& game, const Record& record)
{
    auto current = findCaseless(game, record.name);
    if (!current)
        return record.name + (record.installed == kNoFile ? ": none, as that compile left it" : ": missing");
    auto hash = hashOfFile(*current).text();
    if (hash == record.installed)
        return record.name + ": from that compile";
    if (record.kept && hash == record.original)
        return record.name + ": the game's own";
    return record.name + ": changed since that compile";
}

}

std::vector<std::string> gameStatus(const std::string& gameDir)
{
    requireGameDir(gameDir);
    std::vector<std::string> lines;
    if (auto settled = settleInstall(gameDir))
        lines.push_back(*settled);
    auto game = toPath(gameDir);
    auto folder = originalsFolder(game);
    auto records = readManifest(folder / names::kOriginalsManifest);
    if (records.empty()) {
        lines.push_back(gameDir + " holds the game's own files: Quarvex has not changed it.");
        return lines;
    }
    std::string when;
    std::error_code error;
    if (auto compiled = findCaseless(game, names::kCompiledProject)) {
        auto time = fs::last_write_time(*compiled, error);
        if (!error)
            when = " on " + localTime(time);
    }
    lines.push_back(gameDir + " holds a project Quarvex compiled" + when + ".");
    for (const auto& record : records)
        lines.push_back(fileStatus(game, record));
    lines.push_back("The game's own files are kept in " + std::string(names::kOriginals) + "; a restore puts them back.");
    return lines;
}

std::string nothingToRestore(const std::string& gameDir)
{
    return "Nothing to restore: Quarvex has not changed " + gameDir + ".";
}

}
