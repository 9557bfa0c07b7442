#include "tavio/TavioDevice.h"

#include "tavio/HidInterfaceScan.h"
#include "tavio/TavioDeviceReader.h"
#include "tavio/TavioDeviceRules.h"

static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32, "notification filter size");

namespace {

constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

std::u16string Units(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

HANDLE OpenPath(const std::wstring& path, DWORD access, DWORD flags) {
    return CreateFileW(path.c_str(), access, kShare, nullptr, OPEN_EXISTING, flags, nullptr);
}

}  // namespace

// One open controller: its handles and its reader. The reader is dropped first, so it has stopped
// before any handle it uses is closed.
struct CTavioDevice::Connection {
    CKernelHandle query;
    CKernelHandle write;
    CKernelHandle read;
    size_t inputLength = 0;
    size_t outputLength = 0;
    CTavioReader reader;
};

CTavioDevice::CTavioDevice() { HidD_GetHidGuid(&m_hidGuid); }

CTavioDevice::~CTavioDevice() { Close(); }

void CTavioDevice::Fail(const wchar_t* call, DWORD code) {
    m_lastError = std::wstring(call) + L" failed (error " + std::to_wstring(code) + L")";
}

bool CTavioDevice::FindAndOpen(uint16_t vendor, uint16_t product) {
    if (m_open) return true;
    m_lastScan.clear();
    HidD_GetHidGuid(&m_hidGuid);
    const CHidInterfaceScan scan(m_hidGuid);
    if (!scan.Valid()) {
        Fail(scan.Failure(), scan.FailureCode());
        return false;
    }
    std::wstring path;
    for (DWORD index = 0; scan.Interface(index, path); ++index) {
        if (path.empty()) continue;
        CKernelHandle query(OpenPath(path, 0, 0));
        Attributes ids{};
        if (!query.Valid() || !ReadAttributes(query.Get(), ids)) continue;
        m_lastScan.push_back(ids);
        if (ids.vendor != vendor || ids.product != product) continue;
        if (auto open = OpenMatch(path, query)) {
            m_path = path;
            m_open = std::move(open);
            return true;
        }
    }
    return false;
}

bool CTavioDevice::ReadAttributes(HANDLE query, Attributes& ids) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!HidD_GetAttributes(query, &attributes)) {
        Fail(L"HidD_GetAttributes", GetLastError());
        return false;
    }
    ids = {attributes.VendorID, attributes.ProductID};
    return true;
}

// Every step must succeed; whatever was opened before a failing step closes with the record.
std::unique_ptr<CTavioDevice::Connection> CTavioDevice::OpenMatch(const std::wstring& path, CKernelHandle& query) {
    auto open = std::make_unique<Connection>();
    open->query.Reset(query.Release());
    auto failed = [this](const wchar_t* call, DWORD code) {
        Fail(call, code);
        return nullptr;
    };
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!HidD_GetPreparsedData(open->query.Get(), &raw)) return failed(L"HidD_GetPreparsedData", GetLastError());
    CPreparsedData preparsed(raw);
    HIDP_CAPS caps{};
    const NTSTATUS status = HidP_GetCaps(preparsed.Get(), &caps);
    if (status != HIDP_STATUS_SUCCESS) return failed(L"HidP_GetCaps", static_cast<DWORD>(status));
    if (!TavioDeviceRules::AcceptsReportLengths(caps.InputReportByteLength, caps.OutputReportByteLength)) {
        m_lastError = L"report lengths refused (input " + std::to_wstring(caps.InputReportByteLength) +
                      L", output " + std::to_wstring(caps.OutputReportByteLength) + L")";
        return nullptr;
    }
    open->inputLength = caps.InputReportByteLength;
    open->outputLength = caps.OutputReportByteLength;
    open->write.Reset(OpenPath(path, GENERIC_WRITE, 0));
    if (!open->write.Valid()) return failed(L"CreateFileW (write)", GetLastError());
    open->read.Reset(OpenPath(path, GENERIC_READ, FILE_FLAG_OVERLAPPED));
    if (!open->read.Valid()) return failed(L"CreateFileW (read)", GetLastError());
    if (!open->reader.Prepare()) return failed(L"CreateEventW", GetLastError());
    return open;
}

void CTavioDevice::StartReader(HWND window) {
    if (m_open) m_open->reader.Start(m_open->read.Get(), m_open->inputLength, window);
}

void CTavioDevice::Close() { m_open.reset(); }

bool CTavioDevice::StillAnswers() {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    return m_open && HidD_GetAttributes(m_open->query.Get(), &attributes);
}

// One registration serves every later connect, so each notice arrives once.
void CTavioDevice::RegisterForArrival(HWND window) {
    if (m_arrival.Valid()) return;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = m_hidGuid;
    m_arrival.Reset(RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    if (!m_arrival.Valid()) Fail(L"RegisterDeviceNotificationW", GetLastError());
}

bool CTavioDevice::IsSameDevice(const DEV_BROADCAST_HDR* header) const {
    std::u16string name;
    return TavioDeviceRules::InterfaceName(reinterpret_cast<const uint8_t*>(header), name) &&
           TavioDeviceRules::SamePath(Units(m_path), name);
}

bool CTavioDevice::IsController(const DEV_BROADCAST_HDR* header) {
    std::u16string name;
    if (!TavioDeviceRules::InterfaceName(reinterpret_cast<const uint8_t*>(header), name) || name.empty()) return false;
    CKernelHandle query(OpenPath(std::wstring(name.begin(), name.end()), 0, 0));
    Attributes ids{};
    return query.Valid() && ReadAttributes(query.Get(), ids) && ids.vendor == TavioDeviceRules::kVendorId &&
           ids.product == TavioDeviceRules::kProductId;
}

bool CTavioDevice::WriteReport(const uint8_t* bytes, size_t length) {
    if (length == 0) return true;
    if (!m_open || !bytes) return false;
    std::vector<uint8_t> frame;
    if (!TavioDeviceRules::FrameOutputReport(bytes, length, m_open->outputLength, frame)) return false;
    return HidD_SetOutputReport(m_open->write.Get(), frame.data(), static_cast<ULONG>(frame.size()));
}

size_t CTavioDevice::OutputReportLength() const { return m_open ? m_open->outputLength : 0; }
