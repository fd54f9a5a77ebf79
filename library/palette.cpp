#include "library/palette.h"

#include "common/error.h"
#include "common/text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>
#include <unordered_map>

namespace qx::library {
namespace {

constexpr std::uint8_t kMaxSixBits = 63;
constexpr std::uint8_t kOpaque = 128;
constexpr std::size_t kPngSignatureSize = 8;
constexpr std::size_t kPngChunkFrame = 12;  // length, type and checksum
constexpr std::uint8_t kIndexedColour = 3;
constexpr std::size_t kColourTypeAt = 9;  // in the IHDR data

const std::uint8_t kPngSignature[kPngSignatureSize] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const std::string kJascSignature = "JASC-PAL";

class Damage : public Error {
public:
    using Error::Error;
};

std::uint32_t bigEndian32(ByteView bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
}

bool isPng(ByteView file)
{
    return file.size() >= kPngSignatureSize && std::memcmp(file.data(), kPngSignature, kPngSignatureSize) == 0;
}

Palette gamePalette(ByteView file)
{
    Palette palette;
    for (std::size_t i = 0; i < kGamePaletteSize; ++i) {
        if (file[i] > kMaxSixBits)
            throw Damage("byte " + std::to_string(i) + " is " + std::to_string(file[i]) + ", above the " +
                         std::to_string(kMaxSixBits) + " of a 6-bit channel");
    }
    for (std::size_t i = 0; i < palette.colours.size(); ++i)
        palette.colours[i] = {eightBits(file[3 * i]), eightBits(file[3 * i + 1]), eightBits(file[3 * i + 2])};
    return palette;
}

bool readNumber(std::string_view text, int& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// JASC-PAL, version 0100, a colour count and one "R G B" line a colour.
Palette jascPalette(ByteView file)
{
    auto lines = pieces(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), '\n');
    for (auto& line : lines) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
    }
    int count = 0;
    if (lines.size() < 3 || lines[1] != "0100")
        throw Damage("its second line is not the version 0100");
    if (!readNumber(lines[2], count) || count < 1 || count > 256)
        throw Damage("its colour count is not a number from 1 to 256");
    if (lines.size() < static_cast<std::size_t>(count) + 3)
        throw Damage("it ends before its " + std::to_string(count) + " colours");
    Palette palette;
    for (int i = 0; i < count; ++i) {
        auto words = pieces(trimmed(lines[static_cast<std::size_t>(i) + 3]), ' ');
        std::erase_if(words, [](std::string_view word) { return word.empty(); });
        int channel[3] = {};
        if (words.size() != 3 || !readNumber(words[0], channel[0]) || !readNumber(words[1], channel[1]) ||
            !readNumber(words[2], channel[2]) || std::any_of(channel, channel + 3, [](int v) { return v < 0 || v > 255; }))
            throw Damage("line " + std::to_string(i + 4) + " is not three numbers from 0 to 255");
        palette.colours[static_cast<std::size_t>(i)] = {std::uint8_t(channel[0]), std::uint8_t(channel[1]),
                                                        std::uint8_t(channel[2])};
    }
    return palette;
}

}

bool forEachPngChunk(ByteView file, const std::function<bool(std::string_view type, ByteView data)>& chunk)
{
    if (!isPng(file))
        return false;
    for (std::size_t at = kPngSignatureSize; kPngChunkFrame <= file.size() - at;) {
        std::size_t length = bigEndian32(file, at);
        if (length > file.size() - at - kPngChunkFrame)
            return false;
        if (!chunk(std::string_view(reinterpret_cast<const char*>(file.data() + at + 4), 4), file.subspan(at + 8, length)))
            return true;
        at += kPngChunkFrame + length;
    }
    return true;
}

std::optional<std::vector<Rgb>> indexedPngColours(ByteView file)
{
    bool indexed = false;
    std::optional<std::vector<Rgb>> colours;
    forEachPngChunk(file, [&](std::string_view type, ByteView data) {
        if (type == "IHDR")
            indexed = data.size() > kColourTypeAt && data[kColourTypeAt] == kIndexedColour;
        if (type == "PLTE" && indexed && !data.empty() && data.size() % 3 == 0 && data.size() <= kGamePaletteSize) {
            colours.emplace();
            for (std::size_t i = 0; i < data.size(); i += 3)
                colours->push_back({data[i], data[i + 1], data[i + 2]});
        }
        return type != "PLTE" && type != "IDAT";
    });
    return colours;
}

Palette readPalette(ByteView file, const std::string& name)
{
    try {
        if (isPng(file)) {
            auto colours = indexedPngColours(file);
            if (!colours)
                throw Damage("it is a PNG picture without a palette of its own");
            Palette palette;
            std::copy(colours->begin(), colours->end(), palette.colours.begin());
            return palette;
        }
        if (file.size() >= kJascSignature.size() &&
            std::memcmp(file.data(), kJascSignature.data(), kJascSignature.size()) == 0)
            return jascPalette(file);
        if (file.size() != kGamePaletteSize)
            throw Damage("it is " + std::to_string(file.size()) +
                         " bytes long; a game palette has 768, and it is no JASC-PAL text or indexed PNG");
        return gamePalette(file);
    } catch (const Damage& damage) {
        throw Error(name + " is not a valid palette file: " + damage.what() + ".");
    }
}

Image imageOf(ByteView indices, int width, int height, const Palette& palette)
{
    Image image{width, height, Bytes(indices.size() * 4)};
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] == 0)
            continue;
        const auto& colour = palette.colours[indices[i]];
        std::uint8_t* pixel = image.rgba.data() + 4 * i;
        pixel[0] = colour.r;
        pixel[1] = colour.g;
        pixel[2] = colour.b;
        pixel[3] = 255;
    }
    return image;
}

Bytes indicesOf(const Image& image, const Palette& palette)
{
    std::unordered_map<std::uint32_t, std::uint8_t> nearest;
    auto find = [&](std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::uint32_t key = static_cast<std::uint32_t>(r) << 16 | g << 8 | b;
        if (auto known = nearest.find(key); known != nearest.end())
            return known->second;
        std::uint8_t best = 1;
        int bestDistance = INT32_MAX;
        for (int i = 1; i < 256; ++i) {
            const auto& c = palette.colours[static_cast<std::size_t>(i)];
            int distance = (c.r - r) * (c.r - r) + (c.g - g) * (c.g - g) + (c.b - b) * (c.b - b);
            if (distance < bestDistance) {
                best = static_cast<std::uint8_t>(i);
                bestDistance = distance;
            }
        }
        nearest.emplace(key, best);
        return best;
    };
    Bytes indices(image.rgba.size() / 4);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const std::uint8_t* pixel = image.rgba.data() + 4 * i;
        indices[i] = pixel[3] < kOpaque ? 0 : find(pixel[0], pixel[1], pixel[2]);
    }
    return indices;
}

}
