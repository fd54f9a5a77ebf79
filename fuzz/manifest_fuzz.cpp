#include "common/error.h"
#include "compiler/game_originals.h"
#include "compiler/install_journal.h"

#include <cstddef>
#include <cstdint>

// Any bytes found as the manifest of the game's own files, or as the install
// journal beside it, are accepted or refused with one message, never more.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        qx::compiler::checkManifest(qx::ByteView(data, size));
    } catch (const qx::Error&) {
    }
    try {
        qx::compiler::checkJournal(qx::ByteView(data, size));
    } catch (const qx::Error&) {
    }
    return 0;
}
