#include "skin/ButtonImages.h"

#include "framework/Gdi.h"
#include "skin/ImageShades.h"

namespace {

template <typename Shade>
HBITMAP MakeShadedImage(HBITMAP image, int width, int height, COLORREF key, Shade shade) {
    CClientDC screen(nullptr);
    CMemoryDC source, target;
    if (!screen.Get() || !source.Lend(screen.Get(), image) ||
        !target.CreateCompatible(screen.Get(), width, height))
        return nullptr;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = GetPixel(source.Get(), x, y);
            if (c == key) {
                SetPixel(target.Get(), x, y, c);
                continue;
            }
            const Rgb out = shade(Rgb{GetRValue(c), GetGValue(c), GetBValue(c)});
            SetPixel(target.Get(), x, y, RGB(out.r, out.g, out.b));
        }
    }
    return target.Release();
}

}  // namespace

HBITMAP BuildMask(HBITMAP image, int width, int height, COLORREF key) {
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    if (!mask) return nullptr;
    CMemoryDC imageDc, maskDc;
    if (!imageDc.Lend(nullptr, image) || !maskDc.Lend(nullptr, mask)) {
        DeleteObject(mask);
        return nullptr;
    }
    SetBkColor(imageDc.Get(), key);
    BitBlt(maskDc.Get(), 0, 0, width, height, imageDc.Get(), 0, 0, SRCCOPY);
    SetTextColor(imageDc.Get(), RGB(255, 255, 255));
    SetBkColor(imageDc.Get(), RGB(0, 0, 0));
    BitBlt(imageDc.Get(), 0, 0, width, height, maskDc.Get(), 0, 0, SRCAND);
    return mask;
}

HBITMAP MakeDarkerImage(HBITMAP image, int width, int height, COLORREF key) {
    return MakeShadedImage(image, width, height, key, DarkerShade);
}

HBITMAP MakeGreyImage(HBITMAP image, int width, int height, COLORREF key) {
    return MakeShadedImage(image, width, height, key, GreyShade);
}
