// The darker and grey copies of a button image, and where a button puts its image and caption.
#include <gtest/gtest.h>

#include "skin/ButtonLayout.h"
#include "skin/ImageShades.h"

namespace {

TEST(SkinShades, DarkerTakesAQuarterAndGreyTheLuminanceBothTruncated) {
    struct Case {
        Rgb in, darker, grey;
    };
    const Case cases[] = {
        {{255, 0, 0}, {191, 0, 0}, {76, 76, 76}},
        {{0, 255, 0}, {0, 191, 0}, {149, 149, 149}},
        {{0, 0, 255}, {0, 0, 191}, {29, 29, 29}},
        {{1, 2, 3}, {0, 1, 2}, {1, 1, 1}},
        {{255, 255, 255}, {191, 191, 191}, {255, 255, 255}},
        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DarkerShade(c.in), c.darker) << int(c.in.r) << "," << int(c.in.g) << "," << int(c.in.b);
        EXPECT_EQ(GreyShade(c.in), c.grey) << int(c.in.r) << "," << int(c.in.g) << "," << int(c.in.b);
    }
}

TEST(SkinShades, PressShiftStyles) {
    int x = -9, y = -9;
    const int expected[3][2] = {{1, 1}, {0, 2}, {0, 0}};
    for (int style = 0; style < 3; ++style) {
        ASSERT_TRUE(PressShiftForStyle(style, x, y));
        EXPECT_EQ(x, expected[style][0]);
        EXPECT_EQ(y, expected[style][1]);
    }
    x = y = -9;
    for (int style : {-1, 3, 6}) EXPECT_FALSE(PressShiftForStyle(style, x, y));
    EXPECT_EQ(x, -9);
    EXPECT_EQ(y, -9);
}

TEST(SkinShades, ImagePlacementByAlignmentCaptionAndPress) {
    struct Case {
        ImageAlign align;
        bool caption, pressed;
        LayoutRect image, caption_;
    };
    // A 100 x 30 face at (10, 20) and a 20 x 9 image; origin (3, 3); press shift (1, 2).
    const Case cases[] = {
        {ImageAlign::Left, false, false, {50, 30, 70, 39}, {10, 20, 110, 50}},
        {ImageAlign::Left, true, false, {13, 30, 33, 39}, {33, 20, 110, 50}},
        {ImageAlign::Left, false, true, {51, 32, 71, 41}, {10, 20, 110, 50}},
        {ImageAlign::Above, true, false, {50, 3, 70, 12}, {10, 29, 110, 50}},
        {ImageAlign::Above, false, false, {50, 30, 70, 39}, {10, 20, 110, 50}},
        {ImageAlign::Right, true, false, {77, 30, 97, 39}, {3, 20, 77, 50}},
        {ImageAlign::Right, false, false, {50, 30, 70, 39}, {10, 20, 110, 50}},
    };
    for (const Case& c : cases) {
        ButtonLayoutInput in{{10, 20, 110, 50}, {10, 20, 110, 50}, 20, 9, c.caption, c.align, 3, 3, c.pressed,
                             1, 2, 100};
        const ButtonLayout out = PlaceButtonImage(in);
        const int got[8] = {out.image.left,   out.image.top,   out.image.right,   out.image.bottom,
                            out.caption.left, out.caption.top, out.caption.right, out.caption.bottom};
        const int want[8] = {c.image.left,    c.image.top,    c.image.right,    c.image.bottom,
                             c.caption_.left, c.caption_.top, c.caption_.right, c.caption_.bottom};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(got[i], want[i]) << "align " << int(c.align) << " caption " << c.caption << " field " << i;
    }
}

}  // namespace
