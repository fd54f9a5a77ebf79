#pragma once

#include "common/file_io.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx::archive {

constexpr std::size_t kMaxMemberName = 12;

// The member identifier of a file name of at most 12 characters, as the
// compile names its members.
std::uint32_t nameHash(const std::string& name);
// The same of a name of any length, as archive tools name theirs.
std::uint32_t memberId(std::string_view name);

// Collects members and writes the archive in one piece: index ascending by
// identifier compared as signed numbers, members of equal identifier in the
// order added, bodies in index order.
class MixArchive {
public:
    // Refuses names longer than 12 characters.
    void add(const std::string& name, Bytes content);
    // The same for bytes the caller keeps alive as long as the archive.
    void addShared(const std::string& name, ByteView content);
    bool empty() const { return members_.empty(); }
    Bytes bytes() const;
    // The head and index; the members' contents follow it in order.
    Bytes index() const;
    // The archive as its index and each member's content, to be written one
    // after another without being copied into one.
    std::vector<ByteView> pieces(const Bytes& index) const;

    struct Member {
        std::uint32_t id;
        std::string name;
        ByteView shared;
        Bytes owned;

        ByteView content() const { return owned.empty() ? shared : ByteView(owned); }
    };
    // In the order of the archive's index.
    const std::vector<Member>& members() const { return members_; }

private:
    Member& insert(const std::string& name);

    std::vector<Member> members_;
};

}
