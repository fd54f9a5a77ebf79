#include "compiler/compile.h"
#include "common/file_names.h"

#include "common/bytes.h"
#include "common/error.h"
#include "common/save_file.h"
#include "common/text.h"
#include "common/unified_diff.h"
#include "compiler/game_files.h"
#include "compiler/game_originals.h"
#include "compiler/install_journal.h"
#include "archive/mix_writer.h"
#include "compiler/rules_check.h"
#include "compiler/rules_writer.h"
#include "stock/records.h"
#include "general/groups.h"
#include "general/section_writers.h"
#include "project/encoder.h"
#include "project/working_file.h"
#include "stock/object_fields.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <memory>

namespace qx::compiler {
namespace {

using archive::kMaxMemberName;
using archive::nameHash;

struct LoadedProject {
    ByteView file;
    project::Directory directory;

    ByteView block(std::size_t index) const { return project::entryBlock(file, directory, index); }
};

LoadedProject loadProject(ByteView file)
{
    return {file, project::parseDirectory(file)};
}

// The archive member a graphics part of an object is packed as.
std::string memberName(const std::string& internalName, const KindFacts& facts, std::size_t shp)
{
    return (internalName + facts.shpSuffixes[shp]).substr(0, kMaxMemberName);
}

// Units, projectiles and buildings name their graphics by an internal name;
// the game finds them by the identifiers of the member names. Nothing for
// other kinds.
struct Naming {
    std::string name;  // in lower case: the game compares names without case
    std::vector<std::uint32_t> members;
};

std::optional<Naming> namingOf(const project::DirectoryEntry& entry, ByteView block)
{
    const auto* facts = factsOf(entry.kind);
    if (!objects::objectTable(entry.kind) || !facts->shpParts())
        return std::nullopt;
    auto record = records::unpack(entry.kind, block);
    Naming naming{lowerCase(record.text("internalName")), {}};
    if (record.hasGraphics()) {
        for (std::size_t i = 0; i < facts->shpParts(); ++i)
            naming.members.push_back(nameHash(memberName(record.text("internalName"), *facts, i)));
    }
    return naming;
}

// The earlier entries whose names or members a later one takes.
class NameOwners {
public:
    // The first earlier owner of what entry j would take, if any; then j
    // owns whatever is still free.
    std::optional<std::size_t> claim(std::size_t j, const Naming& naming)
    {
        std::optional<std::size_t> owner;
        auto note = [&](auto& owners, const auto& key) {
            auto [at, fresh] = owners.try_emplace(key, j);
            if (!fresh && at->second != j)
                owner = std::min(owner.value_or(at->second), at->second);
        };
        note(names_, naming.name);
        for (auto id : naming.members)
            note(members_, id);
        return owner;
    }

private:
    std::unordered_map<std::string, std::size_t> names_;
    std::unordered_map<std::uint32_t, std::size_t> members_;
};

// Each later entry that redefines an earlier one (same kind and name), or
// shares its internal name (in any letter case) or an archive identifier,
// gives one line. The lines stand in the order of the first such earlier
// entry, then of the later one, a redefinition before a shared name.
std::vector<std::string> clashes(const LoadedProject& project)
{
    const auto& entries = project.directory.entries;
    struct Clash {
        std::size_t first;
        std::size_t later;
        bool sharedName;
        std::string line;
    };
    std::vector<Clash> found;
    std::unordered_map<std::string, std::size_t> firstDefined;
    NameOwners owners;
    for (std::size_t j = 0; j < entries.size(); ++j) {
        auto number = " (" + std::to_string(j + 1) + ")";
        auto defined = std::to_string(byteOf(entries[j].kind)) + ":" + entries[j].name;
        if (auto [at, fresh] = firstDefined.try_emplace(defined, j); !fresh && entries[j].kind != EntryKind::RulesText)
            found.push_back({at->second, j, false, "Warning: Values for " + entries[j].name + number + " redefined!"});
        auto naming = namingOf(entries[j], project.block(j));
        if (!naming || naming->name.empty())
            continue;
        if (auto owner = owners.claim(j, *naming))
            found.push_back({*owner, j, true, "Error: Choose another internal name for " + entries[j].name + number});
    }
    std::sort(found.begin(), found.end(), [](const Clash& a, const Clash& b) {
        return std::tie(a.first, a.later, a.sharedName) < std::tie(b.first, b.later, b.sharedName);
    });
    std::vector<std::string> lines;
    for (auto& clash : found)
        lines.push_back(std::move(clash.line));
    return lines;
}

class OutputBuilder {
public:
    // A shared archive refers to the graphics in the project file instead of
    // copying them; the file must then outlive it.
    explicit OutputBuilder(bool shared) : shared_(shared) {}

