#include "tavio/TextSurfaceGdi.h"

CGdiTextSurface::CGdiTextSurface() {
    m_dc = CreateCompatibleDC(nullptr);
    if (!m_dc) return;
    // Compatible with a memory context, the bitmap has one bit per pixel.
    m_bitmap.Reset(CreateCompatibleBitmap(m_dc, kWidth, kHeight));
    if (m_bitmap) m_initialBitmap = SelectObject(m_dc, m_bitmap.Get());
    m_font.Reset(CreateFontW(-kHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_RASTER_PRECIS,
                             CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Small Fonts"));
    Clear();
}

CGdiTextSurface::~CGdiTextSurface() {
    if (!m_dc) return;
    if (m_initialBitmap) SelectObject(m_dc, m_initialBitmap);
    DeleteDC(m_dc);
}

void CGdiTextSurface::Clear() {
    if (!IsReady()) return;
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // Any colour but black is a lit pixel: the background must be taken as black.
    SetBkColor(m_dc, RGB(1, 0, 0));
    SetTextColor(m_dc, RGB(255, 255, 255));
}

void CGdiTextSurface::DrawCentred(int x, const std::wstring& text) {
    if (!IsReady() || text.empty()) return;
    HGDIOBJ previous = m_font ? SelectObject(m_dc, m_font.Get()) : nullptr;
    SetTextAlign(m_dc, TA_CENTER | TA_BOTTOM);
    TextOutW(m_dc, x, kHeight, text.c_str(), static_cast<int>(text.size()));
    if (previous) SelectObject(m_dc, previous);
}

std::vector<uint8_t> CGdiTextSurface::Pixels() const {
    std::vector<uint8_t> pixels(kWidth * kHeight, 0);
    if (!IsReady()) return pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = GetPixel(m_dc, x, y) != RGB(0, 0, 0);
    return pixels;
}
