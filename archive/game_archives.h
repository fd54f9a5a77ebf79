#pragma once

#include "archive/mix_names.h"
#include "archive/mix_reader.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::archive {

// What a member holds, as a browser and qxtool show it.
struct MemberKind {
    enum class What { Shp, Palette, Text, Archive, Other };
    What what = What::Other;
    int frames = 0;  // Shp
    int width = 0;
    int height = 0;

    // "SHP graphic, 16 frames of 24x24", "palette", "text", "archive", "other".
    std::string text() const;
};

// From the member's name where it has one and its first bytes.
MemberKind kindOf(const MixReader& archive, const MixMember& member, const std::string& name);

// The members of an archive named as archives, with their names: by name
// only, since telling by content would read every member.
std::vector<std::pair<MixMember, std::string>> namedArchives(const MixReader& archive);

// The archives of a game folder, in any letter case, sorted by name.
std::vector<fs::path> gameArchives(const fs::path& gameDir);

// The archive a path names: a file, or with a game folder an archive in it
// by its name in any letter case; after it, "/" and the name (or hex
// identifier) of a nested archive, to any depth.
MixReader openArchivePath(const std::string& path, const std::optional<fs::path>& gameDir);

// The member an archive has of a name, or of an identifier given in hex.
const MixMember* memberNamed(const MixReader& archive, const std::string& name);

// A member's name as a file name inside a folder: its name where that stays
// inside the folder, its identifier in hex otherwise.
std::string safeFileName(const std::string& name, std::uint32_t id);

}