    void addEntry(const project::DirectoryEntry& entry, std::size_t number, ByteView block)
    {
        auto who = entry.name + " (" + std::to_string(number + 1) + "): ";
        if (objects::objectTable(entry.kind)) {
            addObject(records::unpack(entry.kind, block), block, who);
        } else if (general::groupOfKind(entry.kind)) {
            auto record = general::unpackGroup(entry.kind, block);
            note("Warning: ", who, general::playFaults(record));
            general::writeGroup(rules, record);
        } else if (entry.kind == EntryKind::RulesText) {
            auto text = textOf(block);
            note("Error: ", who, rulesTextRefusals(text, ""));
            texts_.emplace_back(stock::splitRulesLines(text));
        }
    }

    // Rules text changes what every other entry wrote, in project order.
    void applyTexts()
    {
        for (const auto& text : texts_)
            rules.apply(text);
    }

    EditedRules rules{stock::stockRulesText()};
    MixArchive archive;
    // Values the game would not read as they are stored: warnings, and
    // lines it would cut: errors; in the form of the warnings list.
    std::vector<std::string> faults;
    std::size_t lookupFailures = 0;

private:
    void note(const char* level, const std::string& who, const std::vector<std::string>& found)
    {
        for (const auto& fault : found)
            faults.push_back(level + who + fault);
    }

    void addObject(const records::ObjectRecord& record, ByteView block, const std::string& who)
    {
        auto section = objectSection(record, stock_);
        lookupFailures += section.lookupFailed ? 1 : 0;
        note("Warning: ", who, playFaults(record));
        note("Error: ", who, lineFaults(section, record.kind));
        rules.replace(section);
        if (!record.hasGraphics())
            return;
        const auto* facts = factsOf(record.kind);
        auto parts = records::partsOf(record, block);
        auto name = record.text("internalName");
        for (std::size_t i = 0; i < facts->shpParts(); ++i) {
            auto shp = parts.at(facts->pictureParts + i);
            auto member = memberName(name, *facts, i);
            if (shared_)
                archive.addShared(member, shp);
            else
                archive.add(member, Bytes(shp.begin(), shp.end()));
        }
    }

    bool shared_;
    StockRecords stock_;
    std::vector<stock::RulesText> texts_;
};

bool decide(const std::vector<std::string>& lines, CompileReporter& reporter)
{
    if (lines.empty())
        return true;
    bool errors = std::any_of(lines.begin(), lines.end(), [](const auto& line) { return line.starts_with('E'); });
    if (!errors)
        return reporter.confirm("An error has occurred\rDo you want to continue?");
    reporter.warning("Cannot compile Project");
    reporter.error("An error has occurred\rCannot compile project!");
    return false;
}

// What a compile builds before it decides: the outputs and what the
// game would not read as stored.
struct Built {
    Outputs outputs;
    std::vector<std::string> faults;
    std::size_t lookupFailures = 0;
};

bool check(const LoadedProject& project, std::size_t listLines, const Built& built, CompileReporter& reporter)
{
    if (project.directory.entries.size() != listLines) {
        reporter.warning("Cannot compile Project");
        reporter.error("Fatal Error\rCannot compile project!");
        return false;
    }
    auto lines = clashes(project);
    lines.insert(lines.end(), built.faults.begin(), built.faults.end());
    for (const auto& line : lines)
        reporter.warning(line);
    if (!decide(lines, reporter))
        return false;
    for (std::size_t i = 0; i < built.lookupFailures; ++i)
        reporter.error("Internal Error #10");
    return true;
}

void reportInstalled(const Outputs& outputs, CompileReporter& reporter)
{
    if (outputs.archive.empty())
        reporter.information("No graphics to compile.");
    else
        reporter.information("Graphics compilation successful!");
    reporter.information("RulesINI compilation successful!");
}

// The game directory never holds files of two compiles: every output is
// written completely before any of them replaces its target, under an
// install journal that lets the next run finish what a kill interrupted;
// the game's own files are kept before the first of them is replaced.
void install(const Outputs& outputs, Bytes& file, const CompilePaths& paths, CompileReporter& reporter)
{
    auto game = toPath(paths.gameDir);
    removeIfExists(game / names::kOldArchiveScratch1);
    removeIfExists(game / names::kOldArchiveScratch2);
    auto text = rulesFileText(outputs.rules);
    const std::vector<ByteView> rules{ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())};
    const auto index = outputs.archive.index();
    const auto archive = outputs.archive.pieces(index);
    GameOriginals originals(paths.gameDir);
    InstallJournal journal(game);
    std::vector<Replacement> replacements;
    // Without graphics an earlier compile's archive goes, kept first like
    // any file a compile replaces, so that the game loads only the project.
    const auto archivePath = originals.target(names::kArchive);
    std::error_code error;
    bool staleArchive = outputs.archive.empty() && fs::exists(fs::symlink_status(archivePath, error));
    if (!outputs.archive.empty())
        replacements.push_back({names::kArchive, journal.add(archivePath, archive)});
    else if (staleArchive)
        replacements.push_back({names::kArchive, kNoFile});
    replacements.push_back({names::kRules, journal.add(originals.target(names::kRules), rules)});
    if (!paths.workingDir.empty()) {
        removeIfExists(paths.workingDir / names::kWorkingArchive);
        if (!outputs.archive.empty())
            saveFile(paths.workingDir / names::kWorkingArchive, archive);
        saveFile(paths.workingDir / names::kWorkingRules, rules);
    }
    const auto manifest = originals.keep(replacements);
    // Written, the archive no longer refers into the plain file.
    encoder::code(file, 0, encoder::blockKey());
    journal.add(game / names::kCompiledProject, {file});
    journal.add(originals.manifestPath(), {manifest});
    journal.commit();
    if (staleArchive)
        removeIfExists(archivePath);
    reportInstalled(outputs, reporter);
}

Built build(const LoadedProject& project, bool shared)
{
    OutputBuilder builder(shared);
    for (std::size_t i = 0; i < project.directory.entries.size(); ++i)
        builder.addEntry(project.directory.entries[i], i, project.block(i));
    builder.applyTexts();
    return {{builder.rules.lines(), std::move(builder.archive)}, std::move(builder.faults), builder.lookupFailures};
}

}

