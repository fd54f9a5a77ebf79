#pragma once

#include "common/file_io.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// Bytes read as 8-bit text.
inline std::string_view textOf(ByteView bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Little-endian fields at fixed offsets of a record. Callers check the
// record's size once; the offsets are the record layout's constants.
inline std::uint8_t u8At(ByteView bytes, std::size_t at) { return bytes[at]; }

inline std::uint16_t u16At(ByteView bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t u32At(ByteView bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

inline std::int32_t i32At(ByteView bytes, std::size_t at) { return static_cast<std::int32_t>(u32At(bytes, at)); }

// A length byte and up to capacity characters.
inline std::string shortTextAt(ByteView bytes, std::size_t at, std::size_t capacity)
{
    auto length = std::min<std::size_t>(bytes[at], capacity);
    return std::string(reinterpret_cast<const char*>(bytes.data() + at + 1), length);
}

inline void putU8(Bytes& bytes, std::size_t at, std::uint8_t value) { bytes[at] = value; }

inline void putU16(Bytes& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void putU32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void putI32(Bytes& bytes, std::size_t at, std::int32_t value) { putU32(bytes, at, static_cast<std::uint32_t>(value)); }

inline void putShortText(Bytes& bytes, std::size_t at, std::size_t capacity, const std::string& text)
{
    auto length = std::min(text.size(), capacity);
    bytes[at] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, bytes.begin() + static_cast<std::ptrdiff_t>(at + 1));
}

}
