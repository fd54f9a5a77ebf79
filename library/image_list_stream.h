#pragma once

#include "library/image.h"

namespace qx::library {

// The common-controls image-list stream: a 28-byte head ("IL", version,
// count, capacity, grow, image width and height, background, flags, four
// overlays), a bitmap with the images in a grid and, when flag bit 0 is
// set, a 1-bit mask bitmap with the same grid.
FrameList readImageListStream(ByteView data);

// 32-bit colour with premultiplied alpha and a mask, four images a row.
// Refuses a list that the reader would refuse.
Bytes writeImageListStream(const FrameList& frames);

// Throws when a list of count frames of that size exceeds what the reader
// takes: a frame side, the count, or the bitmap that holds them all.
void checkListSize(std::size_t count, int width, int height);

}
