#include "tests/win/support/MainDialogFixture.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "tests/win/support/SimDriverFiles.h"
#include "tests/win/support/WinTestSupport.h"

// ---- journal -------------------------------------------------------------------------------

std::string JournalCall::Text(const std::string& key) const {
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

long long JournalCall::Number(const std::string& key) const {
    const std::string text = Text(key);
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    return text.empty() || *end ? LLONG_MIN : value;
}

CallRows Fields(const std::vector<JournalCall>& calls, std::initializer_list<const char*> keys) {
    CallRows rows;
    for (const JournalCall& call : calls) {
        rows.emplace_back();
        for (const char* key : keys) rows.back().push_back(call.Number(key));
    }
    return rows;
}

namespace {

// The driver writes flat objects of numbers, true/false/null and plain strings, so a value runs
// to the next comma or brace.
JournalCall ParseLine(const std::string& line) {
    JournalCall call;
    size_t at = line.find('{');
    if (at == std::string::npos) return call;
    ++at;
    while (at < line.size()) {
        const size_t keyStart = line.find('"', at);
        if (keyStart == std::string::npos) break;
        const size_t keyEnd = line.find('"', keyStart + 1);
        if (keyEnd == std::string::npos || keyEnd + 1 >= line.size() || line[keyEnd + 1] != ':') break;
        const std::string key = line.substr(keyStart + 1, keyEnd - keyStart - 1);
        size_t valueStart = keyEnd + 2, valueEnd;
        std::string value;
        if (valueStart < line.size() && line[valueStart] == '"') {
            valueEnd = line.find('"', valueStart + 1);
            if (valueEnd == std::string::npos) break;
            value = line.substr(valueStart + 1, valueEnd - valueStart - 1);
            ++valueEnd;
        } else {
            valueEnd = line.find_first_of(",}", valueStart);
            if (valueEnd == std::string::npos) valueEnd = line.size();
            value = line.substr(valueStart, valueEnd - valueStart);
        }
        if (key == "fn")
            call.fn = value;
        else
            call.fields[key] = value;
        at = valueEnd + 1;
    }
    return call;
}

}  // namespace

std::vector<JournalCall> DriverJournal::Read() const {
    std::vector<JournalCall> calls;
    const std::string text = SimDriverFiles::ReadText(m_path);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) calls.push_back(ParseLine(text.substr(start, end - start)));
        start = end + 1;
    }
    return calls;
}

std::vector<JournalCall> DriverJournal::Calls(const std::string& fn, size_t since) const {
    const std::vector<JournalCall> all = Read();
    std::vector<JournalCall> found;
    for (size_t i = since; i < all.size(); ++i)
        if (all[i].fn == fn) found.push_back(all[i]);
    return found;
}

std::vector<JournalCall> DriverJournal::ClockCalls(size_t since, const char* test) const {
    std::vector<JournalCall> calls = Calls("ApplyLevelClocks", since);
    calls.erase(std::remove_if(calls.begin(), calls.end(), [&](const JournalCall& call) { return call.Text("test") != test; }),
                calls.end());
    return calls;
}

// ---- message boxes -------------------------------------------------------------------------

MessageBoxCloser* MessageBoxCloser::s_active = nullptr;

MessageBoxCloser::MessageBoxCloser(HWND dialog, std::function<void()> whileOpen)
    : m_dialog(dialog), m_whileOpen(std::move(whileOpen)) {
    s_active = this;
    m_timer = SetTimer(nullptr, 0, 30, &MessageBoxCloser::Tick);
}

MessageBoxCloser::~MessageBoxCloser() {
    KillTimer(nullptr, m_timer);
    s_active = nullptr;
}

void CALLBACK MessageBoxCloser::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_active) s_active->CloseOpenBox();
}

void MessageBoxCloser::CloseOpenBox() {
    const HWND box = WinTest::FindThreadWindow([&](HWND hwnd) {
        wchar_t name[16] = L"";
        GetClassNameW(hwnd, name, 16);
        return hwnd != m_dialog && std::wstring(name) == L"#32770" && IsWindowVisible(hwnd);
    });
    if (!box || std::find(m_handled.begin(), m_handled.end(), box) != m_handled.end()) return;
    m_handled.push_back(box);

    SeenMessageBox seen;
    seen.owner = GetWindow(box, GW_OWNER);
    GetWindowRect(box, &seen.place);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = L"";
        GetClassNameW(child, name, 16);
        if (_wcsicmp(name, L"Static") != 0) continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            seen.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        } else {
            wchar_t text[512] = L"";
            GetWindowTextW(child, text, 512);
            if (*text) seen.text = text;
        }
    }
    m_seen.push_back(seen);
    if (m_whileOpen) m_whileOpen();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// ---- the dialog ----------------------------------------------------------------------------

void MainDialogFixture::SetUp() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

void MainDialogFixture::TearDown() {
    // Hiding a window makes Wine wait two seconds for a window manager that is not there. When
    // this test is all the process runs, its end takes the window without hiding it first.
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 1) {
        dlg = nullptr;
        return;
    }
    Close();
}

void MainDialogFixture::Open(const std::string& card) {
    Close();
    SimDriverFiles::UseCard(card);
    const std::wstring path = WinTest::TempPath(L"oskara-main-dialog-journal.jsonl");
    DeleteFileW(path.c_str());
    SetEnvironmentVariableW(L"OSKARA_SIM_JOURNAL", path.c_str());
    journal.Use(path);
    dlg = new COskaraDlg(host, nullptr);
    ASSERT_TRUE(dlg->Create());
}

void MainDialogFixture::Close() {
    // The dialog frees itself with its window.
    if (dlg && IsWindow(dlg->m_hWnd)) dlg->DestroyWindow();
    dlg = nullptr;
}

std::wstring MainDialogFixture::ControlText(HWND window, int id) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(window, id, text, 256);
    return text;
}

int MainDialogFixture::Pos(int sliderId) const {
    return static_cast<int>(SendMessageW(Item(sliderId), TBM_GETPOS, 0, 0));
}

int MainDialogFixture::RangeMin(int sliderId) const {
    return static_cast<int>(SendMessageW(Item(sliderId), TBM_GETRANGEMIN, 0, 0));
}

int MainDialogFixture::RangeMax(int sliderId) const {
    return static_cast<int>(SendMessageW(Item(sliderId), TBM_GETRANGEMAX, 0, 0));
}

void MainDialogFixture::Slide(int sliderId, int pos) {
    HWND slider = Item(sliderId);
    SendMessageW(slider, TBM_SETPOS, TRUE, pos);
    Send(WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(slider));
    Send(WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
}

LRESULT MainDialogFixture::Command(int id) {
    return Send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

bool MainDialogFixture::TakeDragAt(int x, int y) {
    MSG msg;
    bool found = false;
    while (PeekMessageW(&msg, dlg->m_hWnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE))
        found = found || (msg.wParam == HTCAPTION && msg.lParam == MAKELPARAM(x, y));
    return found;
}
