#include "tests/win/support/ModalScript.h"

#include "framework/Wnd.h"
#include "tests/win/support/WinTestSupport.h"

namespace {
constexpr UINT kTickMs = 25;
constexpr int kGraceTicks = 80;

bool IsDialogWindow(HWND hwnd) {
    wchar_t name[16] = L"";
    GetClassNameW(hwnd, name, 16);
    return std::wstring(name) == L"#32770" && IsWindowVisible(hwnd);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[512] = L"";
    GetWindowTextW(hwnd, text, 512);
    return text;
}
}  // namespace

ModalScript* ModalScript::s_active = nullptr;

ModalScript::ModalScript(std::wstring title, std::vector<Step> steps)
    : m_title(std::move(title)), m_steps(std::move(steps)) {
    s_active = this;
    m_timer = SetTimer(nullptr, 0, kTickMs, &ModalScript::Tick);
}

ModalScript::~ModalScript() {
    KillTimer(nullptr, m_timer);
    s_active = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_active) s_active->OnTick();
}

HWND ModalScript::FindDialog() const {
    return WinTest::FindThreadWindow([&](HWND hwnd) {
        if (!IsDialogWindow(hwnd) || TextOf(hwnd) != m_title) return false;
        // A message box of the dialog may carry the dialog's title.
        const HWND owner = GetWindow(hwnd, GW_OWNER);
        return !(owner && IsDialogWindow(owner) && TextOf(owner) == m_title);
    });
}

bool ModalScript::CloseMessageBox(HWND dialog) {
    const HWND box = WinTest::FindThreadWindow([&](HWND hwnd) {
        // A dialog of the program's own, opened over this one, is the script's to drive.
        const HWND owner = GetWindow(hwnd, GW_OWNER);
        return IsDialogWindow(hwnd) && !CWnd::FromHandlePermanent(hwnd) && owner &&
               (owner == dialog || GetWindow(owner, GW_OWNER) == dialog);
    });
    if (!box) return false;
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = L"";
        GetClassNameW(child, name, 16);
        if (_wcsicmp(name, L"Static") == 0 && !TextOf(child).empty()) text = TextOf(child);
    }
    m_boxes.push_back(text);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
}

void ModalScript::OnTick() {
    // A step's own work may run a nested loop that ticks again.
    if (m_running) return;
    const HWND dialog = FindDialog();
    if (!dialog) return;
    m_running = true;
    if (!CloseMessageBox(dialog)) {
        if (m_next < m_steps.size()) {
            m_steps[m_next++](dialog);
        } else if (++m_idleTicks > kGraceTicks) {
            m_forced = true;
            EndDialog(dialog, IDABORT);
        }
    }
    m_running = false;
}

void ModalScript::Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ModalScript::PressKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

void ModalScript::Type(HWND target, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
}
