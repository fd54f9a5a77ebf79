#include "library/lcw.h"

#include "common/bytes.h"

#include <cstring>
#include <vector>

namespace qx::library {
namespace {

constexpr std::uint8_t kEnd = 0x80;
constexpr std::uint8_t kLiteral = 0x80;  // 10nnnnnn: n bytes follow
constexpr std::uint8_t kMediumCopy = 0xC0;  // 11nnnnnn: n + 3 bytes from an absolute position
constexpr std::uint8_t kFill = 0xFE;
constexpr std::uint8_t kLongCopy = 0xFF;
constexpr std::size_t kMaxLiteral = 63;
constexpr std::size_t kMaxShortCopy = 10;
constexpr std::size_t kMaxShortBack = 4095;
constexpr std::size_t kMaxMediumCopy = 64;
constexpr std::size_t kMaxWord = 0xFFFF;

constexpr std::uint8_t kXorEnd = 0x80;
constexpr std::uint16_t kXorBytesMark = 0x8000;
constexpr std::uint16_t kXorValueMark = 0xC000;
constexpr std::uint16_t kXorCount = 0x3FFF;

std::string ofBytes(std::size_t n)
{
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

// A packed block read front to back; the caller asks has(n) before it takes
// n bytes.
class Reader {
public:
    explicit Reader(ByteView bytes) : bytes_(bytes) {}
    bool has(std::size_t n) const { return n <= bytes_.size() - at_; }
    std::uint8_t byte() { return bytes_[at_++]; }
    std::uint16_t word()
    {
        auto value = u16At(bytes_, at_);
        at_ += 2;
        return value;
    }
    const std::uint8_t* take(std::size_t n)
    {
        auto* start = bytes_.data() + at_;
        at_ += n;
        return start;
    }

private:
    ByteView bytes_;
    std::size_t at_ = 0;
};

const std::string kTruncated = "its data ends inside a command";
const std::string kPastEnd = "a command writes past the end of the frame";

// The frame written so far, and the copies from its earlier bytes.
class Output {
public:
    explicit Output(std::span<std::uint8_t> frame) : frame_(frame) {}
    std::size_t at() const { return at_; }
    bool whole() const { return at_ == frame_.size(); }
    bool fits(std::size_t n) const { return n <= frame_.size() - at_; }

    void put(const std::uint8_t* bytes, std::size_t n)
    {
        std::memcpy(frame_.data() + at_, bytes, n);
        at_ += n;
    }
    void fill(std::uint8_t value, std::size_t n)
    {
        std::memset(frame_.data() + at_, value, n);
        at_ += n;
    }
    // A copy may overlap what it writes: from one byte back it repeats it.
    std::optional<std::string> copy(std::size_t from, std::size_t n)
    {
        if (n == 0)
            return std::nullopt;
        if (from >= at_)
            return "a copy starts at byte " + std::to_string(from) + ", not yet written at byte " + std::to_string(at_);
        if (!fits(n))
            return kPastEnd;
        auto* out = frame_.data();
        if (from + n <= at_) {
            std::memcpy(out + at_, out + from, n);
        } else {
            for (std::size_t k = 0; k < n; ++k)
                out[at_ + k] = out[from + k];
        }
        at_ += n;
        return std::nullopt;
    }

private:
    std::span<std::uint8_t> frame_;
    std::size_t at_ = 0;
};

std::optional<std::string> lcwCommand(std::uint8_t c, Reader& in, Output& out)
{
    if ((c & 0x80) == 0) {
        if (!in.has(1))
            return kTruncated;
        std::size_t back = static_cast<std::size_t>(c & 0x0F) << 8 | in.byte();
        if (back == 0 || back > out.at())
            return "a copy reaches " + ofBytes(back) + " back from byte " + std::to_string(out.at());
        return out.copy(out.at() - back, static_cast<std::size_t>(c >> 4) + 3);
    }
    if ((c & 0x40) == 0) {
        std::size_t n = c & 0x3F;
        if (!in.has(n))
            return kTruncated;
        if (!out.fits(n))
            return kPastEnd;
        out.put(in.take(n), n);
        return std::nullopt;
    }
    if (c == kFill) {
        if (!in.has(3))
            return kTruncated;
        std::size_t n = in.word();
        auto value = in.byte();
        if (!out.fits(n))
            return kPastEnd;
        out.fill(value, n);
        return std::nullopt;
    }
    if (c == kLongCopy) {
        if (!in.has(4))
            return kTruncated;
        std::size_t n = in.word();
        return out.copy(in.word(), n);
    }
    if (!in.has(2))
        return kTruncated;
    return out.copy(in.word(), static_cast<std::size_t>(c & 0x3F) + 3);
}

}

std::optional<std::string> unpackLcw(ByteView packed, std::span<std::uint8_t> frame)
{
    Reader in(packed);
    Output out(frame);
    while (!out.whole()) {
        if (!in.has(1))
            return "its data ends after " + ofBytes(out.at()) + " of the frame's " + std::to_string(frame.size());
        auto c = in.byte();
        if (c == kEnd)
            return "its data ends the frame after " + ofBytes(out.at()) + " of " + std::to_string(frame.size());
        if (auto fault = lcwCommand(c, in, out))
            return fault;
    }
    return std::nullopt;
}

namespace {

// The XOR delta's commands over the frame, checked against its end.
class XorTarget {
public:
    explicit XorTarget(std::span<std::uint8_t> frame) : frame_(frame) {}

