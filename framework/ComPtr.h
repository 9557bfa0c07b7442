#pragma once
#include <windows.h>
#include <objbase.h>

// One COM interface pointer, released with its owner.
template <typename Interface>
class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() { Reset(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;

    void Reset() {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }
    // For the functions that hand out an interface: the old one is released first.
    Interface** Receive() {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    Interface* operator->() const { return m_p; }
    Interface* Get() const { return m_p; }

private:
    Interface* m_p = nullptr;
};

// COM for the calling thread while it lives; uninitialised only when the initialisation took.
class CComScope {
public:
    CComScope() : m_result(CoInitialize(nullptr)) {}
    ~CComScope() {
        if (SUCCEEDED(m_result)) CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT m_result;
};
