#include "GdiCanvas.h"

GdiCanvas::GdiCanvas(int width, int height) {
    HDC screen = GetDC(nullptr);
    m_bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    Select();
}

GdiCanvas::GdiCanvas(HBITMAP bitmap) : m_bitmap(bitmap) { Select(); }

void GdiCanvas::Select() {
    m_dc = CreateCompatibleDC(nullptr);
    if (m_dc && m_bitmap) m_previous = SelectObject(m_dc, m_bitmap);
}

GdiCanvas::~GdiCanvas() {
    if (m_previous) SelectObject(m_dc, m_previous);
    if (m_dc) DeleteDC(m_dc);
    if (m_bitmap) DeleteObject(m_bitmap);
}
