#pragma once

#include "common/file_io.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::library {

// The game's SHP graphics: a 14-byte head, a table of the frames' data and
// the frames, LCW-packed key frames or XOR deltas over them.
constexpr std::size_t kShpHeadSize = 14;
constexpr std::size_t kShpEntrySize = 8;
constexpr std::size_t kShpPaletteSize = 768;
constexpr int kMaxShpSide = 4096;
// All frames unpacked together.
constexpr std::uint64_t kMaxShpBytes = 256u << 20;
// The table's offsets have 24 bits.
constexpr std::uint32_t kMaxShpFileSize = 0xFFFFFF;
// A file read as an SHP: its frames, a palette and room to spare.
constexpr std::uint64_t kMaxShpFileBytes = 64u << 20;

// The game keeps a frame's pixel count in 16 bits and builds frames in a
// buffer of 131,072 bytes: a frame of more pixels comes out cut or garbled.
constexpr std::int64_t kMaxPlayablePixels = 65535;

// Why the game cannot draw frames of this size, naming the file; nothing
// when it can.
std::optional<std::string> unplayableFrame(int width, int height, const std::string& name);
// The same as an error.
void requirePlayableFrame(int width, int height, const std::string& name);

enum class ShpFrameKind : std::uint8_t { Key = 0x80, KeyDelta = 0x40, Delta = 0x20 };

const char* frameKindName(ShpFrameKind kind);

struct Shp {
    int width = 0;
    int height = 0;
    std::vector<ShpFrameKind> kinds;
    // width x height palette indices each, row by row from the top; 0 is
    // transparent.
    std::vector<Bytes> frames;
};

// Throws "NAME is not a valid SHP file: REASON." for anything that leads
// outside the file or a frame, and refuses frames larger than 4096 x 4096 or
// more than 256 MiB in all before it allocates them.
Shp readShp(ByteView file, const std::string& name);

// Key frames, each one LCW block; flags 0. Throws for frames that differ in
// size from width x height, are too large, or a file past 16 MiB.
Bytes writeShp(int width, int height, const std::vector<Bytes>& frames);

}
