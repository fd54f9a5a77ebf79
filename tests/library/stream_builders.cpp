#include "stream_builders.h"

namespace qx::test {

void append16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void append32(Bytes& out, std::uint32_t value)
{
    append16(out, value & 0xffff);
    append16(out, value >> 16);
}

Bytes bitmapFile(int width, int height, int bits, const std::vector<std::uint32_t>& palette, const Bytes& rows,
                 std::uint32_t compression, const std::vector<std::uint32_t>& masks)
{
    std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(masks.size() + palette.size());
    Bytes out{'B', 'M'};
    append32(out, 14 + 40);  // only the header size, as in real image lists
    append32(out, 0);
    append32(out, offset);
    append32(out, 40);
    append32(out, static_cast<std::uint32_t>(width));
    append32(out, static_cast<std::uint32_t>(height));
    append16(out, 1);
    append16(out, static_cast<std::uint32_t>(bits));
    append32(out, compression);
    append32(out, static_cast<std::uint32_t>(rows.size()));
    append32(out, 0);
    append32(out, 0);
    append32(out, static_cast<std::uint32_t>(palette.size()));
    append32(out, 0);
    for (auto mask : masks)
        append32(out, mask);
    for (auto colour : palette)
        append32(out, colour);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

Bytes imageListStream(int count, int capacity, int width, int height, std::uint16_t flags, const Bytes& colour,
                      const Bytes& mask)
{
    Bytes out;
    append16(out, 0x4C49);
    append16(out, 0x0101);
    append16(out, static_cast<std::uint32_t>(count));
    append16(out, static_cast<std::uint32_t>(capacity));
    append16(out, 4);
    append16(out, static_cast<std::uint32_t>(width));
    append16(out, static_cast<std::uint32_t>(height));
    append32(out, 0x00ff00ff);  // a background colour that must be ignored
    append16(out, flags);
    for (int i = 0; i < 4; ++i)
        append16(out, 0xffff);
    out.insert(out.end(), colour.begin(), colour.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

Bytes shortString(const std::string& text)
{
    Bytes out(1 + text.size());
    out[0] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), out.begin() + 1);
    return out;
}

Bytes intProperty(const std::string& name, std::int32_t value)
{
    auto out = shortString(name);
    out.push_back(3);  // int16, as the form-file writer uses for small numbers
    append16(out, static_cast<std::uint32_t>(value));
    return out;
}

Bytes binaryProperty(const std::string& name, const Bytes& value)
{
    auto out = shortString(name);
    out.push_back(10);
    append32(out, static_cast<std::uint32_t>(value.size()));
    out.insert(out.end(), value.begin(), value.end());
    return out;
}

Bytes componentStream(const std::string& className, const Bytes& properties, const Bytes& children)
{
    Bytes out{'T', 'P', 'F', '0'};
    auto cls = shortString(className);
    auto name = shortString("List1");
    out.insert(out.end(), cls.begin(), cls.end());
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), properties.begin(), properties.end());
    out.push_back(0);
    out.insert(out.end(), children.begin(), children.end());
    out.push_back(0);
    return out;
}

}
