#pragma once

#include "common/file_io.h"

#include <optional>
#include <string>

namespace qx::library {

// The two codes of SHP frame data. Each reads a whole packed block and
// writes exactly one frame; what does not fit the block or the frame is
// damage, told in the returned text.

// Unpacks an LCW block into out, which holds the frame's size; the
// fault, if any ("a copy reaches 12 bytes back from byte 4").
std::optional<std::string> unpackLcw(ByteView packed, std::span<std::uint8_t> out);

// Packs a frame as one LCW block, with runs and copies, ended by 0x80.
Bytes packLcw(ByteView frame);

// Applies an XOR delta to the frame in place; the fault, if any.
std::optional<std::string> applyXorDelta(ByteView delta, std::span<std::uint8_t> frame);

}