    std::optional<std::string> skip(std::size_t n)
    {
        if (n > frame_.size() - at_)
            return "a skip reaches past the end of the frame";
        at_ += n;
        return std::nullopt;
    }
    std::optional<std::string> withValue(std::size_t n, std::uint8_t value)
    {
        if (n > frame_.size() - at_)
            return kPastEnd;
        for (std::size_t k = 0; k < n; ++k)
            frame_[at_ + k] ^= value;
        at_ += n;
        return std::nullopt;
    }
    std::optional<std::string> withBytes(std::size_t n, Reader& in)
    {
        if (!in.has(n))
            return kTruncated;
        if (n > frame_.size() - at_)
            return kPastEnd;
        const auto* bytes = in.take(n);
        for (std::size_t k = 0; k < n; ++k)
            frame_[at_ + k] ^= bytes[k];
        at_ += n;
        return std::nullopt;
    }

private:
    std::span<std::uint8_t> frame_;
    std::size_t at_ = 0;
};

// The long form after 0x80: a word saying what follows (0, the end, is the
// caller's).
std::optional<std::string> xorLongCommand(std::uint16_t word, Reader& in, XorTarget& frame)
{
    if (word < kXorBytesMark)
        return frame.skip(word);
    if (word < kXorValueMark)
        return frame.withBytes(word & kXorCount, in);
    if (!in.has(1))
        return kTruncated;
    return frame.withValue(word & kXorCount, in.byte());
}

}

std::optional<std::string> applyXorDelta(ByteView delta, std::span<std::uint8_t> frame)
{
    Reader in(delta);
    XorTarget target(frame);
    while (true) {
        if (!in.has(1))
            return "its delta has no end mark";
        auto c = in.byte();
        std::optional<std::string> fault;
        if (c == 0) {
            if (!in.has(2))
                return kTruncated;
            std::size_t n = in.byte();
            fault = target.withValue(n, in.byte());
        } else if (c < 0x80) {
            fault = target.withBytes(c, in);
        } else if (c != kXorEnd) {
            fault = target.skip(c & 0x7F);
        } else {
            if (!in.has(2))
                return kTruncated;
            auto word = in.word();
            if (word == 0)
                return std::nullopt;
            fault = xorLongCommand(word, in, target);
        }
        if (fault)
            return fault;
    }
}

namespace {

constexpr int kHashBits = 13;
constexpr int kMaxChain = 24;

// Greedy LZ over the frame: at each byte the longest earlier copy the codes
// can reach (or a fill), taken when it costs fewer bytes than it covers.
class Packer {
public:
    explicit Packer(ByteView frame)
        : in_(frame), head_(std::size_t{1} << kHashBits, -1), previous_(frame.size(), -1)
    {
        out_.reserve(frame.size() / 2 + 16);
    }

    Bytes pack()
    {
        std::size_t pos = 0;
        while (pos < in_.size()) {
            auto step = command(pos);
            if (step == 0) {
                ++literals_;
                if (literals_ == kMaxLiteral)
                    flushLiterals(pos + 1);
                insert(pos);
                ++pos;
                continue;
            }
            for (std::size_t k = 0; k < step; ++k)
                insert(pos + k);
            pos += step;
        }
        flushLiterals(pos);
        out_.push_back(kEnd);
        return std::move(out_);
    }

private:
    struct Match {
        std::size_t from = 0;
        std::size_t length = 0;
    };

