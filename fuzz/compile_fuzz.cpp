#include "common/error.h"
#include "compiler/compile.h"

#include <cstddef>
#include <cstdint>

// Any project working file: every entry the directory check accepts is
// written into the rules text and the archive without reading out of bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        auto outputs = qx::compiler::buildOutputs(qx::ByteView(data, size));
        outputs.archive.bytes();
    } catch (const qx::Error&) {
    }
    return 0;
}
