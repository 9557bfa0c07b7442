#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "framework/AccessibleWindow.h"
#include "framework/Wnd.h"
#include "gpu/FanCurve.h"

// The editor's graph: the curve over a grid, its points as handles the mouse drags, a
// double-click on the line adds a point, a right-click on one removes it, and a marker at the
// live temperature and level. Drawn off-screen first, so a drag never flickers. By keyboard,
// Page Up and Page Down choose a point, the arrows move it by 1 °C or 1 %, Insert adds one after
// it and Delete removes it; a screen reader reads the chosen point as the graph's value.
class CFanCurveGraph : public CWnd {
public:
    // The window class the editor's template names; it takes double-clicks.
    static constexpr const wchar_t* kClassName = L"Oskara.FanCurveGraph";
    static bool RegisterClass();

    class Owner {
    public:
        virtual void PointsEdited() = 0;

    protected:
        ~Owner() = default;
    };

    explicit CFanCurveGraph(Owner& owner) : m_owner(owner) {}

    const std::vector<FanCurvePoint>& Points() const { return m_points; }
    void SetPoints(std::vector<FanCurvePoint> points);
    void SetMarker(std::optional<FanCurvePoint> marker);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PreSubclassWindow() override;

private:
    void OnPaint();
    void Draw(HDC dc, int width, int height) const;
    void OnButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnDoubleClick(int x, int y);
    void OnRightClick(int x, int y);
    void Edited();
    bool OnKey(WPARAM key);

    Owner& m_owner;
    std::vector<FanCurvePoint> m_points;
    std::optional<FanCurvePoint> m_marker;
    int m_dragged = -1;
    // The point the keyboard moves.
    int m_chosen = 0;
    CAccessibleWindow m_access;
};
