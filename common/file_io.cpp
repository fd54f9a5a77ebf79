#include "common/file_io.h"

#include "common/error.h"
#include "common/text.h"

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

std::optional<fs::path> findCaseless(const fs::path& dir, std::string_view name)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(dir, error)) {
        if (lowerCase(toText(entry.path().filename())) == lowerCase(name))
            return entry.path();
    }
    return std::nullopt;
}

std::string systemMessage(const std::string& what, const fs::path& path)
{
    return what + " " + toText(path) + ": " + std::strerror(errno);
}

std::uint64_t ordinaryFileSize(const fs::path& path)
{
    std::error_code error;
    auto status = fs::status(path, error);
    if (!fs::exists(status)) {
        errno = ENOENT;
        throw Error(systemMessage("Cannot open file", path));
    }
    if (!fs::is_regular_file(status))
        throw Error("Cannot read file " + toText(path) + ": it is not an ordinary file");
    auto size = fs::file_size(path, error);
    if (error)
        throw Error("Cannot read file " + toText(path) + ": " + error.message());
    return size;
}

namespace {

// Opens a file the caller has found to be ordinary.
std::ifstream openChecked(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(systemMessage("Cannot open file", path));
    return in;
}

}

std::ifstream openInput(const fs::path& path)
{
    ordinaryFileSize(path);
    return openChecked(path);
}

Bytes readFile(const fs::path& path, std::uint64_t maxSize)
{
    auto size = ordinaryFileSize(path);
    if (size > maxSize)
        throw Error("File " + toText(path) + " is too large (" + std::to_string(size) + " bytes)");
    auto in = openChecked(path);
    Bytes bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uint64_t>(in.gcount()) != size)
        throw Error(systemMessage("Cannot read file", path));
    return bytes;
}

Bytes readFileHead(const fs::path& path, std::size_t count)
{
    auto in = openInput(path);
    Bytes bytes(count);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

void removeIfExists(const fs::path& path)
{
    std::error_code error;
    fs::remove(path, error);
    if (error)
        throw Error("Cannot delete " + toText(path) + ": " + error.message());
}

}
