#include "archive/game_archives.h"
#include "common/cp1252.h"
#include "common/save_file.h"
#include "common/text.h"
#include "tool/tool_commands.h"

namespace qx::tool {
namespace {

const char* formName(archive::IndexForm form)
{
    switch (form) {
    case archive::IndexForm::Plain: return "plain";
    case archive::IndexForm::Extended: return "extended";
    case archive::IndexForm::Encrypted: break;
    }
    return "encrypted";
}

// "ARCHIVE [--game-dir DIR]" at the end of the arguments, after skip.
archive::MixReader archiveOf(const std::vector<std::string>& args, std::size_t at)
{
    std::optional<fs::path> gameDir;
    if (args.size() == at + 3 && args[at + 1] == "--game-dir")
        gameDir = toPath(args[at + 2]);
    else if (args.size() != at + 1)
        wrongArguments(args);
    return archive::openArchivePath(args[at], gameDir);
}

int listMembers(const archive::MixReader& reader, std::ostream& out)
{
    archive::MemberNames names(reader);
    for (const auto& member : reader.members()) {
        auto name = names.of(member);
        out << oneLine(cp1252ToUtf8(name)) << ' ' << archive::idText(member.id) << ' ' << member.size << ' '
            << archive::kindOf(reader, member, name).text() << '\n';
    }
    return 0;
}

int infoOf(const archive::MixReader& reader, std::ostream& out)
{
    auto digest = reader.digestMatches();
    out << "index: " << formName(reader.form()) << "\nflags: " << reader.flags() << "\nmembers: " << reader.members().size()
        << "\nbody: " << reader.bodySize() << " bytes from byte " << reader.bodyStart() << "\ndigest: "
        << (!digest ? "none" : *digest ? "matches the body" : "does not match the body: the game refuses this archive")
        << '\n';
    return 0;
}

// Every member, or those named, into the folder, each under its name.
int extractMembers(const archive::MixReader& reader, const fs::path& folder, const std::vector<std::string>& wanted,
                   std::ostream& out)
{
    archive::MemberNames names(reader);
    std::vector<const archive::MixMember*> chosen;
    for (const auto& name : wanted) {
        const auto* member = archive::memberNamed(reader, name);
        if (!member)
            throw Error(reader.name() + " has no member " + name + ".");
        chosen.push_back(member);
    }
    if (wanted.empty()) {
        for (const auto& member : reader.members())
            chosen.push_back(&member);
    }
    fs::create_directories(folder);
    for (const auto* member : chosen) {
        auto file = archive::safeFileName(names.of(*member), member->id);
        saveFile(folder / toPath(cp1252ToUtf8(file)), reader.read(*member));
        out << oneLine(cp1252ToUtf8(file)) << '\n';
    }
    return 0;
}

}

int mixCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    if (args.size() < 3)
        wrongArguments(args);
    if (args[1] == "list")
        return listMembers(archiveOf(args, 2), out);
    if (args[1] == "info")
        return infoOf(archiveOf(args, 2), out);
    if (args[1] != "extract" || args.size() < 4)
        wrongArguments(args);
    auto reader = archive::openArchivePath(args[2], std::nullopt);
    return extractMembers(reader, toPath(args[3]), {args.begin() + 4, args.end()}, out);
}

}
