#include "common/error.h"
#include "library/component_stream.h"

#include <cstddef>
#include <cstdint>

// Any byte string given as an image-list or picture component stream is read
// or refused with the project error, never read out of bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qx::ByteView bytes(data, size);
    std::size_t consumed = 0;
    try {
        qx::library::readImageListComponent(bytes, consumed);
    } catch (const qx::Error&) {
    }
    try {
        qx::library::readPictureComponent(bytes, consumed);
    } catch (const qx::Error&) {
    }
    return 0;
}
