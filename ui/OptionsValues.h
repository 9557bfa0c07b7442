#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// How the options dialog shows the stored settings and what it stores back.
inline constexpr const wchar_t* kStepSizeItems[] = {L"1 MHz", L"5 MHz", L"10 MHz"};
inline constexpr uint32_t kStepSizeValues[] = {1, 5, 10};
inline constexpr uint32_t kStepSizeDefault = 5;

// The combo item of a stored step size; -1 (no selection) for any other value.
int StepSizeItem(uint32_t stepSize);
// The step size an item's text stands for; the default for anything else, no selection too.
uint32_t StepSizeFromText(const std::wstring& text);

// Only a stored 1 shows a check: a stray 2 would show a grey box and be written back.
constexpr bool ShowsChecked(uint32_t value) { return value == 1; }

// The temperature guard's limit box: the stored limit, or the one offered first while it is off.
std::wstring TempGuardLimitText(uint32_t stored);
// What OK stores: 0 when off; else the limit typed held to 60..110, the first one when no number.
uint32_t TempGuardToStore(bool on, const std::wstring& limitText);

// The registry key of the version block's first translation, "%08x" of language and code page;
// empty when the block holds fewer than the four bytes of one entry.
std::wstring VersionTranslationKey(const void* block, size_t bytes);
