#include "archive/game_archives.h"

#include "archive/mix_writer.h"
#include "common/bytes.h"
#include "common/error.h"
#include "common/text.h"
#include "library/shp.h"

#include <algorithm>

namespace qx::archive {
namespace {

constexpr std::size_t kPaletteSize = 768;
constexpr std::uint8_t kPaletteLargest = 63;

bool endsWith(const std::string& name, std::string_view suffix)
{
    return lowerCase(name).ends_with(suffix);
}

std::optional<MemberKind> shpKind(ByteView head, std::uint32_t size)
{
    if (head.size() < library::kShpHeadSize)
        return std::nullopt;
    int frames = u16At(head, 0);
    int width = u16At(head, 6);
    int height = u16At(head, 8);
    if (frames == 0 || width == 0 || height == 0 || width > library::kMaxShpSide || height > library::kMaxShpSide ||
        library::kShpHeadSize + library::kShpEntrySize * (std::uint64_t{static_cast<std::uint32_t>(frames)} + 2) > size)
        return std::nullopt;
    return MemberKind{MemberKind::What::Shp, frames, width, height};
}

std::optional<std::uint32_t> hexId(const std::string& text)
{
    if (text.size() != 8 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

}

std::string MemberKind::text() const
{
    switch (what) {
    case What::Shp:
        return "SHP graphic, " + std::to_string(frames) + (frames == 1 ? " frame of " : " frames of ") +
               std::to_string(width) + "x" + std::to_string(height);
    case What::Palette: return "palette";
    case What::Text: return "text";
    case What::Archive: return "archive";
    case What::Other: break;
    }
    return "other";
}

MemberKind kindOf(const MixReader& archive, const MixMember& member, const std::string& name)
{
    using What = MemberKind::What;
    if (endsWith(name, ".mix"))
        return {What::Archive};
    if (endsWith(name, ".pal"))
        return {What::Palette};
    if (endsWith(name, ".ini") || endsWith(name, ".txt"))
        return {What::Text};
    auto head = archive.read({member.id, member.offset, std::min<std::uint32_t>(member.size, kPaletteSize)});
    if (auto shp = shpKind(head, member.size))
        return *shp;
    if (member.size == kPaletteSize && std::all_of(head.begin(), head.end(), [](auto b) { return b <= kPaletteLargest; }))
        return {What::Palette};
    return {What::Other};
}

std::vector<std::pair<MixMember, std::string>> namedArchives(const MixReader& archive)
{
    std::vector<std::pair<MixMember, std::string>> found;
    MemberNames names(archive);
    for (const auto& member : archive.members()) {
        auto name = names.of(member);
        if (endsWith(name, ".mix"))
            found.emplace_back(member, name);
    }
    return found;
}

std::vector<fs::path> gameArchives(const fs::path& gameDir)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(gameDir, error)) {
        if (entry.is_regular_file(error) && endsWith(toText(entry.path().filename()), ".mix"))
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return lowerCase(toText(a.filename())) < lowerCase(toText(b.filename())); });
    return found;
}

const MixMember* memberNamed(const MixReader& archive, const std::string& name)
{
    if (const auto* named = archive.find(memberId(name)))
        return named;
    auto id = hexId(name);
    return id ? archive.find(*id) : nullptr;
}

MixReader openArchivePath(const std::string& path, const std::optional<fs::path>& gameDir)
{
    auto parts = pieces(path, '/');
    if (parts.empty())
        throw Error("No archive named.");
    // The longest start of the path that is a file is the outer archive.
    std::size_t used = parts.size();
    fs::path file;
    std::error_code error;
    if (gameDir) {
        auto archives = gameArchives(*gameDir);
        auto found = std::find_if(archives.begin(), archives.end(),
                                  [&](const fs::path& a) { return lowerCase(toText(a.filename())) == lowerCase(parts[0]); });
        if (found == archives.end())
            throw Error("The game folder " + toText(*gameDir) + " has no archive " + std::string(parts[0]) + ".");
        file = *found;
        used = 1;
    } else {
        for (; used > 0; --used) {
            std::string start;
            for (std::size_t i = 0; i < used; ++i)
                start += (i ? "/" : "") + std::string(parts[i]);
            if (fs::is_regular_file(toPath(start), error)) {
                file = toPath(start);
                break;
            }
        }
        if (used == 0)
            throw Error("Cannot open file " + path + ": No such file or directory");
    }
    MixReader reader(fileSource(file), toText(file.filename()));
    for (std::size_t i = used; i < parts.size(); ++i) {
        std::string name(parts[i]);
        const auto* member = memberNamed(reader, name);
        if (!member)
            throw Error(reader.name() + " has no member " + name + ".");
        reader = reader.nested(*member, name);
    }
    return reader;
}

std::string safeFileName(const std::string& name, std::uint32_t id)
{
    bool safe = !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos &&
                std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return safe ? name : idText(id);
}

}
