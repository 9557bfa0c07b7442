#include "sim/tavio/EmulatorTransport.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cwctype>

#include "sim/tavio/HexLog.h"

namespace {

// The HID interface class, as the system names it in its notices.
constexpr GUID kHidClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

// The emulator's own reading of the key byte it sends.
struct KeyCode {
    uint8_t keyByte;
    WPARAM event;
};
constexpr KeyCode kKeyCodes[] = {{0x38, 0}, {0x31, 1}, {0x32, 2}, {0x34, 3}};

}  // namespace

CEmulatorTransport::CEmulatorTransport(std::wstring logPath) {
    if (logPath.empty()) {
        const wchar_t* named = _wgetenv(L"OSKARA_SIM_TAVIO_LOG");
        if (named) logPath = named;
    }
    if (!logPath.empty()) m_log.reset(_wfopen(logPath.c_str(), L"ab"));
}

CEmulatorTransport::~CEmulatorTransport() { Close(); }

bool CEmulatorTransport::FindAndOpen(uint16_t vendor, uint16_t product) {
    if (!m_plugged || vendor != kVendorId || product != kProductId) return false;
    m_open = true;
    return true;
}

void CEmulatorTransport::StartReader(HWND window) {
    if (!m_open || m_reader) return;
    m_reader = window;
    m_mostReaders = std::max(m_mostReaders, ++m_readersRunning);
    for (; !m_keys.empty(); m_keys.pop_front()) Deliver(m_keys.front());
}

void CEmulatorTransport::Close() {
    if (m_reader) --m_readersRunning;
    m_reader = nullptr;
    m_open = false;
}

void CEmulatorTransport::RegisterForArrival(HWND window) { m_arrivalWindows.push_back(window); }

bool CEmulatorTransport::IsSameDevice(const DEV_BROADCAST_HDR* header) const {
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
    const size_t nameAt = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (header->dbch_size < nameAt) return false;
    const auto* notice = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    const size_t room = (header->dbch_size - nameAt) / sizeof(wchar_t);
    const std::wstring path = kPath;
    if (room < path.size()) return false;
    for (size_t i = 0; i < path.size(); ++i)
        if (std::towupper(notice->dbcc_name[i]) != std::towupper(path[i])) return false;
    return room == path.size() || notice->dbcc_name[path.size()] == 0;
}

bool CEmulatorTransport::WriteReport(const uint8_t* bytes, size_t length) {
    if (length == 0) return true;
    if (!m_open || !m_plugged || !bytes || length > kOutputLength) return false;
    const CEmulatorCost::Section counted(m_cost);
    std::vector<uint8_t> report(bytes, bytes + length);
    report.resize(kOutputLength, 0);
    m_panel.Feed(report);
    Log(report);
    if (m_listener) m_listener();
    return true;
}

void CEmulatorTransport::Log(const std::vector<uint8_t>& report) {
    if (!m_log) return;
    const std::string line = HexLine(report.data(), report.size());
    fwrite(line.data(), 1, line.size(), m_log.get());
    fflush(m_log.get());
}

void CEmulatorTransport::Press(PanelKey key) {
    if (!m_plugged) return;
    if (m_reader)
        Deliver(KeyReport(key, kInputLength));
    else
        m_keys.push_back(KeyReport(key, kInputLength));
}

// A removed device loses what it had not delivered; its reads fail until it is back.
void CEmulatorTransport::Unplug() {
    if (!m_plugged) return;
    m_plugged = false;
    m_keys.clear();
    Notify(DBT_DEVICEREMOVECOMPLETE);
}

void CEmulatorTransport::Plug() {
    if (m_plugged) return;
    m_plugged = true;
    Notify(DBT_DEVICEARRIVAL);
}

// Sent, not posted, as the system does: the notice lives only for the call.
void CEmulatorTransport::Notify(UINT event) {
    struct {
        DEV_BROADCAST_DEVICEINTERFACE_W notice;
        wchar_t rest[MAX_PATH];
    } message{};
    const std::wstring path = kPath;
    message.notice.dbcc_size =
        static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t));
    message.notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    message.notice.dbcc_classguid = kHidClass;
    path.copy(message.notice.dbcc_name, path.size());
    for (HWND window : m_arrivalWindows)
        SendMessageW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&message));
}

void CEmulatorTransport::Deliver(const std::vector<uint8_t>& report) const {
    if (report.size() < 3 || report[1] != 0x01) return;
    for (const KeyCode& code : kKeyCodes)
        if (report[2] == code.keyByte) PostMessageW(m_reader, WM_USER, code.event, 0);
}
