#pragma once

#include "common/file_io.h"

#include <string>
#include <vector>

// Hand-made streams as other tools write them, built byte by byte.
namespace qx::test {

void append16(Bytes& out, std::uint32_t value);
void append32(Bytes& out, std::uint32_t value);

// A bitmap file; rows are given bottom-up, each already padded to 4 bytes.
// The size field holds only the header size, as real image lists have it.
Bytes bitmapFile(int width, int height, int bits, const std::vector<std::uint32_t>& palette, const Bytes& rows,
                 std::uint32_t compression = 0, const std::vector<std::uint32_t>& masks = {});

// The 28-byte "IL" head followed by the bitmaps.
Bytes imageListStream(int count, int capacity, int width, int height, std::uint16_t flags, const Bytes& colour,
                      const Bytes& mask = {});

// "TPF0", a component with the given class and raw property bytes (each
// property already written), ended, with no children.
Bytes componentStream(const std::string& className, const Bytes& properties, const Bytes& children = {});
Bytes shortString(const std::string& text);
Bytes intProperty(const std::string& name, std::int32_t value);
Bytes binaryProperty(const std::string& name, const Bytes& value);

}
