#include "library/drag_data.h"

#include "common/bytes.h"
#include "common/error.h"
#include "library/component_stream.h"

namespace qx::library {
namespace {

Bytes head(const std::string& path, int number)
{
    Bytes out(8 + path.size());
    putU32(out, 0, static_cast<std::uint32_t>(path.size()));
    std::copy(path.begin(), path.end(), out.begin() + 4);
    putI32(out, 4 + path.size(), number);
    return out;
}

// Reads the path and number; returns the rest.
std::optional<ByteView> readHead(ByteView data, std::string& path, int& number)
{
    if (data.size() < 4)
        return std::nullopt;
    std::uint64_t length = u32At(data, 0);
    if (length + 8 > data.size())
        return std::nullopt;
    path.assign(reinterpret_cast<const char*>(data.data() + 4), static_cast<std::size_t>(length));
    number = i32At(data, 4 + static_cast<std::size_t>(length));
    return data.subspan(8 + static_cast<std::size_t>(length));
}

// Reads the path and number, then the rest through readStream.
template <typename Drag, typename ReadStream>
std::optional<Drag> decode(ByteView data, ReadStream readStream)
{
    Drag drag;
    auto rest = readHead(data, drag.libraryPath, drag.imageNumber);
    try {
        if (rest && readStream(*rest, drag))
            return drag;
    } catch (const Error&) {
    }
    return std::nullopt;
}

}

Bytes encodeDrag(const AnimationDrag& drag)
{
    auto out = head(drag.libraryPath, drag.imageNumber);
    auto stream = writeImageListComponent(drag.frames);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

Bytes encodeDrag(const IconDrag& drag)
{
    auto out = head(drag.libraryPath, drag.imageNumber);
    auto stream = writePictureComponent(drag.icon);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

std::optional<AnimationDrag> decodeAnimationDrag(ByteView data)
{
    return decode<AnimationDrag>(data, [](ByteView stream, AnimationDrag& drag) {
        std::size_t consumed = 0;
        drag.frames = readImageListComponent(stream, consumed);
        return true;
    });
}

std::optional<IconDrag> decodeIconDrag(ByteView data)
{
    return decode<IconDrag>(data, [](ByteView stream, IconDrag& drag) {
        std::size_t consumed = 0;
        drag.icon = readPictureComponent(stream, consumed);
        return !drag.icon.empty();
    });
}

}
