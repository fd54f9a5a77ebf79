#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace qx {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

// Paths travel through the program as UTF-8 text.
fs::path toPath(const std::string& utf8);
std::string toText(const fs::path& path);

// Reads a whole file; refuses files larger than maxSize before allocating.
Bytes readFile(const fs::path& path, std::uint64_t maxSize = UINT64_MAX);

// Reads at most count bytes from the start of a file.
Bytes readFileHead(const fs::path& path, std::size_t count);

// Writes a complete new copy beside the file, then renames it over the file.
void writeFileAtomic(const fs::path& path, ByteView bytes);

// Writes to a scratch path, then renames the scratch file over target.
void writeViaScratch(const fs::path& scratch, const fs::path& target, ByteView bytes);

void renameOver(const fs::path& from, const fs::path& to);
void removeIfExists(const fs::path& path);
std::string systemMessage(const std::string& what, const fs::path& path);

}
