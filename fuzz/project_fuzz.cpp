#include "common/error.h"
#include "project/working_file.h"

#include <cstddef>
#include <cstdint>

// Any byte string given as a project working file is parsed or refused with
// the project error, never read out of bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        qx::ByteView file(data, size);
        qx::project::openedListLines(file, qx::project::parseDirectory(file));
    } catch (const qx::Error&) {
    }
    return 0;
}
