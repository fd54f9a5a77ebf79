#include "compiler/install_journal.h"

#include "common/error.h"
#include "common/file_names.h"
#include "common/system_files.h"
#include "common/text.h"

#include <algorithm>
#include <charconv>

namespace qx::compiler {
namespace {

constexpr const char* kJournalHead = "quarvex-install 1";
constexpr std::uint64_t kMaxJournalSize = 1 << 12;

// The only files a journal may name: the three in the game directory and
// the manifest beside it in quarvex-originals.
const char* const kGameTargets[] = {names::kRules, names::kArchive, names::kCompiledProject};

bool isGameTarget(const std::string& lowerName)
{
    return std::any_of(std::begin(kGameTargets), std::end(kGameTargets), [&](const char* n) { return lowerName == n; });
}

struct JournalEntry {
    std::string name;
    std::uint64_t size = 0;
    std::string hash;
};

[[noreturn]] void damaged(const std::string& why)
{
    throw Error(std::string(names::kOriginals) + "/" + names::kInstallJournal + " is damaged: " + why + ".");
}

bool isHashText(std::string_view text)
{
    return text.size() == 16 &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::string entryFault(const std::vector<std::string_view>& fields, const std::vector<JournalEntry>& entries,
                       std::uint64_t& size)
{
    if (fields.size() != 3)
        return "it is not NAME SIZE HASH";
    auto lower = lowerCase(std::string(fields[0]));
    if (!isGameTarget(lower) && lower != names::kOriginalsManifest)
        return "\"" + std::string(fields[0]) + "\" is none of the files a compile installs";
    auto [end, error] = std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), size);
    if (error != std::errc() || end != fields[1].data() + fields[1].size())
        return "the size is not a whole number";
    if (!isHashText(fields[2]))
        return "the hash is not 16 hex digits";
    if (std::any_of(entries.begin(), entries.end(), [&](const JournalEntry& e) { return lowerCase(e.name) == lower; }))
        return std::string(fields[0]) + " is named twice";
    return {};
}

std::vector<JournalEntry> parseJournal(std::string_view text)
{
    auto parsed = headedLines(text, kJournalHead);
    if (!parsed.fault.empty())
        damaged(parsed.fault);
    std::vector<JournalEntry> entries;
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        const auto& fields = parsed.lines[i];
        std::uint64_t size = 0;
        if (auto fault = entryFault(fields, entries, size); !fault.empty())
            damaged("line " + std::to_string(i + 2) + ": " + fault);
        entries.push_back({std::string(fields[0]), size, std::string(fields[2])});
    }
    if (entries.empty())
        damaged("it names no file");
    return entries;
}

Bytes journalBytes(const std::vector<JournalEntry>& entries)
{
    std::string text = std::string(kJournalHead) + "\n";
    for (const auto& entry : entries)
        text += entry.name + " " + std::to_string(entry.size) + " " + entry.hash + "\n";
    return Bytes(text.begin(), text.end());
}

fs::path targetOf(const fs::path& game, const fs::path& folder, const std::string& name)
{
    return lowerCase(name) == names::kOriginalsManifest ? folder / name : game / name;
}

bool holds(const fs::path& path, const JournalEntry& entry)
{
    std::error_code error;
    auto status = fs::symlink_status(path, error);
    if (!fs::is_regular_file(status) || fs::file_size(path, error) != entry.size)
        return false;
    return hashOfFile(path).text() == entry.hash;
}

// Every scratch copy of ours, in the game directory and beside the manifest.
std::vector<fs::path> scratchCopies(const fs::path& game, const fs::path& folder)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(game, error)) {
        auto name = lowerCase(toText(entry.path().filename()));
        if (name.ends_with(".part") && isGameTarget(name.substr(0, name.size() - 5)))
            found.push_back(entry.path());
    }
    for (const char* name : {names::kOriginalsManifest, names::kInstallJournal}) {
        auto copy = scratchPath(folder / name);
        if (fs::exists(fs::symlink_status(copy, error)))
            found.push_back(copy);
    }
    return found;
}

}

InstallJournal::InstallJournal(const fs::path& game) : game_(game), folder_(originalsFolder(game)) {}

std::string InstallJournal::add(const fs::path& target, const std::vector<ByteView>& pieces)
{
    Entry entry{target, {}, std::make_unique<SaveFile>(target)};
    entry.save->write(pieces);
    for (auto piece : pieces)
        entry.hash.add(piece);
    entry.save->finish();
    entries_.push_back(std::move(entry));
    return entries_.back().hash.text();
}

void InstallJournal::commit()
{
    std::vector<JournalEntry> lines;
    for (const auto& entry : entries_)
        lines.push_back({toText(entry.target.filename()), entry.hash.size(), entry.hash.text()});
    auto journal = folder_ / names::kInstallJournal;
    saveFile(journal, journalBytes(lines));
    // From here on the copies are the journal's: a failure leaves them for
    // the next run to put in place.
    for (auto& entry : entries_)
        entry.save->keepCopy();
    for (auto& entry : entries_)
        entry.save->replace();
    removeEntry(journal);
    syncFolder(journal);
}

std::optional<std::string> settleInstall(const std::string& gameDir)
{
    auto game = toPath(gameDir);
    auto folder = originalsFolder(game);
    auto journal = folder / names::kInstallJournal;
    std::error_code error;
    auto status = fs::symlink_status(journal, error);
    if (!fs::exists(status)) {
        for (const auto& copy : scratchCopies(game, folder))
            removeEntry(copy);
        return std::nullopt;
    }
    if (!fs::is_regular_file(status))
        damaged("it is not a plain file");
    auto bytes = readFile(journal, kMaxJournalSize);
    auto entries = parseJournal(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    std::vector<const JournalEntry*> pending;
    for (const auto& entry : entries) {
        auto target = targetOf(game, folder, entry.name);
        if (holds(scratchPath(target), entry))
            pending.push_back(&entry);
        else if (!holds(target, entry))
            damaged(entry.name + " holds neither the new file it names nor a finished copy of it");
    }
    for (const auto* entry : pending) {
        auto target = targetOf(game, folder, entry->name);
        replaceWithCopy(scratchPath(target), target);
    }
    removeEntry(journal);
    syncFolder(journal);
    for (const auto& copy : scratchCopies(game, folder))
        removeEntry(copy);
    return std::string(kInstallFinished);
}

void checkJournal(ByteView bytes)
{
    parseJournal(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void clearInstall(const fs::path& game)
{
    auto folder = originalsFolder(game);
    for (const auto& copy : scratchCopies(game, folder))
        removeEntry(copy);
    removeEntry(folder / names::kInstallJournal);
}

}
