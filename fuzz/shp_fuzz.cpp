#include "common/error.h"
#include "library/shp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any SHP file is read or refused with a message; what it holds, packed
// again, reads back to the same frames.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Frames the reader would allocate, up to its 256 MiB, are left out: under
    // the sanitizers they pass the fuzzer's memory limit. Claims beyond that
    // are still read, and refused before anything is allocated.
    if (size >= qx::library::kShpHeadSize) {
        std::uint64_t claimed = std::uint64_t(data[0] | data[1] << 8) * (data[6] | data[7] << 8) * (data[8] | data[9] << 8);
        if (claimed > (32u << 20) && claimed <= qx::library::kMaxShpBytes)
            return 0;
    }
    qx::library::Shp shp;
    try {
        shp = qx::library::readShp(qx::ByteView(data, size), "fuzz.shp");
    } catch (const qx::Error&) {
        return 0;
    }
    // Large ones are only read: packing 256 MiB would outlast the fuzzer's patience.
    if (shp.frames.empty() || shp.frames.size() * shp.frames[0].size() > (1u << 20))
        return 0;
    auto again = qx::library::readShp(qx::library::writeShp(shp.width, shp.height, shp.frames), "again.shp");
    if (again.frames != shp.frames)
        std::abort();
    return 0;
}
