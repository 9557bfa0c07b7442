#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What a screen reader is told of one window: the first part is the window itself, any further
// ones are things drawn inside it (a graph's curves, a point), numbered from 1.
struct AccessiblePart {
    long role = 0;
    std::wstring name;
    std::wstring value;
    // In client pixels; an empty one stands for the whole window.
    RECT place{};
    bool focused = false;
};
using AccessiblePartsSource = std::function<std::vector<AccessiblePart>()>;
