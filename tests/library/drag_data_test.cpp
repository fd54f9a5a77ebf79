#include "library/drag_data.h"

#include <gtest/gtest.h>

namespace qx::library {
namespace {

TEST(DragData, RoundTripsAndRefusals)
{
    AnimationDrag animation{"/libs/t\xc3\xa4nks.vkl", 2, {1, 1, {Image{1, 1, {1, 2, 3, 255}}}}};
    auto decoded = decodeAnimationDrag(encodeDrag(animation));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->libraryPath, animation.libraryPath);
    EXPECT_EQ(decoded->imageNumber, 2);
    EXPECT_EQ(decoded->frames, animation.frames);

    IconDrag icon{"/libs/icons.vkl", 0, Image{1, 1, {9, 8, 7, 255}}};
    auto back = decodeIconDrag(encodeDrag(icon));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->icon, icon.icon);

    EXPECT_FALSE(decodeIconDrag(encodeDrag(animation)));
    EXPECT_FALSE(decodeAnimationDrag(Bytes{0xff, 0xff, 0xff, 0xff, 1}));
    EXPECT_FALSE(decodeAnimationDrag(Bytes{}));
}

}
}
