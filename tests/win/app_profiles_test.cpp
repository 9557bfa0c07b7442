#include <gtest/gtest.h>

#include <cwchar>

#include "app/OskaraApp.h"
#include "app/ProfileRequest.h"
#include "framework/RegKey.h"
#include "res/resource.h"
#include "support/ModalScript.h"
#include "tests/host/ProfileMaker.h"
#include "support/WinTestSupport.h"

namespace {

// The application is named after this test program, as Oskara.exe is after itself.
const std::wstring kApp = L"HKEY_CURRENT_USER\\Software\\Brenmar\\app_profiles_test";
const std::wstring kRoot = L"Software\\Brenmar\\app_profiles_test";

const std::wstring kPrepared =
    L"[" + kApp + L"]\r\n\"LastCard\"=\"10DE-06C0\"\r\n\r\n"
    L"[" + kApp + L"\\10DE-06C0\\Profile 0]\r\n\"Name\"=\"Loud\"\r\n\"Core\"=dword:000002bc\r\n"
    L"\"Mem\"=dword:000003e8\r\n\"Shader\"=dword:00000578\r\n\"Fan\"=dword:0000012c\r\n\r\n"
    L"[" + kApp + L"\\10DE-06C0\\Profile 1]\r\n\"Name\"=\"NoShader\"\r\n\"Core\"=dword:00000384\r\n"
    L"\"Mem\"=dword:000003e8\r\n\"Shader\"=dword:00000000\r\n\"Fan\"=dword:00000028\r\n\r\n"
    L"[" + kApp + L"\\10DE-06C0\\Profile 2]\r\n\"Name\"=\"Fast\"\r\n\"Core\"=dword:00000320\r\n"
    L"\"Mem\"=dword:0000044c\r\n\"Shader\"=dword:00000640\r\n\"Fan\"=dword:0000006e\r\n\r\n"
    L"[" + kApp + L"\\10DE-06C0\\Profile 4]\r\n\"Name\"=\"Unreached\"\r\n\"Core\"=dword:00000320\r\n"
    L"\"Mem\"=dword:0000044c\r\n\"Shader\"=dword:00000640\r\n\"Fan\"=dword:0000006e\r\n\r\n";

bool SectionExists(const std::wstring& section) {
    CRegKey key;
    return key.Open(HKEY_CURRENT_USER, kRoot + L"\\" + section);
}

DWORD ReadDword(const std::wstring& section, const wchar_t* name) {
    CRegKey key;
    DWORD value = 0xDEADBEEF;
    if (key.Open(HKEY_CURRENT_USER, kRoot + L"\\" + section)) key.QueryDword(name, value);
    return value;
}

std::wstring ReadString(const std::wstring& section, const wchar_t* name) {
    CRegKey key;
    std::wstring value = L"<absent>";
    if (key.Open(HKEY_CURRENT_USER, section.empty() ? kRoot : kRoot + L"\\" + section)) key.QueryString(name, value);
    return value;
}

// The prepared registry imported and the profiles of the card key loaded from it.
void LoadPrepared(COskaraApp& app, const wchar_t* cardKey) {
    ASSERT_TRUE(WinTest::ImportRegistry(kPrepared));
    app.UseRegistryKey();
    app.SetCardKey(cardKey);
    app.LoadCardProfiles(true);
}

TEST(AppProfiles, LoadAndShutdownCloseUpTheCardsProfiles) {
    COskaraApp app;
    ASSERT_NO_FATAL_FAILURE(LoadPrepared(app, L"10DE-06C0"));
    ASSERT_EQ(app.Profiles().Count(), 2u);
    EXPECT_EQ(app.Profiles().At(0).fan, 44);
    EXPECT_STREQ(app.Profiles().At(1).name, L"Fast");

    app.ExitInstance();
    EXPECT_EQ(ReadString(L"", L"LastCard"), L"10DE-06C0");
    EXPECT_EQ(ReadString(L"10DE-06C0\\Profile 0", L"Name"), L"Loud");
    EXPECT_EQ(ReadDword(L"10DE-06C0\\Profile 0", L"Fan"), 44u);
    EXPECT_EQ(ReadString(L"10DE-06C0\\Profile 1", L"Name"), L"Fast");
    EXPECT_EQ(ReadDword(L"10DE-06C0\\Profile 1", L"Core"), 800u);
    EXPECT_EQ(ReadDword(L"10DE-06C0\\Profile 1", L"Shader"), 1600u);
    for (int n = 2; n <= 4; ++n) EXPECT_FALSE(SectionExists(L"10DE-06C0\\Profile " + std::to_wstring(n))) << n;
}

TEST(AppProfiles, AnEmptyCardKeyChangesNothing) {
    COskaraApp app;
    ASSERT_NO_FATAL_FAILURE(LoadPrepared(app, L""));
    EXPECT_EQ(app.Profiles().Count(), 0u);
    EXPECT_EQ(app.Profiles().Create(MakeProfile(L"", 500, 500, 500, 0)), ProfileBook::CreateResult::CardUnknown);
    app.ExitInstance();
    EXPECT_EQ(ReadString(L"", L"LastCard"), L"10DE-06C0");
    EXPECT_EQ(ReadDword(L"10DE-06C0\\Profile 0", L"Fan"), 300u);
    EXPECT_EQ(ReadString(L"10DE-06C0\\Profile 1", L"Name"), L"NoShader");
    EXPECT_TRUE(SectionExists(L"10DE-06C0\\Profile 4"));
    EXPECT_FALSE(SectionExists(L"\\Profile 0"));
}

TEST(AppProfiles, EveryChangeReachesTheRegistryBeforeAnyShutdown) {
    COskaraApp app;
    ASSERT_NO_FATAL_FAILURE(LoadPrepared(app, L"10DE-06C0"));
    ASSERT_EQ(app.Profiles().Create(MakeProfile(L"New Profile", 720, 1000, 1440)), ProfileBook::CreateResult::Created);
    EXPECT_EQ(ReadString(L"10DE-06C0\\Profile 2", L"Name"), L"New Profile");
    EXPECT_EQ(ReadDword(L"10DE-06C0\\Profile 2", L"Core"), 720u);
    EXPECT_EQ(ReadDword(L"10DE-06C0\\Profile 2", L"Mem"), 1000u);
    EXPECT_EQ(ReadDword(L"10DE-06C0\\Profile 2", L"Fan"), 110u);

    ASSERT_TRUE(app.Profiles().Rename(0, L"Renamed"));
    EXPECT_EQ(ReadString(L"10DE-06C0\\Profile 0", L"Name"), L"Renamed");
    ASSERT_TRUE(app.Profiles().Remove(1));
    EXPECT_EQ(ReadString(L"10DE-06C0\\Profile 1", L"Name"), L"New Profile");
    EXPECT_FALSE(SectionExists(L"10DE-06C0\\Profile 2"));
}

// Told by the core clock stored as Apply stores it (0: nothing applied).
TEST(AppProfiles, HotkeysCountNewestFirstAndANameMatchesExactlyBeforeWithoutCase) {
    ASSERT_TRUE(WinTest::ImportRegistry(kPrepared + L"[" + kApp + L"\\10DE-06C0\\Profile 3]\r\n\"Name\"=\"LOUD\"\r\n"
                                        L"\"Core\"=dword:000002f8\r\n\"Mem\"=dword:000003e8\r\n\"Shader\"=dword:000005f0\r\n"));
    COskaraApp app;  // newest first: Unreached 800, LOUD 760, Fast 800, Loud 700
    ASSERT_TRUE(app.InitInstance());
    app.Tray().SendMessage(WM_HOTKEY, ID_HOTKEY_PROFILE_FIRST + 1, 0);  // Ctrl+Alt+2
    EXPECT_EQ(app.Settings().ReadInt(L"", L"LastCore", 0), 760u);
    const struct {
        std::wstring name, boxNames;
        uint32_t core;
    } cases[] = {{L"LOUD", L"", 760}, {L"Loud", L"", 700}, {L"FAST", L"", 800}, {L"loud", L"\"Loud\", \"LOUD\"", 0}, {L"Slow", L"", 0}};
    for (const auto& c : cases) {
        app.Settings().WriteInt(L"", L"LastCore", 0);
        const ModalScript boxes(OSKARA_WINDOW_TITLE, {});
        COPYDATASTRUCT asked{ProfileRequest::kTag, static_cast<DWORD>(c.name.size() * sizeof(wchar_t)),
                             const_cast<wchar_t*>(c.name.data())};
        EXPECT_EQ(app.Tray().SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&asked)),
                  c.core ? ProfileRequest::kApplied : ProfileRequest::kNoSuchProfile) << c.name;
        EXPECT_EQ(app.Settings().ReadInt(L"", L"LastCore", 0), c.core) << c.name;
        const std::wstring seen = boxes.MessageBoxes().empty() ? L"" : boxes.MessageBoxes()[0];
        EXPECT_TRUE(seen.empty() == c.boxNames.empty() && seen.find(c.boxNames) != std::wstring::npos) << seen;
    }
    app.ExitInstance();
}

