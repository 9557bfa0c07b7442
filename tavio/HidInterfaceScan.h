#pragma once
#include <windows.h>

#include <setupapi.h>

#include <string>

#include "framework/OwnedHandle.h"

// One pass over the present HID interfaces. The device-setup library is loaded for the pass
// alone: a program whose controller is not plugged in keeps none of it.
class CHidInterfaceScan {
public:
    explicit CHidInterfaceScan(const GUID& hidClass);
    ~CHidInterfaceScan();
    CHidInterfaceScan(const CHidInterfaceScan&) = delete;
    CHidInterfaceScan& operator=(const CHidInterfaceScan&) = delete;

    // False when the library, one of its calls or the list could not be had; Failure() says which.
    bool Valid() const { return m_list != INVALID_HANDLE_VALUE && m_list != nullptr; }
    const wchar_t* Failure() const { return m_failure; }
    DWORD FailureCode() const { return m_failureCode; }

    // False past the last interface; `path` stays empty for one whose path cannot be read.
    bool Interface(DWORD index, std::wstring& path) const;

private:
    bool Fail(const wchar_t* call);

    CLoadedModule m_module;
    GUID m_hidClass;
    decltype(&SetupDiGetClassDevsW) m_getClassDevs = nullptr;
    decltype(&SetupDiEnumDeviceInterfaces) m_enumInterfaces = nullptr;
    decltype(&SetupDiGetDeviceInterfaceDetailW) m_interfaceDetail = nullptr;
    decltype(&SetupDiDestroyDeviceInfoList) m_destroyList = nullptr;
    HDEVINFO m_list = INVALID_HANDLE_VALUE;
    const wchar_t* m_failure = L"";
    DWORD m_failureCode = 0;
};
