#pragma once
#include <windows.h>

// One kernel object (mutex, event, thread, file), closed with its owner. Both the null handle and
// INVALID_HANDLE_VALUE mean none.
class CKernelHandle {
public:
    CKernelHandle() = default;
    explicit CKernelHandle(HANDLE handle) : m_handle(handle) {}
    ~CKernelHandle() { Reset(); }
    CKernelHandle(const CKernelHandle&) = delete;
    CKernelHandle& operator=(const CKernelHandle&) = delete;

    void Reset(HANDLE handle = nullptr) {
        if (*this) CloseHandle(m_handle);
        m_handle = handle;
    }
    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle = nullptr;
};
