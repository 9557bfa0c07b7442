#include "ui/OptionsValues.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <iterator>

#include "ui/TempGuard.h"

int StepSizeItem(uint32_t stepSize) {
    for (size_t i = 0; i < std::size(kStepSizeValues); ++i)
        if (kStepSizeValues[i] == stepSize) return static_cast<int>(i);
    return -1;
}

uint32_t StepSizeFromText(const std::wstring& text) {
    for (size_t i = 0; i < std::size(kStepSizeItems); ++i)
        if (text == kStepSizeItems[i]) return kStepSizeValues[i];
    return kStepSizeDefault;
}

std::wstring TempGuardLimitText(uint32_t stored) {
    return std::to_wstring(CTempGuard::LimitOf(stored).value_or(CTempGuard::kFirstLimit));
}

uint32_t TempGuardToStore(bool on, const std::wstring& limitText) {
    if (!on) return 0;
    wchar_t* end = nullptr;
    const long typed = std::wcstol(limitText.c_str(), &end, 10);
    if (end == limitText.c_str() || *end != L'\0') return CTempGuard::kFirstLimit;
    return static_cast<uint32_t>(std::clamp<long>(typed, CTempGuard::kLowestLimit, CTempGuard::kHighestLimit));
}

std::wstring VersionTranslationKey(const void* block, size_t bytes) {
    if (!block || bytes < 4) return L"";
    const auto* b = static_cast<const unsigned char*>(block);
    const unsigned language = b[0] | (b[1] << 8), codePage = b[2] | (b[3] << 8);
    wchar_t key[9];
    std::swprintf(key, 9, L"%08x", language * 65536u + codePage);
    return key;
}
