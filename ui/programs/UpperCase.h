#pragma once
#include <string>

// Upper case as Windows compares file names without regard to case: each UTF-16 unit on its own,
// by its simple (one-unit) mapping, so "ß" stays and no text changes its length.
wchar_t UpperCaseUnit(wchar_t unit);
std::wstring UpperCased(std::wstring text);
