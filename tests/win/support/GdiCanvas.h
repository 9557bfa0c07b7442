#pragma once
#include <windows.h>

// A memory device context holding one bitmap it owns: something to draw a window into
// (WM_PRINTCLIENT) or to read a loaded bitmap from, pixel by pixel.
class GdiCanvas {
public:
    // A blank screen-compatible bitmap of this size.
    GdiCanvas(int width, int height);
    // Takes over a bitmap, which may be null (the canvas is then not valid).
    explicit GdiCanvas(HBITMAP bitmap);
    ~GdiCanvas();
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    bool valid() const { return m_dc && m_bitmap; }
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    void Select();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};
