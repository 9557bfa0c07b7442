// Bitmap resources read into CDIB: the skin's window shape, the failure codes, and the mask a
// bitmap button cuts from its image.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "res/resource.h"
#include "skin/ButtonImages.h"
#include "skin/Dib.h"
#include "tests/win/support/GdiCanvas.h"

namespace {

TEST(SkinDib, TheSkinsShapeIsOneStripPerRowWithTheTabAtTheBottom) {
    CDIB skin;
    ASSERT_TRUE(skin.LoadFromResource(IDB_SKIN, GetModuleHandleW(nullptr)));
    EXPECT_EQ(skin.GetWidth(), 650);
    EXPECT_EQ(skin.GetHeight(), 261);
    uint32_t key = 0;
    ASSERT_TRUE(skin.GetPixelValue(1, 1, key));
    EXPECT_EQ(key, 0x51293Cu);

    // Counted here pixel by pixel, independently of the region code.
    int runs = 0;
    for (int y = 0; y < skin.GetHeight(); ++y) {
        bool open = false;
        for (int x = 0; x < skin.GetWidth(); ++x) {
            uint32_t v = 0;
            ASSERT_TRUE(skin.GetPixelValue(x, y, v));
            if (v != key && !open) ++runs;
            open = v != key;
        }
    }
    EXPECT_EQ(runs, 261);

    HRGN region = skin.BuildRegion(key);
    ASSERT_NE(region, nullptr);
    struct Point {
        int x, y;
        bool inside;
    };
    const Point points[] = {{300, 259, true},  {287, 260, true},  {359, 260, true}, {325, 100, true},
                            {270, 259, false}, {286, 260, false}, {1, 1, false},     {649, 0, false},
                            {0, 260, false},   {650, 100, false}};
    for (const Point& p : points) EXPECT_EQ(PtInRegion(region, p.x, p.y) != 0, p.inside) << p.x << "," << p.y;
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 650);
    EXPECT_EQ(box.bottom, 261);
    DeleteObject(region);
}

TEST(SkinDib, FailuresLeaveTheObjectEmptyWithTheirCode) {
    CDIB image;
    ASSERT_TRUE(image.LoadFromResource(IDB_GAUGE, GetModuleHandleW(nullptr)));
    EXPECT_EQ(image.GetWidth(), 74);
    EXPECT_FALSE(image.LoadFromResource(4242, GetModuleHandleW(nullptr)));
    EXPECT_EQ(image.LastError(), kDibNotFound);
    EXPECT_EQ(image.GetWidth(), 0);  // the first image went with the second load
    EXPECT_EQ(image.GetHeight(), 0);
    uint32_t v = 5;
    EXPECT_FALSE(image.GetPixelValue(0, 0, v));

    HDC screen = GetDC(nullptr);
    EXPECT_EQ(image.CreateDeviceBitmap(screen), nullptr);
    EXPECT_EQ(image.LastError(), kDibNoImage);
    ASSERT_TRUE(image.LoadFromResource(IDB_GAUGE, GetModuleHandleW(nullptr)));
    EXPECT_EQ(image.CreateDeviceBitmap(nullptr), nullptr);
    EXPECT_EQ(image.LastError(), kDibNoDeviceContext);
    HBITMAP made = image.CreateDeviceBitmap(screen);
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(image.LastError(), kDibOk);
    BITMAP info{};
    GetObjectW(made, sizeof(info), &info);
    EXPECT_EQ(info.bmWidth, 74);
    EXPECT_EQ(info.bmHeight, 119);
    DeleteObject(made);
    ReleaseDC(nullptr, screen);
}

HBITMAP LoadButtonImage(UINT id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                           LR_DEFAULTCOLOR));
}

TEST(SkinDib, TheMaskIsSetExactlyWhereTheImageHasTheFaceColourWhichTurnsBlack) {
    GdiCanvas original(LoadButtonImage(IDB_APPLY_HOVER));
    HBITMAP masked = LoadButtonImage(IDB_APPLY_HOVER);
    GdiCanvas mask(BuildMask(masked, 85, 22, RGB(254, 254, 254)));
    GdiCanvas image(masked);
    ASSERT_TRUE(original.valid());
    ASSERT_TRUE(image.valid());
    ASSERT_TRUE(mask.valid());
    int keyed = 0;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 85; ++x) {
            const bool key = original.Pixel(x, y) == RGB(254, 254, 254);
            keyed += key;
            // A monochrome bitmap reads as white for bit 1.
            EXPECT_EQ(mask.Pixel(x, y), key ? RGB(255, 255, 255) : RGB(0, 0, 0)) << x << "," << y;
            EXPECT_EQ(image.Pixel(x, y), key ? RGB(0, 0, 0) : original.Pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_GT(keyed, 0);
}

}  // namespace
