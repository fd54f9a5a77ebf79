#include "library/shp.h"

#include "common/bytes.h"
#include "common/error.h"
#include "library/lcw.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace qx::library {
namespace {

// Head layout: six words, then the flags.
constexpr std::size_t kCountAt = 0;
constexpr std::size_t kWidthAt = 6;
constexpr std::size_t kHeightAt = 8;
constexpr std::size_t kLargestAt = 10;
constexpr std::size_t kFlagsAt = 12;
constexpr std::uint16_t kHasPalette = 1;
constexpr std::uint32_t kOffsetMask = 0xFFFFFF;
constexpr int kKindShift = 24;
constexpr std::uint32_t kChainMask = 0xFFFF;

struct Entry {
    std::uint32_t offset = 0;
    std::uint8_t kind = 0;
    std::uint32_t reference = 0;
};

class Damage : public Error {
public:
    using Error::Error;
};

std::string frameText(std::size_t i)
{
    return "frame " + std::to_string(i);
}

// The table and what it says of each frame, checked against the file
// before any frame is unpacked.
class ShpTable {
public:
    explicit ShpTable(ByteView file) : file_(file)
    {
        if (file.size() < kShpHeadSize)
            throw Damage("it is " + std::to_string(file.size()) + " bytes long, shorter than its " +
                         std::to_string(kShpHeadSize) + "-byte head");
        count_ = u16At(file, kCountAt);
        width_ = u16At(file, kWidthAt);
        height_ = u16At(file, kHeightAt);
        checkSize();
        auto tableEnd = kShpHeadSize + (count_ + 2) * kShpEntrySize;
        if (tableEnd > file.size())
            throw Damage("its table of " + std::to_string(count_) + " frames ends past the end of the file");
        dataStart_ = tableEnd;
        if (u16At(file, kFlagsAt) & kHasPalette) {
            if (kShpPaletteSize > file.size() - tableEnd)
                throw Damage("its palette ends past the end of the file");
            shift_ = kShpPaletteSize;
            dataStart_ += kShpPaletteSize;
        }
        for (std::size_t i = 0; i <= count_; ++i) {
            auto at = kShpHeadSize + i * kShpEntrySize;
            auto word = u32At(file, at);
            entries_.push_back({word & kOffsetMask, static_cast<std::uint8_t>(word >> kKindShift), u32At(file, at + 4)});
        }
        checkEnd();
        for (std::size_t i = 0; i < count_; ++i)
            checkFrame(i);
        for (std::size_t i = 0; i < count_; ++i)
            checkKeyFrame(i);
    }

    std::size_t count() const { return count_; }
    int width() const { return width_; }
    int height() const { return height_; }
    ShpFrameKind kind(std::size_t i) const { return static_cast<ShpFrameKind>(entries_[i].kind); }
    // Frame i's data: from its offset to the next frame's.
    ByteView block(std::size_t i) const
    {
        auto start = entries_[i].offset + shift_;
        return file_.subspan(start, entries_[i + 1].offset + shift_ - start);
    }
    std::size_t keyFrameOf(std::size_t i) const { return keyFrames_.at(entries_[i].reference & kOffsetMask); }

private:
    void checkSize() const
    {
        if (count_ == 0)
            return;
        if (width_ == 0 || height_ == 0 || width_ > kMaxShpSide || height_ > kMaxShpSide)
            throw Damage("its frames of " + std::to_string(width_) + " x " + std::to_string(height_) +
                         " pixels are not between 1 x 1 and " + std::to_string(kMaxShpSide) + " x " +
                         std::to_string(kMaxShpSide));
        auto bytes = static_cast<std::uint64_t>(count_) * static_cast<std::uint64_t>(width_) * height_;
        if (bytes > kMaxShpBytes)
            throw Damage("its " + std::to_string(count_) + " frames would unpack to " + std::to_string(bytes >> 20) +
                         " MiB, more than " + std::to_string(kMaxShpBytes >> 20) + " MiB");
    }

    // The entry after the last frame gives the end of the data, kind 0.
    void checkEnd() const
    {
        const auto& end = entries_[count_];
        std::uint64_t at = end.offset + shift_;
        if (end.kind != 0 || at < dataStart_ || at > file_.size())
            throw Damage("its table's last entry does not give the end of its data");
    }

    void checkFrame(std::size_t i)
    {
        const auto& entry = entries_[i];
        std::uint64_t start = entry.offset + shift_;
        std::uint64_t end = entries_[i + 1].offset + shift_;
        if (start < dataStart_ || end < start || end > file_.size())
            throw Damage(frameText(i) + " lies outside the file's data");
        switch (entry.kind) {
        case static_cast<std::uint8_t>(ShpFrameKind::Key):
            keyFrames_.emplace(entry.offset, i);
            break;
        case static_cast<std::uint8_t>(ShpFrameKind::KeyDelta):
            break;
        case static_cast<std::uint8_t>(ShpFrameKind::Delta):
            checkChain(i);
            break;
        default:
            char kind[8];
            std::snprintf(kind, sizeof kind, "0x%02X", entry.kind);
            throw Damage(frameText(i) + " is of the unknown kind " + kind);
        }
    }

    void checkKeyFrame(std::size_t i) const
    {
        if (kind(i) != ShpFrameKind::KeyDelta)
            return;
        auto offset = entries_[i].reference & kOffsetMask;
        if (!keyFrames_.contains(offset))
            throw Damage(frameText(i) + " is a delta of the frame at offset " + std::to_string(offset) +
                         ", which is no key frame");
    }

