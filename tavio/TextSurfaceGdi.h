#pragma once
#include <windows.h>

#include "framework/GdiObject.h"
#include "tavio/TextSurface.h"

// The text line drawn by GDI: a monochrome 126 x 9 bitmap in a memory device context, labels
// in "Small Fonts" at 9 pixels.
class CGdiTextSurface : public TextSurface {
public:
    CGdiTextSurface();
    ~CGdiTextSurface() override;
    CGdiTextSurface(const CGdiTextSurface&) = delete;
    CGdiTextSurface& operator=(const CGdiTextSurface&) = delete;

    // False when GDI gave no device context or bitmap; drawing then does nothing.
    bool IsReady() const { return m_dc && m_bitmap; }

    void Clear() override;
    void DrawCentred(int x, const std::wstring& text) override;
    std::vector<uint8_t> Pixels() const override;

private:
    HDC m_dc = nullptr;
    CBitmap m_bitmap;
    CFont m_font;
    HGDIOBJ m_initialBitmap = nullptr;
};
