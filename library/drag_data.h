#pragma once

#include "library/image.h"

#include <optional>
#include <string>

namespace qx::library {

// What a drag from a library viewer carries: the library's path (UTF-8),
// the image number counted from 0, and the frames (an animation) or the one
// picture (an icon).
struct AnimationDrag {
    std::string libraryPath;
    int imageNumber = 0;
    FrameList frames;
};

struct IconDrag {
    std::string libraryPath;
    int imageNumber = 0;
    Image icon;
};

// The drag payloads: path, number, then the frames or the picture in their
// component stream form.
Bytes encodeDrag(const AnimationDrag& drag);
Bytes encodeDrag(const IconDrag& drag);
std::optional<AnimationDrag> decodeAnimationDrag(ByteView data);
std::optional<IconDrag> decodeIconDrag(ByteView data);

}
