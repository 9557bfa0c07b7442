#include "app/OskaraApp.h"
#include "sim/tavio/EmulatorTransport.h"
#include "sim/tavio/EmulatorWindow.h"
#include "ui/OskaraDlg.h"

// The program with the controller emulator in place of a controller, and the emulator's window
// below the main window. Its settings are the program's own.
class CDemoApp : public COskaraApp {
public:
    CDemoApp() : CDemoApp(new CEmulatorTransport) {}

    bool InitInstance() override {
        if (!COskaraApp::InitInstance()) return false;
        COskaraDlg* main = MainDialog();
        m_window.Create(Instance(), main ? main->m_hWnd : nullptr);
        return true;
    }

private:
    explicit CDemoApp(CEmulatorTransport* emulator)
        : COskaraApp(L"Oskara", std::unique_ptr<TavioTransport>(emulator)), m_window(*emulator) {}

    CEmulatorWindow m_window;
};

// The one application object of the process.
static CDemoApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return theApp.Main(instance); }