const char* kindName(Finding::Kind kind)
{
    switch (kind) {
    case Finding::Kind::Warning: return "warning";
    case Finding::Kind::Error: return "error";
    case Finding::Kind::Information: return "information";
    case Finding::Kind::Question: break;
    }
    return "question";
}

Outputs buildOutputs(ByteView file)
{
    return std::move(build(loadProject(file), false).outputs);
}

CompileOutcome compileProject(const CompilePaths& paths, std::size_t listLines, CompileReporter& reporter)
{
    return compileProject(readFile(paths.projectFile, project::kMaxProjectSize), paths, listLines, reporter);
}

namespace {

// An interrupted install is finished before anything else is done.
void settle(const std::string& gameDir, CompileReporter& reporter)
{
    requireGameDir(gameDir);
    if (auto settled = settleInstall(gameDir))
        reporter.information(*settled);
}

}

CompileOutcome compileProject(Bytes file, const CompilePaths& paths, std::size_t listLines, CompileReporter& reporter)
{
    settle(paths.gameDir, reporter);
    auto project = loadProject(file);
    auto built = build(project, true);
    if (!check(project, listLines, built, reporter))
        return CompileOutcome::Stopped;
    install(built.outputs, file, paths, reporter);
    return CompileOutcome::RulesInstalled;
}

std::optional<Preview> previewCompile(ByteView file, const std::string& gameDir, std::size_t listLines,
                                      CompileReporter& reporter)
{
    settle(gameDir, reporter);
    auto project = loadProject(file);
    auto built = build(project, true);
    if (!check(project, listLines, built, reporter))
        return std::nullopt;
    const auto& outputs = built.outputs;
    reportInstalled(outputs, reporter);
    for (const auto& line : expansionOverrides(outputs.rules, gameDir))
        reporter.warning(line);
    if (auto note = ownRulesNote(gameDir))
        reporter.information(*note);
    auto installed = GameOriginals(gameDir).target(names::kRules);
    std::error_code error;
    std::string beforeText;
    if (fs::exists(installed, error)) {
        auto bytes = readFile(installed);
        beforeText.assign(bytes.begin(), bytes.end());
    } else {
        beforeText = rulesFileText(stockRules());
    }
    Preview preview{unifiedDiff(beforeText, rulesFileText(outputs.rules), names::kRules), {}};
    for (const auto& member : outputs.archive.members())
        preview.members.push_back({member.name, member.content().size()});
    return preview;
}

std::string previewText(const Preview& preview)
{
    auto text = preview.rulesDiff;
    for (const auto& member : preview.members)
        text += member.name + " " + std::to_string(member.size) + "\n";
    return text;
}

}
