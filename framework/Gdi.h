#pragma once
#include <windows.h>

// A window's client-area device context, released with its owner.
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~CClientDC() {
        if (m_dc) ReleaseDC(m_hwnd, m_dc);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// A memory device context with one bitmap selected into it. The bitmap is either made here (and
// owned) or lent by the caller; either way it is deselected before the context goes.
class CMemoryDC {
public:
    CMemoryDC() = default;
    ~CMemoryDC() { Reset(); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    // A bitmap of this size compatible with `reference` (a memory reference gives monochrome).
    bool CreateCompatible(HDC reference, int width, int height) {
        Reset();
        HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
        if (!bitmap) return false;
        m_owned = bitmap;
        return Select(reference, bitmap);
    }
    // A monochrome bitmap of this size.
    bool CreateMonochrome(int width, int height) {
        Reset();
        HBITMAP bitmap = CreateBitmap(width, height, 1, 1, nullptr);
        if (!bitmap) return false;
        m_owned = bitmap;
        return Select(nullptr, bitmap);
    }
    // The caller's bitmap, which it keeps.
    bool Lend(HDC reference, HBITMAP bitmap) {
        Reset();
        return bitmap && Select(reference, bitmap);
    }

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

    // Gives up the bitmap made here: the context goes, the bitmap is the caller's.
    HBITMAP Release() {
        HBITMAP bitmap = m_owned;
        m_owned = nullptr;
        Reset();
        return bitmap;
    }

    void Reset() {
        if (m_dc) {
            SelectObject(m_dc, m_previous);
            DeleteDC(m_dc);
        }
        if (m_owned) DeleteObject(m_owned);
        m_dc = nullptr;
        m_previous = nullptr;
        m_owned = nullptr;
    }

private:
    bool Select(HDC reference, HBITMAP bitmap) {
        m_dc = CreateCompatibleDC(reference);
        if (!m_dc) {
            Reset();
            return false;
        }
        m_previous = SelectObject(m_dc, bitmap);
        // A bitmap already selected into another context cannot be used here.
        if (!m_previous) {
            DeleteDC(m_dc);
            m_dc = nullptr;
            Reset();
            return false;
        }
        return true;
    }

    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
    HBITMAP m_owned = nullptr;
};
