#include "common/file_io.h"

#include "common/error.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace qx {

fs::path toPath(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string toText(const fs::path& path)
{
    auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string systemMessage(const std::string& what, const fs::path& path)
{
    return what + " " + toText(path) + ": " + std::strerror(errno);
}

Bytes readFile(const fs::path& path, std::uint64_t maxSize)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(systemMessage("Cannot open file", path));
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        throw Error("Cannot read file " + toText(path) + ": it is not an ordinary file");
    in.seekg(0, std::ios::end);
    auto end = in.tellg();
    if (!in || end < 0)
        throw Error(systemMessage("Cannot read file", path));
    auto size = static_cast<std::uint64_t>(end);
    if (size > maxSize)
        throw Error("File " + toText(path) + " is too large (" + std::to_string(size) + " bytes)");
    in.seekg(0);
    Bytes bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uint64_t>(in.gcount()) != size)
        throw Error(systemMessage("Cannot read file", path));
    return bytes;
}

Bytes readFileHead(const fs::path& path, std::size_t count)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(systemMessage("Cannot open file", path));
    Bytes bytes(count);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

void writeViaScratch(const fs::path& scratch, const fs::path& target, ByteView bytes)
{
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        if (!out)
            throw Error(systemMessage("Cannot create file", scratch));
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            auto message = systemMessage("Cannot write file", scratch);
            std::error_code ignored;
            fs::remove(scratch, ignored);
            throw Error(message);
        }
    }
    renameOver(scratch, target);
}

void writeFileAtomic(const fs::path& path, ByteView bytes)
{
    auto scratch = path;
    scratch += ".part";
    writeViaScratch(scratch, path, bytes);
}

void renameOver(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::rename(from, to, error);
    if (error)
        throw Error("Cannot rename " + toText(from) + " to " + toText(to) + ": " + error.message());
}

void removeIfExists(const fs::path& path)
{
    std::error_code error;
    fs::remove(path, error);
    if (error)
        throw Error("Cannot delete " + toText(path) + ": " + error.message());
}

}
