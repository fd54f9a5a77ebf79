#include "project/working_file.h"

#include "common/bytes.h"
#include "common/error.h"
#include "common/rules_line.h"
#include "common/save_file.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace qx::project {

// file holds at least header and directory; fileSize is the whole file's size.
Directory parseDirectory(ByteView file, std::uint64_t fileSize);

namespace {

constexpr std::size_t kCopyChunk = 1 << 20;
constexpr std::size_t kOffsetField = 104;
constexpr std::size_t kSizeField = 108;

const std::array<std::uint8_t, 5> kMagic{0x01, 0x03, 'Q', 'X', 'P'};

Error damaged(const std::string& detail)
{
    return Error("The project is damaged: " + detail);
}

Bytes headerBytes(const Directory& directory, std::size_t count)
{
    Bytes header(kMagic.begin(), kMagic.end());
    header.push_back(directory.reserved);
    header.push_back(static_cast<std::uint8_t>(count));
    header.push_back(static_cast<std::uint8_t>(count >> 8));
    return header;
}

void putEntry(Bytes& out, const DirectoryEntry& entry)
{
    auto bytes = entryBytes(entry);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

DirectoryEntry entryAt(ByteView file, std::size_t index)
{
    auto at = kHeaderSize + index * kEntrySize;
    DirectoryEntry entry;
    entry.kind = static_cast<EntryKind>(file[at]);
    entry.name = shortTextAt(file, at + 1, kMaxNameLength);
    entry.offset = u32At(file, at + kOffsetField);
    entry.size = u32At(file, at + kSizeField);
    return entry;
}

// The directory entry of a new last entry, refused when the project cannot
// hold it.
DirectoryEntry appendedEntry(const Directory& directory, const NewEntry& entry)
{
    if (directory.entries.size() >= kMaxEntries)
        throw Error("The project is full: it cannot hold more than 65535 entries.");
    std::uint64_t blockSize = entry.record.size();
    for (const auto& part : entry.parts)
        blockSize += part.size();
    if (directory.dataSize() + blockSize > UINT32_MAX)
        throw Error("The project is too large: its data cannot pass 4 GiB.");
    return {entry.kind, entry.name, static_cast<std::uint32_t>(directory.dataSize()),
            static_cast<std::uint32_t>(blockSize)};
}

// Reads exactly the header and directory, checked against the file's size.
Directory loadDirectory(std::ifstream& in, const fs::path& path)
{
    auto size = ordinaryFileSize(path);
    Bytes head(kHeaderSize);
    in.read(reinterpret_cast<char*>(head.data()), kHeaderSize);
    if (size < kHeaderSize || !in)
        throw Error("This is not a valid Quarvex project!");
    std::size_t count = head[6] | head[7] << 8;
    if (size < kHeaderSize + count * kEntrySize)
        throw damaged("the directory of " + std::to_string(count) + " entries runs past the end of the file");
    Bytes file(kHeaderSize + count * kEntrySize);
    std::copy(head.begin(), head.end(), file.begin());
    in.read(reinterpret_cast<char*>(file.data() + kHeaderSize), static_cast<std::streamsize>(count * kEntrySize));
    if (!in)
        throw Error("Cannot read file " + toText(path));
    return parseDirectory(file, size);
}

// The directory was checked against the file's size.
Bytes readBlock(std::ifstream& in, const fs::path& path, const Directory& directory, const DirectoryEntry& entry)
{
    Bytes block(entry.size);
    in.seekg(static_cast<std::streamoff>(directory.dataStart() + entry.offset));
    in.read(reinterpret_cast<char*>(block.data()), entry.size);
    if (static_cast<std::uint64_t>(in.gcount()) != entry.size)
        throw Error("Cannot read file " + toText(path));
    return block;
}

void copyBytes(std::ifstream& in, SaveFile& out, std::uint64_t count)
{
    Bytes buffer(static_cast<std::size_t>(std::min<std::uint64_t>(count, kCopyChunk)));
    while (count > 0) {
        auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, buffer.size()));
        in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(n));
        if (static_cast<std::size_t>(in.gcount()) != n)
            throw Error("Cannot read the project working file");
        out.write(ByteView(buffer).first(n));
        count -= n;
    }
}

// Writes the new copy through fill, then renames it over path; a failure
// leaves path as it was and removes the scratch file.
template <typename Fill>
void rewrite(const fs::path& path, const fs::path& scratch, Fill fill)
{
    auto in = openInput(path);
    SaveFile out(scratch, path);
    fill(in, out);
    in.close();
    out.commit();
}

}

Bytes entryBytes(const DirectoryEntry& entry)
{
    Bytes bytes(kEntrySize);
    bytes[0] = byteOf(entry.kind);
    putShortText(bytes, 1, kMaxNameLength, entry.name);
    putU32(bytes, kOffsetField, entry.offset);
    putU32(bytes, kSizeField, entry.size);
    return bytes;
}

Bytes buildWorkingFile(std::uint8_t reserved, const std::vector<Entry>& entries)
{
    if (entries.size() > kMaxEntries)
        throw Error("A project holds at most " + std::to_string(kMaxEntries) + " entries.");
    Directory directory{reserved, {}};
    Bytes file = headerBytes(directory, entries.size());
    std::uint64_t offset = 0;
    for (const auto& entry : entries) {
        if (offset + entry.data.size() > UINT32_MAX)
            throw Error("The project would be larger than a project file can hold.");
        putEntry(file, {entry.kind, entry.name, static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(entry.data.size())});
        offset += entry.data.size();
    }
    for (const auto& entry : entries)
        file.insert(file.end(), entry.data.begin(), entry.data.end());
    return file;
}

