#pragma once

#include "archive/mix_reader.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

namespace qx::archive {

// The member in which archive tools keep the names of an archive's members.
constexpr const char* kNameListMember = "local mix database.dat";

// The names an archive's own name list gives, by identifier; nothing when it
// has none. The list is a 32-byte signature, then u32 size, type, version,
// game and count, then NUL-terminated names; its counts are not trusted.
std::map<std::uint32_t, std::string> listedNames(const MixReader& archive);

// The game's file names the program knows, by identifier: every section of
// the stock rules text as a graphic, icon and build-up animation, every
// value that names a graphic, the palettes and the game's fixed files.
const std::unordered_map<std::uint32_t, std::string>& gameNames();

// Names for an archive's members: its own list first, then the game's
// names; a member without either shows its identifier in hex.
class MemberNames {
public:
    explicit MemberNames(const MixReader& archive) : listed_(listedNames(archive)) {}
    std::string of(const MixMember& member) const;

private:
    std::map<std::uint32_t, std::string> listed_;
};

}
