#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/DibImage.h"

// One device-independent bitmap read from a bitmap resource into memory: raw pixel values, a
// device bitmap for painting, and a window region of every pixel that differs from a key.
// Failures are return values; LastError() gives the code (DibStatus).
class CDIB {
public:
    CDIB() = default;
    virtual ~CDIB() { FreeImage(); }
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    // Replaces whatever image was held; a resource that is missing or lies about its size loads
    // nothing.
    bool LoadFromResource(UINT id, HMODULE module);
    // The caller owns the bitmap.
    HBITMAP CreateDeviceBitmap(HDC dc);
    // Paints the image with its top left corner at (x, y) straight from the held pixels; false
    // when there is no image or the device refuses it.
    bool Draw(HDC dc, int x, int y) const { return DrawRows(dc, x, y, 0, m_image.height); }
    // The same for rowCount rows from firstRow (from the top), drawn with their top at y.
    bool DrawRows(HDC dc, int x, int y, int firstRow, int rowCount) const;
    bool HasImage() const { return m_image.PixelSize() > 0 && m_image.width > 0 && m_image.height > 0; }
    // x from the left, y from the top; the value is raw (24-bit: red in bits 16-23).
    bool GetPixelValue(int x, int y, uint32_t& value) const { return DibPixelValue(m_image, x, y, value); }
    // One rectangle per run of non-key pixels; the caller owns the region.
    HRGN BuildRegion(uint32_t key) const;
    // Nearest-neighbour, by a whole factor from 1 to 3 (see EnlargeDib).
    void Enlarge(int factor);

    int GetWidth() const { return m_image.width; }
    int GetHeight() const { return m_image.height; }
    int32_t LastError() const { return m_lastError; }
    void FreeImage();

private:
    DibImage m_image;
    int32_t m_lastError = kDibOk;
};
