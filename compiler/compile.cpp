#include "compiler/compile.h"

#include "common/error.h"
#include "compiler/mix_writer.h"
#include "compiler/rules_writer.h"
#include "editors/records.h"
#include "general/section_writers.h"
#include "project/encoder.h"
#include "project/working_file.h"

#include <algorithm>

namespace qx::compiler {
namespace {

struct LoadedProject {
    ByteView file;
    project::Directory directory;

    ByteView block(std::size_t index) const
    {
        const auto& entry = directory.entries[index];
        return ByteView(file).subspan(directory.dataStart() + entry.offset, entry.size);
    }
};

LoadedProject loadProject(ByteView file)
{
    return {file, project::parseDirectory(file)};
}

bool hasGraphicsName(std::uint8_t kind)
{
    return kind == 1 || kind == 3 || kind == 5;
}

std::string internalName(std::uint8_t kind, ByteView block)
{
    switch (kind) {
    case 1: return records::unpackUnit(block).internalName;
    case 3: return records::unpackProjectile(block).internalName;
    default: return records::unpackBuilding(block).internalName;
    }
}

void addLine(std::vector<std::string>& lines, std::string line)
{
    if (std::find(lines.begin(), lines.end(), line) == lines.end())
        lines.push_back(std::move(line));
}

std::vector<std::string> clashes(const LoadedProject& project)
{
    const auto& entries = project.directory.entries;
    std::vector<std::string> names(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (hasGraphicsName(entries[i].kind))
            names[i] = internalName(entries[i].kind, project.block(i));
    }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (std::size_t j = i + 1; j < entries.size(); ++j) {
            auto number = " (" + std::to_string(j + 1) + ")";
            if (entries[i].kind == entries[j].kind && entries[i].name == entries[j].name)
                addLine(lines, "Warning: Values for " + entries[i].name + number + " redefined!");
            if (hasGraphicsName(entries[i].kind) && hasGraphicsName(entries[j].kind) && !names[i].empty() &&
                names[i] == names[j])
                addLine(lines, "Error: Choose another internal name for " + entries[j].name + number);
        }
    }
    return lines;
}

// The graphics that follow a record: skip the stored previews, then take the
// SHP parts, all within the block.
std::vector<Bytes> shpParts(ByteView block, std::size_t recordSize, std::span<const std::uint32_t> skipped,
                            std::span<const std::uint32_t> parts)
{
    std::uint64_t at = recordSize;
    for (auto size : skipped)
        at += size;
    std::vector<Bytes> result;
    for (auto size : parts) {
        if (at + size > block.size())
            throw Error("A graphics entry of the project is damaged: its graphics run past the end of its data.");
        result.emplace_back(block.begin() + static_cast<std::ptrdiff_t>(at),
                            block.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
    }
    return result;
}

class OutputBuilder {
public:
    explicit OutputBuilder(CompileReporter& reporter) : reporter_(reporter) {}

    void addEntry(std::uint8_t kind, ByteView block)
    {
        switch (kind) {
        case 1: addUnit(records::unpackUnit(block), block); break;
        case 2: merge(weaponSection(records::unpackWeapon(block))); break;
        case 3: addProjectile(records::unpackProjectile(block), block); break;
        case 4: merge(warheadSection(records::unpackWarhead(block))); break;
        case 5: addBuilding(records::unpackBuilding(block), block); break;
        default:
            if (general::groupOfKind(kind))
                general::writeGroup(rules, general::unpackGroup(kind, block));
        }
    }

    RulesLines rules = stockRules();
    MixArchive archive;

private:
    void merge(const Section& section)
    {
        if (section.lookupFailed)
            reporter_.error("Internal Error #10");
        mergeSection(rules, section);
    }

    void pack(const std::string& name, std::size_t cut, Bytes content)
    {
        archive.add(name.substr(0, cut), std::move(content));
    }

    void addUnit(const records::Unit& unit, ByteView block)
    {
        merge(unitSection(unit));
        if (unit.sizes[2] == 0)
            return;
        auto parts = shpParts(block, records::kUnitSize, std::span(unit.sizes).first(2), std::span(unit.sizes).last(2));
        pack(unit.internalName + "icon.shp", 12, std::move(parts[0]));
        pack(unit.internalName + ".shp", 8, std::move(parts[1]));
    }

    void addProjectile(const records::Projectile& projectile, ByteView block)
    {
        if (projectile.sizes[1] > 0) {
            auto parts = shpParts(block, records::kProjectileSize, std::span(projectile.sizes).first(1),
                                  std::span(projectile.sizes).last(1));
            pack(projectile.internalName + ".shp", 12, std::move(parts[0]));
        }
        merge(projectileSection(projectile));
    }

    void addBuilding(const records::Building& building, ByteView block)
    {
        merge(buildingSection(building));
        if (building.sizes[3] == 0)
            return;
        auto parts = shpParts(block, records::kBuildingSize, std::span(building.sizes).first(3),
                              std::span(building.sizes).last(3));
        pack(building.internalName + "icon.shp", 12, std::move(parts[0]));
        pack(building.internalName + "make.shp", 12, std::move(parts[1]));
        pack(building.internalName + ".shp", 8, std::move(parts[2]));
    }

    CompileReporter& reporter_;
};

bool decide(const std::vector<std::string>& lines, CompileReporter& reporter)
{
    if (lines.empty())
        return true;
    bool errors = std::any_of(lines.begin(), lines.end(), [](const auto& line) { return line.starts_with('E'); });
    if (!errors)
        return reporter.confirm("An error has occured\rDo you want to continue?");
    reporter.warning("Cannot compile Project");
    reporter.error("An error has occured\rCannot compile project!");
    return false;
}

Bytes asBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

void install(const fs::path& working, const fs::path& installed, const Bytes& bytes)
{
    writeFileAtomic(working, bytes);
    writeFileAtomic(installed, bytes);
}

Outputs build(const LoadedProject& project, CompileReporter& reporter)
{
    OutputBuilder builder(reporter);
    for (std::size_t i = 0; i < project.directory.entries.size(); ++i)
        builder.addEntry(project.directory.entries[i].kind, project.block(i));
    return {std::move(builder.rules), std::move(builder.archive)};
}

}

Outputs buildOutputs(ByteView file, CompileReporter& reporter)
{
    return build(loadProject(file), reporter);
}

CompileOutcome compileProject(const CompilePaths& paths, std::size_t listLines, CompileReporter& reporter)
{
    return compileProject(readFile(paths.projectFile, project::kMaxProjectSize), paths, listLines, reporter);
}

CompileOutcome compileProject(Bytes file, const CompilePaths& paths, std::size_t listLines, CompileReporter& reporter)
{
    auto project = loadProject(file);
    if (project.directory.entries.size() != listLines) {
        reporter.warning("Cannot compile Project");
        reporter.error("Fatal Error\rCannot compile project!");
        return CompileOutcome::Stopped;
    }
    auto lines = clashes(project);
    for (const auto& line : lines)
        reporter.warning(line);
    if (!decide(lines, reporter))
        return CompileOutcome::Stopped;

    removeIfExists(paths.workingDir / "new.mix");
    auto outputs = build(project, reporter);

    auto game = toPath(paths.gameDir);
    removeIfExists(game / "tmpshp1.tmp");
    removeIfExists(game / "tmpshp2.tmp");
    writeFileAtomic(game / "curqxp.set", encoder::coded(file));
    if (outputs.archive.empty()) {
        reporter.error("Graphics compilation error!");
    } else {
        install(paths.workingDir / "new.mix", game / "sc-qx.mix", outputs.archive.bytes());
        reporter.information("Graphics compilation successful!");
    }
    install(paths.workingDir / "rules.ini", game / "rules.ini", asBytes(rulesFileText(outputs.rules)));
    reporter.information("RulesINI compilation successful!");
    return CompileOutcome::RulesInstalled;
}

}
