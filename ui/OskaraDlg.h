#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "framework/SliderCtrl.h"

class COskaraApp;
class CGpuControl;

// The main window: four sliders with their value labels, the temperature and its gauge, and the
// buttons. It owns the card (the one CGpuControl) and its GPU group; every write to the card goes
// to each GPU of the group at the top performance level. It frees itself when its window is gone.
class COskaraDlg : public CDialog {
public:
    static constexpr UINT_PTR kPollTimer = 99;
    static constexpr UINT kPollPeriodMs = 3000;

    // Binds the driver and identifies the card; a card that cannot be bound is reported and a
    // quit is requested, and every later card operation then does nothing.
    COskaraDlg(COskaraApp& app, CWnd* parent);
    ~COskaraDlg() override;

    // Reads what the card runs now into the sliders and labels.
    void UpdateControls();
    void UpdateValueLabels();
    // 1, 2 or 4: the shown memory clock over the real one.
    int GetMemoryClockFactor();
    void OnApply();
    void OnReset();

    CGpuControl& Gpu() { return *m_gpu; }
    const std::vector<uint32_t>& GpuGroup() const { return m_gpuGroup; }
    int TopLevel() const { return m_topLevel; }
    // False on cards whose top level has no separate shader clock.
    bool CardHasShaderClock() const { return m_cardHasShaderClock; }

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override;

private:
    void IdentifyCard();
    void PlaceButtons();
    void CreateFonts();
    void OnPaint();
    void OnLButtonDown(int x, int y);
    void OnActivate(WPARAM state);
    void OnSliderMoved(HWND slider);
    void OnPoll();
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM data);
    void OnEndSession(bool ending);
    void RunClockTest();
    // Fan slider position to the selected GPU: above 100 automatic, else a fixed percent.
    void SetFan(int position);

    COskaraApp& m_app;
    HICON m_icon = nullptr;
    int m_topLevel = 0;
    std::unique_ptr<CGpuControl> m_gpu;
    std::vector<uint32_t> m_gpuGroup;
    bool m_cardHasShaderClock = false;
    CSliderCtrl m_shaderSlider, m_memorySlider, m_coreSlider, m_fanSlider;
    CStatic m_coreLabel, m_memoryLabel, m_shaderLabel, m_fanLabel;
    CBitmap m_gauge;
    int32_t m_temperature = 0;
    CFont m_labelFont, m_temperatureFont;
    CStatic m_temperatureLabel;
    CButton m_options, m_minimize, m_close, m_profiles, m_apply, m_reset;
    bool m_clockTestRunning = false;
    // The fan position at the last suspend, for the resume; -1 when none was saved.
    int m_suspendedFanPosition = -1;
};
