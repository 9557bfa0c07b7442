#include "store/Profile.h"

#include <cwchar>

void SetProfileName(PROFILE& profile, const std::wstring& name) {
    size_t length = name.size() < kProfileNameMax ? name.size() : kProfileNameMax;
    if (length == kProfileNameMax && length < name.size()) {
        const wchar_t last = name[length - 1];
        if (last >= 0xD800 && last <= 0xDBFF) --length;
    }
    std::wmemcpy(profile.name, name.data(), length);
    std::wmemset(profile.name + length, L'\0', 64 - length);
}
