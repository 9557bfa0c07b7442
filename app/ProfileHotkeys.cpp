#include "app/ProfileHotkeys.h"

#include "res/resource.h"

std::vector<int> CProfileHotkeys::Register(HWND window) {
    Unregister();
    m_window = window;
    std::vector<int> taken;
    for (int number = 1; number <= kCount; ++number) {
        const int id = ID_HOTKEY_PROFILE_FIRST + number - 1;
        if (RegisterHotKey(window, id, MOD_CONTROL | MOD_ALT | MOD_NOREPEAT, '0' + number))
            m_registeredIds.push_back(id);
        else
            taken.push_back(number);
    }
    return taken;
}

void CProfileHotkeys::Unregister() {
    for (int id : m_registeredIds) UnregisterHotKey(m_window, id);
    m_registeredIds.clear();
    m_window = nullptr;
}

std::optional<size_t> CProfileHotkeys::ProfileIndex(WPARAM id) {
    if (id < ID_HOTKEY_PROFILE_FIRST || id >= static_cast<WPARAM>(ID_HOTKEY_PROFILE_FIRST + kCount)) return std::nullopt;
    return id - ID_HOTKEY_PROFILE_FIRST;
}