    std::uint32_t hashAt(std::size_t pos) const
    {
        std::uint32_t key = static_cast<std::uint32_t>(in_[pos]) << 16 | in_[pos + 1] << 8 | in_[pos + 2];
        return (key * 2654435761u) >> (32 - kHashBits);
    }

    void insert(std::size_t pos)
    {
        if (pos + 2 >= in_.size())
            return;
        auto& slot = head_[hashAt(pos)];
        previous_[pos] = slot;
        slot = static_cast<std::int32_t>(pos);
    }

    // The codes reach back 4095 bytes, or to absolute positions up to 65535.
    static bool reachable(std::size_t from, std::size_t pos) { return pos - from <= kMaxShortBack || from <= kMaxWord; }

    Match longestMatch(std::size_t pos) const
    {
        Match best;
        if (pos + 2 >= in_.size())
            return best;
        auto limit = std::min(in_.size() - pos, kMaxWord);
        int chain = kMaxChain;
        for (auto candidate = head_[hashAt(pos)]; candidate >= 0 && chain-- > 0; candidate = previous_[candidate]) {
            auto from = static_cast<std::size_t>(candidate);
            if (!reachable(from, pos) || in_[from + best.length] != in_[pos + best.length])
                continue;
            std::size_t length = 0;
            while (length < limit && in_[from + length] == in_[pos + length])
                ++length;
            if (length > best.length)
                best = {from, length};
            if (length == limit)
                break;
        }
        return best;
    }

    std::size_t runAt(std::size_t pos) const
    {
        auto limit = std::min(in_.size() - pos, kMaxWord);
        std::size_t run = 1;
        while (run < limit && in_[pos + run] == in_[pos])
            ++run;
        return run;
    }

    // Writes the command that saves most at pos; the bytes it covers, or 0
    // for a literal byte.
    std::size_t command(std::size_t pos)
    {
        auto match = longestMatch(pos);
        auto run = runAt(pos);
        std::size_t copyCovers = 0, copyCost = 0;
        if (match.length >= 3) {
            auto back = pos - match.from;
            if (back <= kMaxShortBack && (match.length <= kMaxShortCopy || match.from > kMaxWord)) {
                copyCovers = std::min(match.length, kMaxShortCopy);
                copyCost = 2;
            } else {
                copyCovers = match.length;
                copyCost = match.length <= kMaxMediumCopy ? 3 : 5;
            }
        }
        bool fill = run > 5 && run - 5 > (copyCovers > copyCost ? copyCovers - copyCost : 0);
        if (!fill && copyCovers <= copyCost)
            return 0;
        flushLiterals(pos);
        if (fill) {
            out_.insert(out_.end(), {kFill, std::uint8_t(run), std::uint8_t(run >> 8), in_[pos]});
            return run;
        }
        auto back = pos - match.from;
        if (copyCost == 2) {
            out_.insert(out_.end(), {std::uint8_t((copyCovers - 3) << 4 | back >> 8), std::uint8_t(back)});
        } else if (copyCost == 3) {
            out_.insert(out_.end(), {std::uint8_t(kMediumCopy | (copyCovers - 3)), std::uint8_t(match.from),
                                     std::uint8_t(match.from >> 8)});
        } else {
            out_.insert(out_.end(), {kLongCopy, std::uint8_t(copyCovers), std::uint8_t(copyCovers >> 8),
                                     std::uint8_t(match.from), std::uint8_t(match.from >> 8)});
        }
        return copyCovers;
    }

    // The literal bytes that end before end.
    void flushLiterals(std::size_t end)
    {
        if (literals_ == 0)
            return;
        out_.push_back(static_cast<std::uint8_t>(kLiteral | literals_));
        out_.insert(out_.end(), in_.begin() + static_cast<std::ptrdiff_t>(end - literals_),
                    in_.begin() + static_cast<std::ptrdiff_t>(end));
        literals_ = 0;
    }

    ByteView in_;
    Bytes out_;
    std::vector<std::int32_t> head_;
    std::vector<std::int32_t> previous_;
    std::size_t literals_ = 0;
};

}

Bytes packLcw(ByteView frame)
{
    return Packer(frame).pack();
}

}
