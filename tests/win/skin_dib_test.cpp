// Bitmap resources read into CDIB: the skin's window shape, its painting, the failure codes, and
// the mask a bitmap button cuts from its image.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "res/resource.h"
#include "skin/ButtonImages.h"
#include "skin/Dib.h"
#include "tests/win/support/GdiCanvas.h"
#include "tests/win/support/WinTestSupport.h"

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
    EXPECT_EQ(WinTest::Edges(box), (std::array<LONG, 4>{0, 0, 650, 261}));
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

// The window paints its skin from the parsed pixels; the system's own loader is the reference.
TEST(SkinDib, TheSkinDrawnFromItsPixelsMatchesTheSystemsLoadAtAnOffset) {
    CDIB skin;
    ASSERT_TRUE(skin.LoadFromResource(IDB_SKIN, GetModuleHandleW(nullptr)));
    GdiCanvas reference(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SKIN), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(reference.valid());
    const COLORREF fill = RGB(1, 2, 3);
    const int dx = 5, dy = 3;
    GdiCanvas canvas(660, 270);
    ASSERT_TRUE(canvas.valid());
    HBRUSH brush = CreateSolidBrush(fill);
    const RECT all{0, 0, 660, 270};
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);

    ASSERT_TRUE(skin.Draw(canvas.dc(), dx, dy));
    int compared = 0;
    for (int y = 0; y < 261; y += 2)
        for (int x = y % 3; x < 650; x += 3, ++compared)
            ASSERT_EQ(canvas.Pixel(dx + x, dy + y), reference.Pixel(x, y)) << x << "," << y;
    EXPECT_GT(compared, 20000);
    const POINT outside[] = {{dx - 1, dy}, {dx, dy - 1}, {dx + 650, dy + 100}, {dx + 300, dy + 261}};
    for (const POINT& p : outside) EXPECT_EQ(canvas.Pixel(p.x, p.y), fill) << p.x << "," << p.y;

    EXPECT_FALSE(skin.Draw(nullptr, 0, 0));
    CDIB empty;
    EXPECT_FALSE(empty.HasImage());
    EXPECT_FALSE(empty.Draw(canvas.dc(), 0, 0));
    EXPECT_EQ(canvas.Pixel(0, 0), fill);
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
