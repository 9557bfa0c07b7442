#include "tests/win/support/SkinPixels.h"

#include "skin/Dib.h"

GdiCanvas* NewResourceCanvas(UINT id, int factor) {
    CDIB image;
    image.LoadFromResource(id, GetModuleHandleW(nullptr));
    image.Enlarge(factor);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = image.CreateDeviceBitmap(screen);
    ReleaseDC(nullptr, screen);
    return new GdiCanvas(bitmap);
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
}
