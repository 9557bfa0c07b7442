#include "framework/WinApp.h"

#include <algorithm>

#include "framework/KeyboardCues.h"
#include "framework/Wnd.h"

namespace {
CWinApp* g_current = nullptr;

std::wstring ExecutableBaseName() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length < MAX_PATH ? length : 0);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp(const wchar_t* appName) : m_appName(appName ? appName : ExecutableBaseName()) {
    g_current = this;
    m_instance = GetModuleHandleW(nullptr);
    m_commandLine = GetCommandLineW();
}

CWinApp::~CWinApp() {
    if (g_current == this) g_current = nullptr;
}

CWinApp* CWinApp::Current() { return g_current; }

int CWinApp::Main(HINSTANCE instance) {
    m_instance = instance;
    if (InitInstance()) Run();
    return ExitInstance();
}

bool CWinApp::InitInstance() { return true; }

int CWinApp::ExitInstance() { return m_exitCode; }

// The keys belong to the top-level window that holds the control they were sent to.
bool CWinApp::PreTranslateMessage(MSG& msg) {
    const HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (!top || std::find(m_modeless.begin(), m_modeless.end(), top) == m_modeless.end()) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) ShowKeyboardCues(top);
    return IsDialogMessageW(top, &msg);
}

void CWinApp::AddModeless(HWND window) {
    if (window && std::find(m_modeless.begin(), m_modeless.end(), window) == m_modeless.end())
        m_modeless.push_back(window);
}

void CWinApp::RemoveModeless(HWND window) {
    m_modeless.erase(std::remove(m_modeless.begin(), m_modeless.end(), window), m_modeless.end());
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    m_exitCode = static_cast<int>(msg.wParam);
    return m_exitCode;
}

void CWinApp::SetRegistryKey(const wchar_t* company) { m_company = company; }

std::wstring CWinApp::RegistryPath() const {
    if (m_company.empty()) return L"";
    return L"Software\\" + m_company + L"\\" + m_appName;
}
