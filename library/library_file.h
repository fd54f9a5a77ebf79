#pragma once

#include "library/image.h"
#include "library/palette.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx::library {

constexpr std::size_t kLibraryHeadSize = 64;
constexpr std::size_t kMaxLibraryImages = 255;

enum class LibraryKind : std::uint8_t { Icon = 1, Unit = 2, Projectile = 3, Building = 4 };

// The kind of a kind byte: 1 to 4, or 11 to 14 for the same kinds.
std::optional<LibraryKind> kindOf(std::uint8_t kindByte);

struct LibraryHead {
    std::uint8_t kindByte = 0;
    bool valid = false;  // version 1, the signature "VKL" and a known kind
    std::string title;   // Windows-1252
    std::uint8_t count = 0;
    std::uint32_t dataSize = 0;
};

LibraryHead parseHead(ByteView head);

// "Unit VKL:  " and the title, or "No Valid VKL".
std::string listLine(const LibraryHead& head);

// The decoded first 64 bytes, or the whole file decoded; a file coded with
// another seed than the program's is decoded with the seed its known bytes
// give away.
Bytes readHead(const fs::path& path);
Bytes decodeLibrary(Bytes coded);

struct TableEntry {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// One preview's image-list stream, found but not yet decoded.
struct PreviewStream {
    std::size_t offset = 0;
    std::size_t length = 0;
    int width = 16;
    int height = 16;
    int count = 0;
};

// A decoded library: previews are decoded only when asked for.
struct Library {
    Bytes plain;
    LibraryKind kind = LibraryKind::Unit;
    std::string title;
    std::uint32_t dataSize = 0;
    std::vector<TableEntry> table;
    std::vector<PreviewStream> previews;

    FrameList preview(std::size_t index) const;
    // The SHP data of image index (from 0).
    Bytes image(std::size_t index) const;
};

// Throws "This is not a valid Valkor Library!" for a wrong version,
// signature or kind, and a message naming the damage for a broken file:
// a table, preview or image that does not lie inside the file where it must.
Library parseLibrary(Bytes plain);

// Throws "File does not exist!" for a missing file.
Library openLibrary(const fs::path& path);

// The plain layout of a library; the maker encodes it.
struct LibraryImage {
    Bytes shp;
    FrameList preview;  // for an icon library: one frame, the icon
};
Bytes buildLibrary(LibraryKind kind, const std::string& title, const std::vector<LibraryImage>& images);

// An SHP file as a library image, its previews the SHP's own frames in the
// palette, as the game draws them (an icon library takes the first frame as
// the icon). Throws for a damaged SHP, one without frames, or frames too
// many or too large for the previews.
LibraryImage imageFromShp(Bytes shp, const std::string& name, const Palette& palette, LibraryKind kind);

// What the library browser's "New Library..." asks for.
struct ShpLibraryRequest {
    LibraryKind kind = LibraryKind::Unit;
    std::string title;  // UTF-8
    std::vector<std::string> shpFiles;
    std::string palette;
};

// The coded library of the SHP files, their previews in the palette;
// throws for a title the library cannot hold and for any file that cannot
// be read, naming it.
Bytes makeShpLibrary(const ShpLibraryRequest& request);

// The title as a file name in any system: characters no file name may hold
// become "_"; ".vkl" is added.
std::string libraryFileName(const std::string& title);

}
