#pragma once
#include <windows.h>

#include <dbt.h>
#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
}

// One Win32 handle each, released by its owner. Traits name the empty value and the release.
template <typename Traits>
class CTavioOwned {
public:
    using Handle = typename Traits::Handle;
    CTavioOwned() = default;
    explicit CTavioOwned(Handle handle) : m_handle(handle) {}
    ~CTavioOwned() { Reset(); }
    CTavioOwned(const CTavioOwned&) = delete;
    CTavioOwned& operator=(const CTavioOwned&) = delete;

    void Reset(Handle handle = Traits::Empty()) {
        if (Valid()) Traits::Release(m_handle);
        m_handle = handle;
    }
    Handle Get() const { return m_handle; }
    Handle Release() {
        Handle handle = m_handle;
        m_handle = Traits::Empty();
        return handle;
    }
    bool Valid() const { return m_handle != Traits::Empty() && m_handle != nullptr; }

private:
    Handle m_handle = Traits::Empty();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle h) { CloseHandle(h); }
};
struct DeviceInfoListTraits {
    using Handle = HDEVINFO;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle h) { SetupDiDestroyDeviceInfoList(h); }
};
struct PreparsedDataTraits {
    using Handle = PHIDP_PREPARSED_DATA;
    static Handle Empty() { return nullptr; }
    static void Release(Handle h) { HidD_FreePreparsedData(h); }
};
struct DeviceNotificationTraits {
    using Handle = HDEVNOTIFY;
    static Handle Empty() { return nullptr; }
    static void Release(Handle h) { UnregisterDeviceNotification(h); }
};

using CTavioHandle = CTavioOwned<KernelHandleTraits>;
using CDeviceInfoList = CTavioOwned<DeviceInfoListTraits>;
using CPreparsedData = CTavioOwned<PreparsedDataTraits>;
using CDeviceNotification = CTavioOwned<DeviceNotificationTraits>;
