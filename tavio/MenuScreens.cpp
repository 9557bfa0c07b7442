#include "tavio/Menu.h"

#include <cwchar>

namespace {

struct Screen {
    const wchar_t* left;
    const wchar_t* middle;
    const wchar_t* right;
    bool editCore, editMemory, editShader;
};

// Indexed by CTavioMenu::State. The profile list's right label depends on the list.
const Screen kScreens[] = {
    {L"Set", L"Profiles", L"Defaults", false, false, false},
    {L"Select", L"-", L"+", true, false, false},
    {L"Select", L"-", L"+", false, true, false},
    {L"Select", L"-", L"+", false, false, true},
    {L"Select", L"Auto", L"Custom", false, false, false},
    {L"Back", L"-", L"+", false, false, false},
    {L"Back", L"Create", L"Next", false, false, false},
    {L"Back", L"Options", L"Next", false, false, false},
    {L"Back", L"Delete", L"Activate", false, false, false},
};

constexpr int kLeftX = 15, kMiddleX = 62, kRightX = 107;
constexpr uint8_t kAutomaticFan = 100;  // above it the fan byte means automatic control

std::wstring NameOf(const PROFILE& profile) { return std::wstring(profile.name, wcsnlen(profile.name, 64)); }

}  // namespace

void CTavioMenu::Draw() {
    const Screen& screen = kScreens[m_state];
    m_display.SetIndicator(4, screen.editCore);
    m_display.SetIndicator(7, screen.editMemory);
    m_display.SetIndicator(10, screen.editShader);
    if (m_state == ProfileView) DrawPreview();
    m_display.DrawText(kLeftX, screen.left);
    m_display.DrawText(kMiddleX, screen.middle);
    const bool noneToBrowse = m_state == ProfileList && m_profiles.Count() == 0;
    m_display.DrawText(kRightX, noneToBrowse ? L"" : screen.right);
}

// The number fields show the profile's clocks as stored: memory is not multiplied.
void CTavioMenu::DrawPreview() {
    const PROFILE& profile = m_profiles.At(m_cursor);
    m_preview = true;
    m_display.ShowCore(static_cast<uint32_t>(profile.core));
    m_display.ShowMemory(static_cast<uint32_t>(profile.memory));
    m_display.ShowShader(static_cast<uint32_t>(profile.shader));
    m_display.SetIndicator(1, false);
    m_display.SetTemperatureBar(0);
    const bool automatic = profile.fan > kAutomaticFan;
    m_display.SetIndicator(0, !automatic);
    m_display.SetFanBar(automatic ? 6 : profile.fan / 5);
}

void CTavioMenu::ShowProfileName() { HoldText(NameOf(m_profiles.At(m_cursor))); }

void CTavioMenu::HoldText(const std::wstring& text) {
    m_display.ClearText();
    m_display.DrawText(kMiddleX, text);
    m_display.FlushText();
    m_host.HoldProfileName();
    m_display.ClearText();
}

void CTavioMenu::EndPreview() {
    m_preview = false;
    m_display.SetIndicator(1, true);
    m_display.SetIndicator(0, true);
    m_host.RequestPoll();
}

void CTavioMenu::ShowWindowClocks(int core, int memoryShown, int shader, int fanCells) {
    if (!m_display.IsConnected()) return;
    m_display.ShowCore(static_cast<uint32_t>(core));
    m_display.ShowMemory(static_cast<uint32_t>(memoryShown));
    m_display.ShowShader(static_cast<uint32_t>(shader));
    m_display.SetFanBar(fanCells);
}

void CTavioMenu::ShowReadings(int temperatureCells, int fanCells) {
    if (!FollowsPoll()) return;
    m_display.SetTemperatureBar(temperatureCells);
    if (fanCells >= 0) m_display.SetFanBar(fanCells);
}
