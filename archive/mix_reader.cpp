#include "archive/mix_reader.h"

#include "archive/mix_keys.h"
#include "common/bytes.h"
#include "common/error.h"
#include "common/text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>

namespace qx::archive {
namespace {

constexpr std::uint16_t kDigestFlag = 1;
constexpr std::uint16_t kEncryptedFlag = 2;
constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kDigestSize = 20;
constexpr std::size_t kDigestPiece = 1 << 20;
constexpr std::size_t kFirstRead = 64 << 10;

// Kept open: a listing reads many small pieces.
class FileSource : public ByteSource {
public:
    // openInput checks that the file is an ordinary one; its end gives the size.
    explicit FileSource(fs::path path) : path_(std::move(path)), in_(openInput(path_))
    {
        in_.seekg(0, std::ios::end);
        size_ = static_cast<std::uint64_t>(in_.tellg());
    }
    std::uint64_t size() const override { return size_; }
    Bytes read(std::uint64_t offset, std::size_t count) const override
    {
        if (offset > size_ || count > size_ - offset)
            throw Error("it is cut short");
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        Bytes bytes(count);
        in_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
        if (static_cast<std::size_t>(in_.gcount()) != count)
            throw Error("Cannot read file " + toText(path_));
        return bytes;
    }

private:
    fs::path path_;
    mutable std::ifstream in_;
    std::uint64_t size_ = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(Bytes bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    Bytes read(std::uint64_t offset, std::size_t count) const override
    {
        if (offset > bytes_.size() || count > bytes_.size() - offset)
            throw Error("it is cut short");
        auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
        return Bytes(from, from + static_cast<std::ptrdiff_t>(count));
    }

private:
    Bytes bytes_;
};

std::size_t blocksOf(std::size_t bytes)
{
    return (bytes + kBlowfishBlock - 1) / kBlowfishBlock * kBlowfishBlock;
}

}

std::string idText(std::uint32_t id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += hexByte(static_cast<std::uint8_t>(id >> shift));
    return text;
}

std::shared_ptr<const ByteSource> fileSource(const fs::path& path)
{
    return std::make_shared<FileSource>(path);
}

std::shared_ptr<const ByteSource> memorySource(Bytes bytes)
{
    return std::make_shared<MemorySource>(std::move(bytes));
}

MixReader::MixReader(std::shared_ptr<const ByteSource> source, std::string name, std::uint64_t start,
                     std::optional<std::uint64_t> size, int depth)
    : source_(std::move(source)), name_(std::move(name)), start_(start), depth_(depth)
{
    if (start_ > source_->size() || (size && *size > source_->size() - start_))
        fail("it lies past the end of what holds it");
    size_ = size.value_or(source_->size() - start_);
    if (depth_ > kMaxNesting)
        fail("archives are nested more than " + std::to_string(kMaxNesting) + " deep");
    try {
        readIndex();
    } catch (const Error& error) {
        fail(error.what());
    }
    prefix_ = Bytes();
    check();
}

void MixReader::fail(const std::string& why) const
{
    throw Error(name_ + ": " + why);
}

void MixReader::readIndex()
{
    if (size_ < 6)
        throw Error("it is too short to be an archive");
    // One read for the head and, mostly, the whole index.
    prefix_ = source_->read(start_, static_cast<std::size_t>(std::min<std::uint64_t>(size_, kFirstRead)));
    auto head = bytesAt(0, 6);
    if (u16At(head, 0) != 0)
        return readPlainIndex(0);
    flags_ = u16At(head, 2);
    if (!(flags_ & kEncryptedFlag)) {
        form_ = IndexForm::Extended;
        return readPlainIndex(4);
    }
    form_ = IndexForm::Encrypted;
    if (size_ < 4 + kKeyBlockSize + kBlowfishBlock)
        throw Error("it is too short for an encrypted index");
    auto key = blowfishKey(bytesAt(4, kKeyBlockSize));
    auto first = bytesAt(4 + kKeyBlockSize, kBlowfishBlock);
    blowfishDecrypt(key, first.data(), first.size());
    std::size_t count = u16At(first, 0);
    bodySize_ = u32At(first, 2);
    auto indexSize = blocksOf(6 + kEntrySize * count);
    setBodyStart(4 + kKeyBlockSize + indexSize, count);
    auto index = bytesAt(4 + kKeyBlockSize, indexSize);
    blowfishDecrypt(key, index.data(), index.size());
    readEntries(ByteView(index).subspan(6, kEntrySize * count), count);
}

// Plain entries: a view of the first read where it holds them.
void MixReader::readEntries(std::uint64_t offset, std::size_t count)
{
    auto size = kEntrySize * count;
    if (offset + size <= prefix_.size())
        readEntries(ByteView(prefix_).subspan(static_cast<std::size_t>(offset), size), count);
    else
        readEntries(bytesAt(offset, size), count);
}

// The count, the body size and the entries, at offset.
void MixReader::readPlainIndex(std::uint64_t offset)
{
    auto counts = bytesAt(offset, 6);
    std::size_t count = u16At(counts, 0);
    bodySize_ = u32At(counts, 2);
    setBodyStart(offset + 6 + kEntrySize * count, count);
    readEntries(offset + 6, count);
}

void MixReader::setBodyStart(std::uint64_t start, std::size_t count)
{
    if (start > size_)
        throw Error("the index of " + std::to_string(count) + " members runs past the end of the file");
    bodyStart_ = start;
}

Bytes MixReader::bytesAt(std::uint64_t offset, std::size_t count) const
{
    if (offset > size_ || count > size_ - offset)
        throw Error("it is cut short");
    if (offset + count <= prefix_.size()) {
        auto from = prefix_.begin() + static_cast<std::ptrdiff_t>(offset);
        return Bytes(from, from + static_cast<std::ptrdiff_t>(count));
    }
    return source_->read(start_ + offset, count);
}

void MixReader::readEntries(ByteView entries, std::size_t count)
{
    // An archive of no members copies nothing, not even from a null pointer.
    if (count == 0)
        return;
    members_.resize(count);
    // An entry lies as a member does in memory on a little-endian machine.
    if constexpr (std::endian::native == std::endian::little && sizeof(MixMember) == kEntrySize) {
        std::memcpy(members_.data(), entries.data(), count * kEntrySize);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        auto at = i * kEntrySize;
        members_[i] = {u32At(entries, at), u32At(entries, at + 4), u32At(entries, at + 8)};
    }
}

// Every member inside the body, no two overlapping, the body (and its
// digest) inside the file.
void MixReader::check() const
{
    std::uint64_t end = bodyStart_ + bodySize_ + (hasDigest() ? kDigestSize : 0);
    if (end > size_)
        fail("the body of " + std::to_string(bodySize_) + " bytes runs past the end of the file");
    // Archives often hold their bodies in index order: then one pass does.
    const MixMember* previous = nullptr;
    bool ordered = true;
    for (const auto& member : members_) {
        if (std::uint64_t{member.offset} + member.size > bodySize_)
            fail("member " + idText(member.id) + " runs past the body");
        if (!member.size)
            continue;
        if (previous && member.offset < previous->offset)
            ordered = false;
        else if (previous && std::uint64_t{previous->offset} + previous->size > member.offset)
            overlap(*previous, member);
        previous = &member;
    }
    if (ordered)
        return;
    std::vector<const MixMember*> byOffset;
    for (const auto& member : members_) {
        if (member.size)
            byOffset.push_back(&member);
    }
    std::sort(byOffset.begin(), byOffset.end(), [](auto* a, auto* b) { return a->offset < b->offset; });
    for (std::size_t i = 1; i < byOffset.size(); ++i) {
        if (std::uint64_t{byOffset[i - 1]->offset} + byOffset[i - 1]->size > byOffset[i]->offset)
            overlap(*byOffset[i - 1], *byOffset[i]);
    }
}

void MixReader::overlap(const MixMember& first, const MixMember& second) const
{
    fail("members " + idText(first.id) + " and " + idText(second.id) + " overlap");
}

bool MixReader::hasDigest() const
{
    return form_ != IndexForm::Plain && (flags_ & kDigestFlag);
}

const MixMember* MixReader::find(std::uint32_t id) const
{
    auto found = std::find_if(members_.begin(), members_.end(), [&](const MixMember& m) { return m.id == id; });
    return found == members_.end() ? nullptr : &*found;
}

Bytes MixReader::read(const MixMember& member) const
{
    return source_->read(start_ + bodyStart_ + member.offset, member.size);
}

std::optional<bool> MixReader::digestMatches() const
{
    if (!hasDigest())
        return std::nullopt;
    Sha1 sha1;
    for (std::uint64_t done = 0; done < bodySize_;) {
        auto piece = static_cast<std::size_t>(std::min<std::uint64_t>(kDigestPiece, bodySize_ - done));
        sha1.add(source_->read(start_ + bodyStart_ + done, piece));
        done += piece;
    }
    auto stored = source_->read(start_ + bodyStart_ + bodySize_, kDigestSize);
    auto digest = sha1.digest();
    return std::equal(digest.begin(), digest.end(), stored.begin());
}

MixReader MixReader::nested(const MixMember& member, const std::string& memberName) const
{
    return MixReader(source_, name_ + "/" + memberName, start_ + bodyStart_ + member.offset, member.size, depth_ + 1);
}

}
