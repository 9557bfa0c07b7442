#pragma once
#include <windows.h>

#include <optional>
#include <vector>

// Ctrl+Alt+1 to Ctrl+Alt+9 for profiles 1 to 9 of the list, registered for one window while
// the option is on; a held key does not repeat.
class CProfileHotkeys {
public:
    static constexpr int kCount = 9;

    CProfileHotkeys() = default;
    ~CProfileHotkeys() { Unregister(); }
    CProfileHotkeys(const CProfileHotkeys&) = delete;
    CProfileHotkeys& operator=(const CProfileHotkeys&) = delete;

    bool Active() const { return m_window != nullptr; }
    // Gives the numbers (1 to 9) that another program holds; the others work.
    std::vector<int> Register(HWND window);
    void Unregister();

    // The list index a WM_HOTKEY id stands for.
    static std::optional<size_t> ProfileIndex(WPARAM id);

private:
    HWND m_window = nullptr;
    std::vector<int> m_registeredIds;
};
