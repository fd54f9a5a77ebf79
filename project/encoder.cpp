#include "project/encoder.h"

#include "common/error.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace qx::encoder {
namespace {

constexpr std::size_t kChunkSize = 1024 * kBlockSize;

std::uint8_t nextByte(std::uint32_t& state)
{
    state = state * 134775813u + 1u;
    return static_cast<std::uint8_t>(state >> 24);
}

bool keyMatches(std::uint32_t seed, ByteView coded, ByteView plain, std::size_t position)
{
    std::uint32_t state = seed;
    for (std::size_t i = 0; i < position; ++i)
        nextByte(state);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if ((coded[position + i] ^ nextByte(state)) != plain[i])
            return false;
    }
    return true;
}

// Word-wise exclusive or; the byte loop alone is not vectorised.
void xorBytes(std::uint8_t* out, const std::uint8_t* key, std::size_t count)
{
    std::size_t j = 0;
    for (; j + 8 <= count; j += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, out + j, 8);
        std::memcpy(&b, key + j, 8);
        a ^= b;
        std::memcpy(out + j, &a, 8);
    }
    for (; j < count; ++j)
        out[j] ^= key[j];
}

void codeStream(std::ifstream& in, std::ofstream& out, std::uint64_t total, Progress* progress)
{
    const auto key = blockKey();
    Bytes buffer(kChunkSize);
    std::uint64_t done = 0;
    while (in) {
        in.read(reinterpret_cast<char*>(buffer.data()), kChunkSize);
        auto n = static_cast<std::size_t>(in.gcount());
        if (n == 0)
            break;
        code(std::span(buffer.data(), n), done, key);
        out.write(reinterpret_cast<const char*>(buffer.data()), static_cast<std::streamsize>(n));
        if (!out)
            break;
        done += n;
        if (progress)
            progress->advanced(done, total);
    }
}

}

BlockKey blockKey(std::uint32_t seed)
{
    BlockKey key;
    std::uint32_t state = seed;
    for (auto& byte : key)
        byte = nextByte(state);
    return key;
}

void code(std::span<std::uint8_t> data, std::uint64_t filePosition, const BlockKey& key)
{
    std::size_t start = filePosition % kBlockSize;
    std::size_t i = 0;
    while (i < data.size()) {
        std::size_t run = std::min(kBlockSize - start, data.size() - i);
        xorBytes(data.data() + i, key.data() + start, run);
        i += run;
        start = 0;
    }
}

Bytes coded(ByteView data, std::uint32_t seed)
{
    Bytes result(data.begin(), data.end());
    code(result, 0, blockKey(seed));
    return result;
}

void codeFile(const fs::path& source, const fs::path& destination, Progress* progress)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        throw Error(systemMessage("Cannot open file", source));
    std::error_code sizeError;
    auto total = fs::file_size(source, sizeError);
    auto scratch = destination;
    scratch += ".part";
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        if (!out)
            throw Error(systemMessage("Cannot create file", scratch));
        codeStream(in, out, sizeError ? 0 : total, progress);
        out.flush();
        if (!out || in.bad()) {
            auto message = systemMessage("Cannot write file", scratch);
            std::error_code ignored;
            fs::remove(scratch, ignored);
            throw Error(message);
        }
    }
    renameOver(scratch, destination);
}

void encodeInPlace(const fs::path& path, Progress* progress)
{
    auto output = path;
    output.replace_extension(".enc");
    codeFile(path, output, progress);
    renameOver(output, path);
}

Bytes decodeHead(const fs::path& path)
{
    auto head = readFileHead(path, kHeadSize);
    code(head, 0, blockKey());
    return head;
}

std::optional<std::uint16_t> recoverSeed(ByteView coded, ByteView plain, std::size_t position)
{
    if (plain.empty() || position + plain.size() > std::min(coded.size(), kBlockSize))
        return std::nullopt;
    if (keyMatches(kSeed, coded, plain, position))
        return kSeed;
    for (std::uint32_t seed = 0; seed < 65536; ++seed) {
        if (keyMatches(seed, coded, plain, position))
            return static_cast<std::uint16_t>(seed);
    }
    return std::nullopt;
}

}
