#include "project/encoder.h"

#include "common/error.h"
#include "common/save_file.h"

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

void codeStream(std::ifstream& in, SaveFile& out, std::uint64_t total, Progress* progress)
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
        out.write(ByteView(buffer).first(n));
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
    auto total = ordinaryFileSize(source);
    auto in = openInput(source);
    SaveFile out(destination);
    codeStream(in, out, total, progress);
    if (in.bad())
        throw Error(systemMessage("Cannot read file", source));
    out.commit();
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
