#include "ui/StartupShortcut.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "framework/ComPtr.h"

namespace StartupShortcut {
namespace {

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A cut path would name another file.
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

std::wstring Path(bool allUsers) {
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, allUsers ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP, nullptr,
                                SHGFP_TYPE_CURRENT, folder)))
        return L"";
    return std::wstring(folder) + L"\\" + kFileName;
}

bool Exists(bool allUsers) {
    const std::wstring path = Path(allUsers);
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Delete(bool allUsers) {
    const std::wstring path = Path(allUsers);
    return !path.empty() && DeleteFileW(path.c_str());
}

bool Create(bool allUsers) {
    const std::wstring program = ProgramPath(), path = Path(allUsers);
    if (program.empty() || path.empty()) return false;
    // COM may already be running on this thread in another mode; the link object works either way.
    CComScope com;
    CComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())))
        return false;
    link->SetPath(program.c_str());
    link->SetArguments(kArguments);
    link->SetWorkingDirectory(FolderOf(program).c_str());
    CComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return false;
    return SUCCEEDED(file->Save(path.c_str(), TRUE));
}

}  // namespace StartupShortcut
