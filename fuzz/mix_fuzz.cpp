#include "archive/game_archives.h"
#include "archive/mix_names.h"
#include "archive/mix_reader.h"
#include "common/error.h"

#include <cstddef>
#include <cstdint>

namespace {

// Every member named, described and read; archives inside opened in turn.
void walk(const qx::archive::MixReader& reader)
{
    qx::archive::MemberNames names(reader);
    reader.digestMatches();
    for (const auto& member : reader.members()) {
        auto name = names.of(member);
        auto kind = qx::archive::kindOf(reader, member, name);
        reader.read(member);
        if (kind.what != qx::archive::MemberKind::What::Archive)
            continue;
        try {
            walk(reader.nested(member, name));
        } catch (const qx::Error&) {
        }
    }
}

}

// Any bytes given as an archive are read or refused with one line, never read
// out of bounds, and nesting stops at its cap.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        walk(qx::archive::MixReader(qx::archive::memorySource(qx::Bytes(data, data + size)), "fuzz.mix"));
    } catch (const qx::Error&) {
    }
    return 0;
}
