#include "project/encoder.h"
#include "shell/directories.h"

#include <cstddef>
#include <cstdint>

// Any bytes as the coded settings file give three directories without a
// line break in them, or none.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto dirs = qx::parseSettings(qx::encoder::coded(qx::ByteView(data, size)));
    if (!dirs)
        return 0;
    for (const auto* dir : {&dirs->game, &dirs->program, &dirs->units}) {
        if (dir->find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
