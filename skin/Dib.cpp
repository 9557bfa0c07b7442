#include "skin/Dib.h"

#include <algorithm>

#include "skin/PixelRuns.h"
#include "skin/SkinScale.h"

bool CDIB::LoadFromResource(UINT id, HMODULE module) {
    FreeImage();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
    if (!found) {
        m_lastError = kDibNotFound;
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    // The resource stays mapped with the module: the image paints from it instead of a copy.
    m_lastError = ParseDib(data, data ? SizeofResource(module, found) : 0, m_image);
    return m_lastError == kDibOk;
}

HBITMAP CDIB::CreateDeviceBitmap(HDC dc) {
    if (!dc) {
        m_lastError = kDibNoDeviceContext;
        return nullptr;
    }
    if (!HasImage()) {
        m_lastError = kDibNoImage;
        return nullptr;
    }
    if (m_image.bitsPerPixel == 8 && (m_image.colours.empty() || m_image.colourCount == 0)) {
        m_lastError = kDibNoColourTable;
        return nullptr;
    }
    const std::vector<uint8_t> block = DibInfoBlock(m_image);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(block.data());
    HBITMAP bitmap = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, m_image.PixelData(), info, DIB_RGB_COLORS);
    m_lastError = bitmap ? kDibOk : kDibDeviceRefused;
    return bitmap;
}

// No device bitmap is kept: under Wine one costs the image again at the screen's depth.
// Painted in bands: the system converts what it paints into a buffer of the screen's format, and
// one for the whole skin stays in the heap after the paint (0.7 MB under Wine).
bool CDIB::DrawRows(HDC dc, int x, int y, int firstRow, int rowCount) const {
    if (!dc || !HasImage() || firstRow < 0 || rowCount < 0 || firstRow + rowCount > m_image.height) return false;
    if (m_image.bitsPerPixel == 8 && (m_image.colours.empty() || m_image.colourCount == 0)) return false;
    const std::vector<uint8_t> block = DibInfoBlock(m_image);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(block.data());
    constexpr int kBandBytes = 64 * 1024;
    const int band = std::max(1, kBandBytes / (m_image.width * 4));
    const auto width = static_cast<DWORD>(m_image.width);
    const auto height = static_cast<UINT>(m_image.height);
    for (int done = 0; done < rowCount; done += band) {
        const int rows = std::min(band, rowCount - done);
        const int top = firstRow + done;
        // The source's y counts from the bottom row of a bottom-up image.
        if (SetDIBitsToDevice(dc, x, y + done, width, static_cast<DWORD>(rows), 0, m_image.height - top - rows, 0,
                              height, m_image.PixelData(), info, DIB_RGB_COLORS) == 0)
            return false;
    }
    return true;
}

HRGN CDIB::BuildRegion(uint32_t key) const {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region) return nullptr;
    for (const PixelRun& run : OpaqueRuns(m_image, key)) {
        HRGN strip = CreateRectRgn(run.left, run.y, run.right, run.y + 1);
        if (!strip) continue;
        CombineRgn(region, region, strip, RGN_OR);
        DeleteObject(strip);
    }
    return region;
}

void CDIB::Enlarge(int factor) { m_image = EnlargeDib(m_image, factor); }

void CDIB::FreeImage() {
    m_image = DibImage{};
    m_lastError = kDibOk;
}
