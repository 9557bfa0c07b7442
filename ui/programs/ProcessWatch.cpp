#include "ui/programs/ProcessWatch.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace {
// The hook's callback takes no context argument; an out-of-context hook calls back on the thread
// that set it, so the one watch of this thread is its context.
thread_local CProcessWatch* t_watch = nullptr;

uint64_t CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return UINT64_MAX;
    return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::wstring ImagePath(HANDLE process) {
    // Long paths are valid; a rule's name is at most 260, a folder's path may lead to more.
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) return L"";
    path.resize(size);
    return path;
}
}  // namespace

// A process waited on: its handle and the pool's wait, which is unregistered (waiting for a
// callback under way) before the handle closes.
class CProcessWatch::Waited {
public:
    Waited(HANDLE process, HWND window, UINT message, uint32_t id)
        : m_process(process), m_window(window), m_message(message), m_id(id) {}
    ~Waited() {
        if (m_wait) UnregisterWaitEx(m_wait, INVALID_HANDLE_VALUE);
    }
    bool Wait() {
        return RegisterWaitForSingleObject(&m_wait, m_process.Get(), &Waited::OnEnd, this, INFINITE,
                                           WT_EXECUTEONLYONCE) != FALSE;
    }

private:
    static void CALLBACK OnEnd(void* context, BOOLEAN) {
        const auto* self = static_cast<const Waited*>(context);
        PostMessageW(self->m_window, self->m_message, self->m_id, 0);
    }
    CKernelHandle m_process;
    HWND m_window;
    UINT m_message;
    uint32_t m_id;
    HANDLE m_wait = nullptr;
};

CProcessWatch::CProcessWatch(HWND window, UINT ended, Started started)
    : m_window(window), m_ended(ended), m_started(std::move(started)) {}

CProcessWatch::~CProcessWatch() {
    if (m_hook) UnhookWinEvent(m_hook);
    if (t_watch == this) t_watch = nullptr;
}

bool CProcessWatch::Start() {
    if (t_watch && t_watch != this) return false;
    t_watch = this;
    m_hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &CProcessWatch::OnWinEvent, 0, 0,
                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (!m_hook) return false;
    Rescan();
    return true;
}

void CProcessWatch::Rescan() {
    CKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) return;
    std::vector<std::unique_ptr<Opened>> found;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        if (std::unique_ptr<Opened> opened = Open(entry.th32ProcessID)) found.push_back(std::move(opened));
    }
    // In the order they started, so the first started decides with no profile put on before it.
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a->seen.startOrder < b->seen.startOrder; });
    for (const std::unique_ptr<Opened>& opened : found) Offer(*opened);
}

void CProcessWatch::Forget(uint32_t id) { m_waited.erase(id); }

void CProcessWatch::ForgetAllBut(const std::function<bool(uint32_t id)>& keep) {
    for (auto it = m_waited.begin(); it != m_waited.end();) it = keep(it->first) ? std::next(it) : m_waited.erase(it);
}

void CALLBACK CProcessWatch::OnWinEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (t_watch && hwnd && object == OBJID_WINDOW && child == CHILDID_SELF) t_watch->OnWindowCreated(hwnd);
}

// A process's first top-level window is how a new one shows itself; its other windows find it
// waited on already, or cost one look each.
void CProcessWatch::OnWindowCreated(HWND hwnd) {
    if (GetAncestor(hwnd, GA_PARENT) != GetDesktopWindow()) return;
    DWORD id = 0;
    if (!GetWindowThreadProcessId(hwnd, &id) || id == GetCurrentProcessId()) return;
    if (std::unique_ptr<Opened> opened = Open(id)) Offer(*opened);
}

std::unique_ptr<CProcessWatch::Opened> CProcessWatch::Open(uint32_t id) {
    if (id == 0 || id == GetCurrentProcessId() || m_waited.count(id)) return nullptr;
    auto opened = std::make_unique<Opened>();
    opened->process.Reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, id));
    if (!opened->process.Valid()) return nullptr;
    opened->seen = {id, ImagePath(opened->process.Get()), CreationTime(opened->process.Get())};
    if (opened->seen.imagePath.empty()) return nullptr;
    return opened;
}

// The wait is set before the question, so an end meanwhile is posted too, and the process is known
// meanwhile: answering may take in the window events of its other windows.
void CProcessWatch::Offer(Opened& opened) {
    const uint32_t id = opened.seen.id;
    auto waited = std::make_unique<Waited>(opened.process.Release(), m_window, m_ended, id);
    if (!waited->Wait()) return;
    m_waited[id] = std::move(waited);
    if (!m_started(opened.seen)) m_waited.erase(id);
}
