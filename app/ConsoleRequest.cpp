#include "app/ConsoleRequest.h"

namespace ConsoleRequest {
namespace {
// A hung instance must not hang the script; an import may write 64 profiles.
constexpr UINT kAnswerTimeoutMs = 20000;
constexpr wchar_t kReplyClass[] = L"OskaraConsoleReply";

std::optional<std::string> BytesOf(const COPYDATASTRUCT& data, ULONG_PTR tag) {
    if (data.dwData != tag || !data.lpData || data.cbData > ConsoleWire::kMaxBytes) return std::nullopt;
    return std::string(static_cast<const char*>(data.lpData), data.cbData);
}

LRESULT CALLBACK ReplyProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_COPYDATA || !lp) return DefWindowProcW(window, msg, wp, lp);
    auto* answer = reinterpret_cast<std::optional<CommandAnswer>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    const std::optional<std::string> bytes = BytesOf(*reinterpret_cast<const COPYDATASTRUCT*>(lp), kAnswerTag);
    if (!answer || !bytes) return 0;
    *answer = ConsoleWire::DecodeAnswer(*bytes);
    return *answer ? 1 : 0;
}

// The console's window for the answer, gone with the object.
class CReplyWindow {
public:
    explicit CReplyWindow(std::optional<CommandAnswer>& answer) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ReplyProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kReplyClass;
        RegisterClassW(&windowClass);
        m_window = CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
        if (m_window) SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));
    }
    ~CReplyWindow() {
        if (m_window) DestroyWindow(m_window);
    }
    CReplyWindow(const CReplyWindow&) = delete;
    CReplyWindow& operator=(const CReplyWindow&) = delete;
    HWND Handle() const { return m_window; }

private:
    HWND m_window = nullptr;
};
}  // namespace

std::optional<CommandAnswer> Send(const wchar_t* windowTitle, const std::vector<std::wstring>& args,
                                  const std::string& fileText) {
    std::optional<CommandAnswer> answer;
    CReplyWindow reply(answer);
    if (!reply.Handle()) return std::nullopt;
    const std::string bytes = ConsoleWire::EncodeRequest(
        {static_cast<uint64_t>(reinterpret_cast<uintptr_t>(reply.Handle())), args, fileText});
    COPYDATASTRUCT data{kRequestTag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    // The main window bears the title too and answers 0; the tray window takes the request. The
    // wait must let the answer's message in, so it does not block other sent messages.
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, windowTitle); window && !answer;
         window = FindWindowExW(nullptr, window, nullptr, windowTitle)) {
        DWORD_PTR taken = 0;
        SendMessageTimeoutW(window, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Handle()), reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &taken);
    }
    return answer;
}

std::optional<ConsoleWire::Request> Decode(const COPYDATASTRUCT& data) {
    const std::optional<std::string> bytes = BytesOf(data, kRequestTag);
    return bytes ? ConsoleWire::DecodeRequest(*bytes) : std::nullopt;
}

bool Reply(uint64_t replyWindow, const CommandAnswer& answer) {
    const HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(replyWindow));
    if (!IsWindow(window)) return false;
    const std::string bytes = ConsoleWire::EncodeAnswer(answer);
    COPYDATASTRUCT data{kAnswerTag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    DWORD_PTR taken = 0;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               kAnswerTimeoutMs, &taken) && taken == 1;
}

}  // namespace ConsoleRequest
