#pragma once
#include <windows.h>

// One Win32 handle, released by its owner. Traits name the empty value and the release; the null
// handle counts as empty too.
template <typename Traits>
class COwnedHandle {
public:
    using Handle = typename Traits::Handle;
    COwnedHandle() = default;
    explicit COwnedHandle(Handle handle) : m_handle(handle) {}
    ~COwnedHandle() { Reset(); }
    COwnedHandle(const COwnedHandle&) = delete;
    COwnedHandle& operator=(const COwnedHandle&) = delete;

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

// A mutex, event, thread or file.
using CKernelHandle = COwnedHandle<KernelHandleTraits>;

struct ModuleHandleTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Release(Handle h) { FreeLibrary(h); }
};

// A library loaded for a while.
using CLoadedModule = COwnedHandle<ModuleHandleTraits>;
