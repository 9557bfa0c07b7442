#include "gpu/SystemDriverLibrary.h"

#include "gpu/GpuControl.h"

namespace {
#ifdef _WIN64
constexpr wchar_t kLibraryName[] = L"nvapi64.dll";
#else
constexpr wchar_t kLibraryName[] = L"nvapi.dll";
#endif
}  // namespace

CGpuControl::CGpuControl() : CGpuControl(std::make_unique<CSystemDriverLibrary>()) {}

CSystemDriverLibrary::~CSystemDriverLibrary() {
    if (m_module) FreeLibrary(m_module);
}

std::wstring CSystemDriverLibrary::LibraryPath() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring path(folder, length);
    if (path.back() != L'\\') path += L'\\';
    return path + kLibraryName;
}

bool CSystemDriverLibrary::Load() {
    if (m_module) return true;
    // A full path, never the search order: a library of the same name beside the program, in
    // the current folder or on PATH must not run inside it. The altered search path makes the
    // library's own dependencies resolve from the system folder too.
    const std::wstring path = LibraryPath();
    if (path.empty()) return false;
    m_module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return m_module != nullptr;
}

QueryInterfaceFn CSystemDriverLibrary::QueryEntry() {
    if (!m_module) return nullptr;
    const FARPROC entry = GetProcAddress(m_module, "nvapi_QueryInterface");
    return reinterpret_cast<QueryInterfaceFn>(reinterpret_cast<void (*)()>(entry));
}
