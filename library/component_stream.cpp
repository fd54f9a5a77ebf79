#include "library/component_stream.h"

#include "common/bytes.h"
#include "common/error.h"
#include "library/bitmap.h"
#include "library/image_list_stream.h"

namespace qx::library {
namespace {

constexpr int kMaxDepth = 32;

enum ValueType : std::uint8_t {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
    vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String, vaDouble,
};

class Reader {
public:
    explicit Reader(ByteView data) : data_(data) {}

    std::size_t position() const { return at_; }

    void need(std::uint64_t count) const
    {
        if (count > data_.size() - at_)
            throw Error("Damaged component stream: truncated at byte " + std::to_string(at_) + " (needed " +
                        std::to_string(count) + " bytes, only " + std::to_string(data_.size() - at_) + " available)");
    }
    std::uint8_t peek() const
    {
        need(1);
        return data_[at_];
    }
    std::uint8_t u8()
    {
        need(1);
        return data_[at_++];
    }
    std::uint32_t u32()
    {
        need(4);
        auto value = u32At(data_, at_);
        at_ += 4;
        return value;
    }
    ByteView take(std::uint64_t count)
    {
        need(count);
        auto view = data_.subspan(at_, static_cast<std::size_t>(count));
        at_ += static_cast<std::size_t>(count);
        return view;
    }
    std::string shortString()
    {
        auto bytes = take(u8());
        return std::string(bytes.begin(), bytes.end());
    }

private:
    ByteView data_;
    std::size_t at_ = 0;
};

std::int64_t readInteger(Reader& in, std::uint8_t type)
{
    switch (type) {
    case vaInt8: return static_cast<std::int8_t>(in.u8());
    case vaInt16: {
        auto b = in.take(2);
        return static_cast<std::int16_t>(b[0] | b[1] << 8);
    }
    case vaInt32: return static_cast<std::int32_t>(in.u32());
    default: throw Error("Damaged component stream: an integer of value type " + std::to_string(type));
    }
}

void skipValue(Reader& in, std::uint8_t type, int depth);

void skipProperties(Reader& in, int depth)
{
    while (in.peek() != 0) {
        in.shortString();
        skipValue(in, in.u8(), depth);
    }
    in.u8();
}

void skipValue(Reader& in, std::uint8_t type, int depth)
{
    if (depth > kMaxDepth)
        throw Error("Damaged component stream: values nested too deeply");
    switch (type) {
    case vaNull: case vaFalse: case vaTrue: case vaNil: return;
    case vaInt8: case vaInt16: case vaInt32: readInteger(in, type); return;
    case vaExtended: in.take(10); return;
    case vaSingle: in.take(4); return;
    case vaCurrency: case vaDate: case vaInt64: case vaDouble: in.take(8); return;
    case vaString: case vaIdent: in.shortString(); return;
    case vaBinary: case vaLString: case vaUTF8String: in.take(in.u32()); return;
    case vaWString: in.take(std::uint64_t{in.u32()} * 2); return;
    case vaSet:
        while (!in.shortString().empty()) {
        }
        return;
    case vaList:
        while (in.peek() != vaNull)
            skipValue(in, in.u8(), depth + 1);
        in.u8();
        return;
    case vaCollection:
        while (in.peek() != vaNull) {
            auto next = in.peek();
            if (next == vaInt8 || next == vaInt16 || next == vaInt32)
                readInteger(in, in.u8());
            if (in.u8() != vaList)
                throw Error("Damaged component stream: a collection item without its list");
            skipProperties(in, depth + 1);
        }
        in.u8();
        return;
    default: throw Error("Damaged component stream: unknown value type " + std::to_string(type));
    }
}

Component readComponent(Reader& in, int depth)
{
    if (depth > kMaxDepth)
        throw Error("Damaged component stream: components nested too deeply");
    if ((in.peek() & 0xf0) == 0xf0) {
        auto flags = in.u8() & 0x0f;
        if (flags & 0x02)
            readInteger(in, in.u8());
    }
    Component component;
    component.className = in.shortString();
    component.name = in.shortString();
    while (in.peek() != 0) {
        auto property = in.shortString();
        auto type = in.u8();
        if (type == vaInt8 || type == vaInt16 || type == vaInt32)
            component.integers[property] = readInteger(in, type);
        else if (type == vaBinary)
            component.binaries[property] = in.take(in.u32());
        else
            skipValue(in, type, depth);
    }
    in.u8();
    while (in.peek() != 0)
        component.children.push_back(readComponent(in, depth + 1));
    in.u8();
    return component;
}

const Component* findImageList(const Component& component)
{
    if (component.className.ends_with("ImageList"))
        return &component;
    for (const auto& child : component.children) {
        if (const auto* found = findImageList(child))
            return found;
    }
    return nullptr;
}

int sizeProperty(const Component& component, const char* name)
{
    auto it = component.integers.find(name);
    if (it == component.integers.end())
        return 16;
    if (it->second <= 0 || it->second > kMaxImageSide)
        throw Error("Damaged image list: " + std::string(name) + " " + std::to_string(it->second));
    return static_cast<int>(it->second);
}

void putShortString(Bytes& out, const std::string& text)
{
    out.push_back(static_cast<std::uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

void putInteger(Bytes& out, const std::string& name, std::int32_t value)
{
    putShortString(out, name);
    out.push_back(vaInt32);
    Bytes bytes(4);
    putI32(bytes, 0, value);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void putBinary(Bytes& out, const std::string& name, ByteView value)
{
    putShortString(out, name);
    out.push_back(vaBinary);
    Bytes size(4);
    putU32(size, 0, static_cast<std::uint32_t>(value.size()));
    out.insert(out.end(), size.begin(), size.end());
    out.insert(out.end(), value.begin(), value.end());
}

Bytes streamStart(const char* className, const char* name)
{
    Bytes out{'T', 'P', 'F', '0'};
    putShortString(out, className);
    putShortString(out, name);
    return out;
}

void streamEnd(Bytes& out)
{
    out.push_back(0);  // end of properties
    out.push_back(0);  // end of children
}

}

Component readComponentStream(ByteView data, std::size_t& consumed)
{
    Reader in(data);
    auto signature = in.take(4);
    if (!std::equal(signature.begin(), signature.end(), "TPF0"))
        throw Error("Damaged component stream: no \"TPF0\" signature");
    auto component = readComponent(in, 0);
    consumed = in.position();
    return component;
}

FrameList readImageListComponent(ByteView data, std::size_t& consumed)
{
    auto root = readComponentStream(data, consumed);
    const auto* list = findImageList(root);
    if (!list)
        throw Error("The component stream holds no image list.");
    FrameList frames{sizeProperty(*list, "Width"), sizeProperty(*list, "Height"), {}};
    auto bitmap = list->binaries.find("Bitmap");
    if (bitmap == list->binaries.end())
        return frames;
    auto stored = readImageListStream(bitmap->second);
    if (stored.width != frames.width || stored.height != frames.height)
        throw Error("Damaged image list: its stream holds images of another size than the list.");
    return stored;
}

Bytes writeImageListComponent(const FrameList& frames)
{
    auto out = streamStart("TImageList", "ImageList1");
    putInteger(out, "Height", frames.height);
    putInteger(out, "Width", frames.width);
    putBinary(out, "Bitmap", writeImageListStream(frames));
    streamEnd(out);
    return out;
}

Image readPictureComponent(ByteView data, std::size_t& consumed)
{
    auto root = readComponentStream(data, consumed);
    auto found = root.binaries.find("Picture.Data");
    if (found == root.binaries.end())
        return {};
    Reader in(found->second);
    auto className = in.shortString();
    if (className != "TBitmap")
        throw Error("The picture is a " + className + ", not a bitmap.");
    auto bitmap = readBitmap(in.take(in.u32()));
    return cutImage(bitmap, nullptr, 0, 0, bitmap.width, bitmap.height);
}

Bytes writePictureComponent(const Image& picture)
{
    auto out = streamStart("TImage", "Image1");
    if (!picture.empty()) {
        Bytes bgra(picture.rgba.size());
        for (std::size_t i = 0; i < bgra.size(); i += 4)
            putPremultiplied(&bgra[i], &picture.rgba[i]);
        auto bitmap = writeBitmap32(picture.width, picture.height, bgra);
        Bytes data;
        putShortString(data, "TBitmap");
        Bytes size(4);
        putU32(size, 0, static_cast<std::uint32_t>(bitmap.size()));
        data.insert(data.end(), size.begin(), size.end());
        data.insert(data.end(), bitmap.begin(), bitmap.end());
        putBinary(out, "Picture.Data", data);
    }
    streamEnd(out);
    return out;
}

}