// A user of the started program: OK on the card-change box, found by its text whatever owns it,
// then the main window's close button once the start is over.
struct User {
    int cardChangeBoxes = 0;
    bool closed = false;
    int idleTicks = 0;
};
User* g_user = nullptr;

HWND VisibleCardChangeBox() {
    return WinTest::FindThreadWindow([](HWND box) {
        if (!IsWindowVisible(box)) return false;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t text[64] = L"";
            GetWindowTextW(child, text, 64);
            if (std::wcsstr(text, L"video card change")) return true;
        }
        return false;
    });
}

void CALLBACK ActAsUser(HWND, UINT, UINT_PTR, DWORD) {
    CWnd* main = CWinApp::Current()->m_pMainWnd;
    if (HWND box = VisibleCardChangeBox()) {
        ++g_user->cardChangeBoxes;
        SendMessageW(box, WM_COMMAND, IDOK, 0);
    } else if (main && !g_user->closed) {
        g_user->closed = true;
        PostMessageW(main->m_hWnd, WM_COMMAND, IDC_CLOSE, 0);
    } else if (++g_user->idleTicks > 300) {
        PostQuitMessage(1);  // the program did not end
    }
}

// The program's whole start, message loop and exit; its exit code.
int RunAsUser(User& user) {
    COskaraApp app;
    g_user = &user;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, ActAsUser);
    const int code = app.Main(GetModuleHandleW(nullptr));
    KillTimer(nullptr, timer);
    return code;
}

TEST(AppProfiles, ACardChangeIsReportedAtTheStartTheSameCardIsNotAndTheCloseButtonStoresTheCard) {
    const std::pair<const wchar_t*, int> cases[] = {{L"10DE-0001", 1}, {L"10DE-06C0", 0}};
    for (const auto& [lastCard, boxes] : cases) {
        SCOPED_TRACE(lastCard);
        ASSERT_TRUE(WinTest::ImportRegistry(L"[" + kApp + L"]\r\n\"LastCard\"=\"" + lastCard + L"\"\r\n"));
        User user;
        EXPECT_EQ(RunAsUser(user), 0);
        EXPECT_EQ(user.cardChangeBoxes, boxes);
        EXPECT_TRUE(user.closed);
        EXPECT_EQ(ReadString(L"", L"LastCard"), L"10DE-06C0");
    }
}

}  // namespace
