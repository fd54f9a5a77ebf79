#pragma once

#include "library/image.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qx::library {

// A component of the binary form-file stream (signature "TPF0"), with the
// properties this program reads: integers and binary values. Everything
// else is read past.
struct Component {
    std::string className;
    std::string name;
    std::map<std::string, std::int64_t> integers;
    std::map<std::string, ByteView> binaries;  // views into the stream
    std::vector<Component> children;
};

// Reads "TPF0" and one component from the start of data; consumed receives
// the stream's length. Throws on a truncated or absurd stream.
Component readComponentStream(ByteView data, std::size_t& consumed);

// An image-list component ("…ImageList"): its frame size and frames. One
// without a "Bitmap" property is an empty list.
FrameList readImageListComponent(ByteView data, std::size_t& consumed);
Bytes writeImageListComponent(const FrameList& frames);

// A picture component: the bitmap of its "Picture.Data", or an empty image.
Image readPictureComponent(ByteView data, std::size_t& consumed);
Bytes writePictureComponent(const Image& picture);

}
