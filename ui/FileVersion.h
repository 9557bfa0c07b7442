#pragma once
#include <string>

// The "FileVersion" string of a file's version resource in its first translation; empty when
// the file has none or the resource is malformed.
std::wstring GetFileVersionText(const std::wstring& path);
