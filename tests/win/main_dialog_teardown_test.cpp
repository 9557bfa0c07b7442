// The main window's ways out under a heap whose freed blocks are filled and kept aside, so that
// a write after free shows in the fill: Close, tray Exit over an open dialog, a failed binding.
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/OskaraApp.h"
#include "res/resource.h"
#include "tests/win/support/MainDialogFixture.h"
#include "tests/win/support/ModalScript.h"
#include "tests/win/support/SimDriverFiles.h"

namespace {
struct FreedBlock {
    unsigned char* at;
    size_t size;
} g_freed[1 << 16];
size_t g_freedCount = 0;
}  // namespace

void operator delete(void* p, size_t size) noexcept {
    if (!p || g_freedCount == std::size(g_freed)) return free(p);
    g_freed[g_freedCount++] = {static_cast<unsigned char*>(std::memset(p, 0xFD, size)), size};
}
void operator delete(void* p) noexcept { operator delete(p, p ? _msize(p) : 0); }

namespace {

class MainDialogTeardown : public MainDialogFixture {
    void TearDown() override {
        for (size_t i = 0; i < g_freedCount; ++i)
            EXPECT_TRUE(std::all_of(g_freed[i].at, g_freed[i].at + g_freed[i].size, [](int c) { return c == 0xFD; }));
    }
};

TEST_F(MainDialogTeardown, TheCloseButtonFreesTheWindowOnceItsClickIsOver) {
    Open("");
    SendMessageW(Item(IDC_CLOSE), BM_CLICK, 0, 0);
    EXPECT_EQ(host.gone, std::vector<COskaraDlg*>{dlg});
}

TEST_F(MainDialogTeardown, TrayExitOverTheProfilesDialogEndsBoth) {
    COskaraApp app(L"Oskara");
    ASSERT_TRUE(app.InitInstance());
    ModalScript script(L"Profiles", {[&](HWND) { SendMessageW(app.Tray().m_hWnd, WM_COMMAND, ID_TRAY_EXIT, 0); }});
    SendMessageW(GetDlgItem(app.MainDialog()->m_hWnd, IDC_PROFILES), BM_CLICK, 0, 0);
    EXPECT_TRUE(script.AllRan() && !script.Forced() && !app.MainDialog());
}

TEST_F(MainDialogTeardown, TheExitStepEndsTheWindowLeftByAFailedBinding) {
    SimDriverFiles::UseCard("fail NvAPI_Initialize -1\n");
    auto* app = new COskaraApp(L"Oskara");
    {
        MessageBoxCloser closer(nullptr);
        ASSERT_TRUE(app->InitInstance());
    }
    app->ExitInstance();
    EXPECT_EQ(app->MainDialog(), nullptr);
    delete app;
}

}  // namespace
