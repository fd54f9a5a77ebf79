#pragma once

#include "common/file_io.h"
#include "project/entry_kind.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx::project {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kEntrySize = 112;
constexpr std::size_t kMaxNameLength = 100;
constexpr std::size_t kMaxEntries = 65535;
// Far larger than any real project; a bigger file is refused before it is read.
constexpr std::uint64_t kMaxProjectSize = std::uint64_t{1} << 32;

// One directory entry. Names are 8-bit text (Windows-1252), kept as bytes.
struct DirectoryEntry {
    EntryKind kind{};
    std::string name;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

struct Directory {
    std::uint8_t reserved = 0;
    std::vector<DirectoryEntry> entries;
    std::uint64_t dataStart() const { return kHeaderSize + entries.size() * kEntrySize; }
    // The blocks follow each other, so their sizes add up to the data area.
    std::uint64_t dataSize() const
    {
        return entries.empty() ? 0 : std::uint64_t{entries.back().offset} + entries.back().size;
    }
};

// An entry as an editor saves it: the fixed record, then the appended parts.
struct NewEntry {
    EntryKind kind{};
    std::string name;
    Bytes record;
    std::vector<Bytes> parts;
};

// A loaded entry: its kind, name and data block.
struct Entry {
    EntryKind kind{};
    std::string name;
    Bytes data;
};

// Version byte 1 and the magic "QXP" as a short string.
bool headerIsValid(ByteView header);

// Parses the header and directory of a whole working file and checks that the
// blocks follow each other and end with the file. Throws on a damaged file.
Directory parseDirectory(ByteView file);
// The data block of entry index of a file that parseDirectory accepted.
ByteView entryBlock(ByteView file, const Directory& directory, std::size_t index);
Directory readDirectory(const fs::path& path);

void createEmpty(const fs::path& path);

// The 112 bytes a directory entry is written as.
Bytes entryBytes(const DirectoryEntry& entry);

// A whole working file built in memory: header, directory and the blocks.
Bytes buildWorkingFile(std::uint8_t reserved, const std::vector<Entry>& entries);

// A working file in memory with the entry appended; the directory's bytes
// stay as they were.
Bytes appendedWorkingFile(ByteView file, const NewEntry& entry);

// Both write the new copy under scratch and rename it over path at the end,
// passing over the data area once.
void append(const fs::path& path, const fs::path& scratch, const NewEntry& entry);
void remove(const fs::path& path, const fs::path& scratch, std::size_t index);

Entry readEntry(const fs::path& path, std::size_t index);

// The list line an open builds from a directory entry; a rules-text entry
// also counts the lines and sections of its block.
std::string openedListLine(EntryKind kind, const std::string& name);
std::string openedListLine(EntryKind kind, const std::string& name, ByteView block);
// Of a working file in memory that parseDirectory accepted, and of one on
// disk (only rules-text blocks are read).
std::vector<std::string> openedListLines(ByteView file, const Directory& directory);
std::vector<std::string> openedListLines(const fs::path& path);

}
