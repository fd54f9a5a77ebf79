#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
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

// Opens an ordinary file for reading. Folders, pipes and devices are refused
// before they are opened: opening a pipe would wait for a writer.
std::ifstream openInput(const fs::path& path);

// The size of an ordinary file, refusing anything else.
std::uint64_t ordinaryFileSize(const fs::path& path);

// Reads a whole file; refuses files larger than maxSize before allocating.
Bytes readFile(const fs::path& path, std::uint64_t maxSize = UINT64_MAX);

// Reads at most count bytes from the start of a file.
Bytes readFileHead(const fs::path& path, std::size_t count);

void removeIfExists(const fs::path& path);

// The entry of dir named name without regard to letter case (ASCII).
std::optional<fs::path> findCaseless(const fs::path& dir, std::string_view name);
std::string systemMessage(const std::string& what, const fs::path& path);

}
