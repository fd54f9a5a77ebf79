#include "archive/mix_writer.h"

#include "common/bytes.h"
#include "common/error.h"

#include <algorithm>
#include <bit>

namespace qx::archive {

std::uint32_t nameHash(const std::string& name)
{
    if (name.size() > kMaxMemberName)
        throw Error("The archive member name \"" + name + "\" is longer than 12 characters.");
    return memberId(name);
}

std::uint32_t memberId(std::string_view name)
{
    std::string upper(name);
    for (auto& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    }
    upper.resize((upper.size() + 3) / 4 * 4, '\0');
    std::uint32_t id = 0;
    for (std::size_t at = 0; at < upper.size() && upper[at] != '\0'; at += 4) {
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 4; ++i)
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(upper[at + i])) << (8 * i);
        id = std::rotl(id, 1) + group;
    }
    return id;
}

MixArchive::Member& MixArchive::insert(const std::string& name)
{
    Member member{nameHash(name), name, {}, {}};
    auto signedId = [](const Member& m) { return static_cast<std::int32_t>(m.id); };
    auto at = std::upper_bound(members_.begin(), members_.end(), member,
                               [&](const Member& a, const Member& b) { return signedId(a) < signedId(b); });
    return *members_.insert(at, std::move(member));
}

void MixArchive::add(const std::string& name, Bytes content)
{
    insert(name).owned = std::move(content);
}

void MixArchive::addShared(const std::string& name, ByteView content)
{
    insert(name).shared = content;
}

Bytes MixArchive::index() const
{
    std::uint64_t bodySize = 0;
    for (const auto& member : members_)
        bodySize += member.content().size();
    if (members_.size() > 0xffff || bodySize > UINT32_MAX)
        throw Error("The graphics do not fit into one archive.");
    Bytes out(6 + 12 * members_.size());
    putU16(out, 0, static_cast<std::uint16_t>(members_.size()));
    putU32(out, 2, static_cast<std::uint32_t>(bodySize));
    std::uint32_t offset = 0;
    for (std::size_t i = 0; i < members_.size(); ++i) {
        const auto& member = members_[i];
        putU32(out, 6 + 12 * i, member.id);
        putU32(out, 10 + 12 * i, offset);
        putU32(out, 14 + 12 * i, static_cast<std::uint32_t>(member.content().size()));
        offset += static_cast<std::uint32_t>(member.content().size());
    }
    return out;
}

std::vector<ByteView> MixArchive::pieces(const Bytes& index) const
{
    std::vector<ByteView> all{index};
    for (const auto& member : members_)
        all.push_back(member.content());
    return all;
}

Bytes MixArchive::bytes() const
{
    auto index = this->index();
    Bytes out;
    for (auto piece : pieces(index))
        out.insert(out.end(), piece.begin(), piece.end());
    return out;
}

}
