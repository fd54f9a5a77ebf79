#pragma once

#include "common/file_io.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::archive {

// Where an archive's bytes lie: a file, or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Exactly count bytes at offset; throws when the source has fewer.
    virtual Bytes read(std::uint64_t offset, std::size_t count) const = 0;
};

std::shared_ptr<const ByteSource> fileSource(const fs::path& path);
std::shared_ptr<const ByteSource> memorySource(Bytes bytes);

// How an archive's index is stored.
enum class IndexForm { Plain, Extended, Encrypted };

struct MixMember {
    std::uint32_t id = 0;
    std::uint32_t offset = 0;  // from the start of the body
    std::uint32_t size = 0;
};

// An identifier as eight hex digits, as a member without a name is shown.
std::string idText(std::uint32_t id);

// Archives inside archives are opened this deep at most.
constexpr int kMaxNesting = 8;

// An archive's index, read and checked when it is opened; members' data is
// read only when asked for. Every fault throws one line "NAME: why".
class MixReader {
public:
    // The archive at [start, start + size) of the source; to the source's
    // end without a size.
    MixReader(std::shared_ptr<const ByteSource> source, std::string name, std::uint64_t start = 0,
              std::optional<std::uint64_t> size = std::nullopt, int depth = 0);

    const std::string& name() const { return name_; }
    IndexForm form() const { return form_; }
    std::uint16_t flags() const { return flags_; }
    bool hasDigest() const;
    std::uint64_t bodyStart() const { return bodyStart_; }
    std::uint32_t bodySize() const { return bodySize_; }
    // In index order.
    const std::vector<MixMember>& members() const { return members_; }
    const MixMember* find(std::uint32_t id) const;

    Bytes read(const MixMember& member) const;
    // Whether the digest after the body is the body's SHA-1, read a piece
    // at a time; nothing for an archive without one.
    std::optional<bool> digestMatches() const;
    // The member opened as an archive of its own, named NAME/memberName.
    MixReader nested(const MixMember& member, const std::string& memberName) const;

private:
    void readIndex();
    void readPlainIndex(std::uint64_t offset);
    void setBodyStart(std::uint64_t start, std::size_t count);
    // Bytes inside the archive's own stretch of its source.
    Bytes bytesAt(std::uint64_t offset, std::size_t count) const;
    void readEntries(ByteView entries, std::size_t count);
    void readEntries(std::uint64_t offset, std::size_t count);
    void check() const;
    [[noreturn]] void overlap(const MixMember& first, const MixMember& second) const;
    [[noreturn]] void fail(const std::string& why) const;

    std::shared_ptr<const ByteSource> source_;
    std::string name_;
    std::uint64_t start_;
    std::uint64_t size_;
    int depth_;
    IndexForm form_ = IndexForm::Plain;
    std::uint16_t flags_ = 0;
    std::uint64_t bodyStart_ = 0;
    std::uint32_t bodySize_ = 0;
    std::vector<MixMember> members_;
    Bytes prefix_;  // the archive's first bytes while its index is read
};

}
