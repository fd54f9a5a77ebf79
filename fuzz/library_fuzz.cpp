#include "common/error.h"
#include "library/library_file.h"

#include <cstddef>
#include <cstdint>

// Any plain library is parsed or refused; every preview and image it claims
// is read within bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        auto library = qx::library::parseLibrary(qx::Bytes(data, data + size));
        for (std::size_t i = 0; i < library.previews.size(); ++i) {
            try {
                library.preview(i);
            } catch (const qx::Error&) {
            }
        }
        for (std::size_t i = 0; i < library.table.size(); ++i) {
            try {
                library.image(i);
            } catch (const qx::Error&) {
            }
        }
    } catch (const qx::Error&) {
    }
    return 0;
}
