#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CWnd;

// The application object: start-up, the message loop and shutdown, and the registry location of
// its settings. Exactly one exists while the program runs.
class CWinApp {
public:
    // Without a name the executable's file name, less its extension, names the application.
    explicit CWinApp(const wchar_t* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    // Runs InitInstance, the message loop when it succeeded, then ExitInstance; gives the exit code.
    int Main(HINSTANCE instance);

    virtual bool InitInstance();
    virtual int ExitInstance();
    // Gives the modeless window a message is for its keyboard handling (Tab, Enter, Escape);
    // true when the message was consumed.
    virtual bool PreTranslateMessage(MSG& msg);
    // The modeless windows the loop hands to the dialog manager; a window leaves at its destruction.
    void AddModeless(HWND window);
    void RemoveModeless(HWND window);

    // Settings then live under HKEY_CURRENT_USER\Software\<company>\<application name>.
    void SetRegistryKey(const wchar_t* company);
    std::wstring RegistryPath() const;

    const std::wstring& AppName() const { return m_appName; }
    HINSTANCE Instance() const { return m_instance; }
    // The whole command line, the program's own path first.
    const std::wstring& CommandLine() const { return m_commandLine; }

    // The main window: its destruction ends the message loop.
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;

private:
    int Run();

    HINSTANCE m_instance = nullptr;
    std::wstring m_appName;
    std::wstring m_company;
    std::wstring m_commandLine;
    std::vector<HWND> m_modeless;
};
