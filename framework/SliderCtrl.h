#pragma once
#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

// A trackbar. The range is set one end at a time, so it is not limited to 16 bits.
class CSliderCtrl : public CWnd {
public:
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void SetRangeMin(int min, bool redraw = false) {
        SendMessage(TBM_SETRANGEMIN, redraw, min);
        PlaceThumb();
    }
    void SetRangeMax(int max, bool redraw = false) {
        SendMessage(TBM_SETRANGEMAX, redraw, max);
        PlaceThumb();
    }
    void SetRange(int min, int max, bool redraw = false) {
        SetRangeMin(min, false);
        SetRangeMax(max, redraw);
    }
    RECT GetThumbRect() const {
        RECT rect{};
        SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

private:
    // Some trackbars place the thumb only when the position moves: after a range change alone it
    // would stay where the old range put it, away from the value it stands for.
    void PlaceThumb() {
        const int pos = GetPos(), max = GetRangeMax();
        if (GetRangeMin() >= max) return;
        SetPos(pos < max ? pos + 1 : pos - 1);
        SetPos(pos);
    }
};
