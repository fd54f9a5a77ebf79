#pragma once

#include "common/file_io.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qx::encoder {

// The seed is part of every coded file's format: changing it makes all
// settings files, packages and libraries written so far unreadable.
constexpr std::uint16_t kSeed = 20824;
constexpr std::size_t kBlockSize = 1024;

using BlockKey = std::array<std::uint8_t, kBlockSize>;

// Told after each chunk of a coding run; a window uses it to stay responsive.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void advanced(std::uint64_t done, std::uint64_t total) = 0;
};

BlockKey blockKey(std::uint32_t seed = kSeed);

// Codes bytes that start at filePosition of a coded file. Coding twice gives
// the bytes back.
void code(std::span<std::uint8_t> data, std::uint64_t filePosition, const BlockKey& key);
Bytes coded(ByteView data, std::uint32_t seed = kSeed);

// Encode or decode an ordinary file into destination (the same
// operation). The destination is written beside and renamed into place.
void codeFile(const fs::path& source, const fs::path& destination, Progress* progress = nullptr);

// Finds a seed below 65536 under which the coded bytes (the start of a file)
// decode to plain at the given position; the program's own seed is tried
// first.
std::optional<std::uint16_t> recoverSeed(ByteView coded, ByteView plain, std::size_t position = 0);

}
