#include "framework/WinApp.h"

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

bool CWinApp::PreTranslateMessage(MSG& msg) {
    return m_pMainWnd && m_pMainWnd->m_hWnd && IsDialogMessageW(m_pMainWnd->m_hWnd, &msg);
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