    // A delta builds on its chain's key delta and every delta since; each
    // delta in between names the same key delta.
    void checkChain(std::size_t i) const
    {
        auto start = entries_[i].reference & kChainMask;
        if (start >= i || kind(start) != ShpFrameKind::KeyDelta)
            throw Damage(frameText(i) + " is a delta of frame " + std::to_string(start) + ", which is no key delta before it");
        const auto& previous = entries_[i - 1];
        if (i - 1 != start && (previous.kind != static_cast<std::uint8_t>(ShpFrameKind::Delta) ||
                               (previous.reference & kChainMask) != start))
            throw Damage(frameText(i) + "'s chain from frame " + std::to_string(start) + " is broken by " +
                         frameText(i - 1));
    }

    ByteView file_;
    std::size_t count_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::size_t shift_ = 0;
    std::size_t dataStart_ = 0;
    std::vector<Entry> entries_;
    std::unordered_map<std::uint32_t, std::size_t> keyFrames_;
};

void check(std::optional<std::string> fault, std::size_t frame)
{
    if (fault)
        throw Damage(frameText(frame) + ": " + *fault);
}

Shp unpack(const ShpTable& table)
{
    Shp shp{table.width(), table.height(), {}, {}};
    // The size of a table of no frames is unchecked: nothing of it is made.
    auto size = static_cast<std::size_t>(table.width()) * table.height();
    shp.frames.resize(table.count());
    for (std::size_t i = 0; i < table.count(); ++i) {
        shp.frames[i].resize(size);
        shp.kinds.push_back(table.kind(i));
        if (table.kind(i) == ShpFrameKind::Key)
            check(unpackLcw(table.block(i), shp.frames[i]), i);
    }
    // Deltas in order, so that each finds the frame before it whole.
    for (std::size_t i = 0; i < table.count(); ++i) {
        if (table.kind(i) == ShpFrameKind::Key)
            continue;
        if (table.kind(i) == ShpFrameKind::KeyDelta) {
            auto key = table.keyFrameOf(i);
            shp.frames[i] = shp.frames[key];
        } else {
            shp.frames[i] = shp.frames[i - 1];
        }
        check(applyXorDelta(table.block(i), shp.frames[i]), i);
    }
    return shp;
}

}

const char* frameKindName(ShpFrameKind kind)
{
    switch (kind) {
    case ShpFrameKind::Key:
        return "key frame";
    case ShpFrameKind::KeyDelta:
        return "key delta";
    case ShpFrameKind::Delta:
        return "delta";
    }
    return "unknown";
}

std::optional<std::string> unplayableFrame(int width, int height, const std::string& name)
{
    auto pixels = std::int64_t{width} * height;
    if (pixels <= kMaxPlayablePixels)
        return std::nullopt;
    return name + ": a frame of " + std::to_string(width) + "x" + std::to_string(height) + " is " +
           std::to_string(pixels) + " pixels, but the game draws frames of at most " +
           std::to_string(kMaxPlayablePixels) + " pixels";
}

void requirePlayableFrame(int width, int height, const std::string& name)
{
    if (auto fault = unplayableFrame(width, height, name))
        throw Error(*fault + ".");
}

Shp readShp(ByteView file, const std::string& name)
{
    try {
        return unpack(ShpTable(file));
    } catch (const Damage& damage) {
        throw Error(name + " is not a valid SHP file: " + damage.what() + ".");
    }
}

Bytes writeShp(int width, int height, const std::vector<Bytes>& frames)
{
    if (width < 1 || height < 1 || width > kMaxShpSide || height > kMaxShpSide)
        throw Error("Frames of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels cannot go into an SHP file: at most " + std::to_string(kMaxShpSide) + " x " +
                    std::to_string(kMaxShpSide) + " are taken.");
    if (frames.size() > 0xFFFF)
        throw Error("An SHP file holds at most 65535 frames.");
    auto frameSize = static_cast<std::size_t>(width) * height;
    std::vector<Bytes> blocks;
    std::size_t dataStart = kShpHeadSize + (frames.size() + 2) * kShpEntrySize;
    std::size_t total = dataStart, largest = 0;
    for (const auto& frame : frames) {
        if (frame.size() != frameSize)
            throw Error("The frames of an SHP file are all of one size.");
        blocks.push_back(packLcw(frame));
        total += blocks.back().size();
        largest = std::max(largest, blocks.back().size());
        if (total > kMaxShpFileSize)
            throw Error("The SHP file would be larger than the 16 MiB its table can reach.");
    }
    Bytes file(dataStart);
    putU16(file, kCountAt, static_cast<std::uint16_t>(frames.size()));
    putU16(file, kWidthAt, static_cast<std::uint16_t>(width));
    putU16(file, kHeightAt, static_cast<std::uint16_t>(height));
    putU16(file, kLargestAt, static_cast<std::uint16_t>(std::min<std::size_t>(largest, 0xFFFF)));
    file.reserve(total);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        putU32(file, kShpHeadSize + i * kShpEntrySize,
               static_cast<std::uint32_t>(file.size()) | static_cast<std::uint32_t>(ShpFrameKind::Key) << kKindShift);
        file.insert(file.end(), blocks[i].begin(), blocks[i].end());
    }
    putU32(file, kShpHeadSize + blocks.size() * kShpEntrySize, static_cast<std::uint32_t>(file.size()));
    return file;
}

}
