#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Reads an extended dialog template resource as the resource compiler wrote it, so a test can
// compare it with the layout it was meant to have.
namespace DialogTemplateReader {

struct Item {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring className;  // predefined classes by name: "Button", "Static", ...
    std::wstring text;
};

struct Template {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<Item> items;
};

// False when the resource is missing, not an extended template, or ends early.
bool Read(HMODULE module, UINT id, Template& out);

}  // namespace DialogTemplateReader
