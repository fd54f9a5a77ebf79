#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// The kind byte of a project entry. The values are part of the project file
// format; a file may hold bytes outside the list, which no window edits.
enum class EntryKind : std::uint8_t {
    Unit = 1,
    Weapon,
    Projectile,
    Warhead,
    Building,
    Difficulty,
    Multiplayer,
    Repair,
    Crates,
    Country,
    Combat,
    Intelligence,
    Various,
    ComputerPlayer,
    SpecialWeapons,
    Recharge,
    Income,
    Terrain,
    // Lines of rules text, applied after every other entry.
    RulesText,
};

// The window that edits entries of a kind.
enum class EditedBy : std::uint8_t { Unit, Weapon, Projectile, Warhead, Building, General, RulesText };

// What a graphics part of an entry holds, and its key in the project's text form.
enum class PartForm : std::uint8_t { Picture, Frames, Shp };
struct PartFacts {
    const char* key = nullptr;
    PartForm form = PartForm::Shp;
};

struct KindFacts {
    EntryKind kind;
    // The kind's name in the project's text form.
    const char* name;
    std::size_t recordSize;
    // What the project window shows before an opened entry's name.
    const char* listPrefix;
    EditedBy editor;
    // The graphics that follow the record: stored pictures and frame lists
    // first, then the SHP files, each named internal name + suffix in the
    // archive.
    std::uint8_t pictureParts = 0;
    std::array<const char*, 3> shpSuffixes{};
    // Each graphics part, in the order of the record's sizes.
    std::array<PartFacts, 6> parts{};

    std::size_t shpParts() const;
    std::size_t graphicsParts() const { return pictureParts + shpParts(); }
};

// Nothing for a byte that names no kind.
const KindFacts* factsOf(EntryKind kind);
// Nothing for a name no kind has.
const KindFacts* factsNamed(std::string_view name);

constexpr std::uint8_t byteOf(EntryKind kind) { return static_cast<std::uint8_t>(kind); }

}
