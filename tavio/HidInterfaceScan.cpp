#include "tavio/HidInterfaceScan.h"

#include <vector>

#include "framework/SystemLibrary.h"

// The records' fixed parts differ between the x86 and x64 builds; the size must be the platform's.
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == (sizeof(void*) == 8 ? 32 : 28), "interface record size");
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) == (sizeof(void*) == 8 ? 8 : 6), "detail record size");

namespace {
template <typename Call>
bool Find(HMODULE module, const char* name, Call& call) {
    call = SystemCall<Call>(module, name);
    return call != nullptr;
}
}  // namespace

CHidInterfaceScan::CHidInterfaceScan(const GUID& hidClass)
    : m_module(LoadSystemLibrary(L"setupapi.dll")), m_hidClass(hidClass) {
    if (!m_module.Valid()) {
        Fail(L"LoadLibraryW (setupapi.dll)");
        return;
    }
    const HMODULE module = m_module.Get();
    if (!Find(module, "SetupDiGetClassDevsW", m_getClassDevs) ||
        !Find(module, "SetupDiEnumDeviceInterfaces", m_enumInterfaces) ||
        !Find(module, "SetupDiGetDeviceInterfaceDetailW", m_interfaceDetail) ||
        !Find(module, "SetupDiDestroyDeviceInfoList", m_destroyList)) {
        Fail(L"GetProcAddress (setupapi.dll)");
        return;
    }
    m_list = m_getClassDevs(&m_hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (!Valid()) Fail(L"SetupDiGetClassDevsW");
}

// The list goes before the library that made it.
CHidInterfaceScan::~CHidInterfaceScan() {
    if (Valid()) m_destroyList(m_list);
}

bool CHidInterfaceScan::Fail(const wchar_t* call) {
    m_failure = call;
    m_failureCode = GetLastError();
    return false;
}

bool CHidInterfaceScan::Interface(DWORD index, std::wstring& path) const {
    path.clear();
    if (!Valid()) return false;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    if (!m_enumInterfaces(m_list, nullptr, &m_hidClass, index, &data)) return false;
    DWORD required = 0;
    m_interfaceDetail(m_list, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return true;
    // Whole records, so the buffer has the record's alignment.
    std::vector<SP_DEVICE_INTERFACE_DETAIL_DATA_W> buffer(required / sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) + 1);
    auto* detail = buffer.data();
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!m_interfaceDetail(m_list, &data, detail, required, nullptr, nullptr)) return true;
    const size_t units = (required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
    path.assign(detail->DevicePath, wcsnlen(detail->DevicePath, units));
    return true;
}