Bytes appendedWorkingFile(ByteView file, const NewEntry& entry)
{
    auto directory = parseDirectory(file);
    auto added = appendedEntry(directory, entry);
    Bytes out = headerBytes(directory, directory.entries.size() + 1);
    auto start = static_cast<std::ptrdiff_t>(directory.dataStart());
    out.insert(out.end(), file.begin() + kHeaderSize, file.begin() + start);
    putEntry(out, added);
    out.insert(out.end(), file.begin() + start, file.end());
    out.insert(out.end(), entry.record.begin(), entry.record.end());
    for (const auto& part : entry.parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

bool headerIsValid(ByteView header)
{
    return header.size() >= kHeaderSize && std::equal(kMagic.begin(), kMagic.end(), header.begin());
}

Directory parseDirectory(ByteView file)
{
    return parseDirectory(file, file.size());
}

ByteView entryBlock(ByteView file, const Directory& directory, std::size_t index)
{
    const auto& entry = directory.entries.at(index);
    return file.subspan(directory.dataStart() + entry.offset, entry.size);
}

Directory parseDirectory(ByteView file, std::uint64_t fileSize)
{
    if (!headerIsValid(file))
        throw Error("This is not a valid Quarvex project!");
    std::size_t count = file[6] | file[7] << 8;
    if (file.size() < kHeaderSize + count * kEntrySize)
        throw damaged("the directory of " + std::to_string(count) + " entries runs past the end of the file");
    Directory directory;
    directory.reserved = file[5];
    std::uint64_t expected = 0;
    for (std::size_t i = 0; i < count; ++i) {
        auto entry = entryAt(file, i);
        if (entry.offset != expected)
            throw damaged("entry " + std::to_string(i + 1) + " does not follow the one before it");
        expected += entry.size;
        directory.entries.push_back(std::move(entry));
    }
    if (directory.dataStart() + expected != fileSize)
        throw damaged("the data blocks do not end with the file");
    return directory;
}

Directory readDirectory(const fs::path& path)
{
    auto in = openInput(path);
    return loadDirectory(in, path);
}

void createEmpty(const fs::path& path)
{
    saveFile(path, headerBytes(Directory{}, 0));
}

void append(const fs::path& path, const fs::path& scratch, const NewEntry& entry)
{
    std::error_code error;
    if (!fs::exists(path, error))
        createEmpty(path);
    rewrite(path, scratch, [&](std::ifstream& in, SaveFile& out) {
        auto directory = loadDirectory(in, path);
        auto added = appendedEntry(directory, entry);
        Bytes head = headerBytes(directory, directory.entries.size() + 1);
        for (const auto& old : directory.entries)
            putEntry(head, old);
        putEntry(head, added);
        auto dataSize = directory.dataSize();
        out.write(head);
        copyBytes(in, out, dataSize);
        out.write(entry.record);
        for (const auto& part : entry.parts)
            out.write(part);
    });
}

void remove(const fs::path& path, const fs::path& scratch, std::size_t index)
{
    rewrite(path, scratch, [&](std::ifstream& in, SaveFile& out) {
        auto directory = loadDirectory(in, path);
        auto& entries = directory.entries;
        if (index >= entries.size())
            throw Error("The project has no entry " + std::to_string(index + 1) + ".");
        auto removed = entries[index];
        auto rest = directory.dataSize() - removed.offset - removed.size;
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
        Bytes head = headerBytes(directory, entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i >= index)
                entries[i].offset -= removed.size;
            putEntry(head, entries[i]);
        }
        out.write(head);
        copyBytes(in, out, removed.offset);
        in.seekg(removed.size, std::ios::cur);
        copyBytes(in, out, rest);
    });
}

Entry readEntry(const fs::path& path, std::size_t index)
{
    auto in = openInput(path);
    auto directory = loadDirectory(in, path);
    if (index >= directory.entries.size())
        throw Error("The project has no entry " + std::to_string(index + 1) + ".");
    const auto& entry = directory.entries[index];
    return {entry.kind, entry.name, readBlock(in, path, directory, entry)};
}

std::string openedListLine(EntryKind kind, const std::string& name)
{
    const auto* facts = factsOf(kind);
    return (facts ? facts->listPrefix : "Unknown: ") + name;
}

std::string openedListLine(EntryKind kind, const std::string& name, ByteView block)
{
    if (kind != EntryKind::RulesText)
        return openedListLine(kind, name);
    auto text = textOf(block);
    return openedListLine(kind, name) + " (" + rulesTextSummary(text) + ")";
}

std::vector<std::string> openedListLines(ByteView file, const Directory& directory)
{
    std::vector<std::string> lines;
    lines.reserve(directory.entries.size());
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        const auto& entry = directory.entries[i];
        lines.push_back(openedListLine(entry.kind, entry.name, entryBlock(file, directory, i)));
    }
    return lines;
}

std::vector<std::string> openedListLines(const fs::path& path)
{
    auto in = openInput(path);
    auto directory = loadDirectory(in, path);
    std::vector<std::string> lines;
    lines.reserve(directory.entries.size());
    for (const auto& entry : directory.entries) {
        auto block = entry.kind == EntryKind::RulesText ? readBlock(in, path, directory, entry) : Bytes{};
        lines.push_back(openedListLine(entry.kind, entry.name, block));
    }
    return lines;
}

}
