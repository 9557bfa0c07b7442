#pragma once
#include <cstddef>
#include <string>

// A registry key's entries as the in-memory stores keep them: its values and its direct subkeys.
template <class Sections>
size_t CountSectionEntries(const Sections& sections, const std::wstring& section) {
    const auto s = sections.find(section);
    size_t count = s == sections.end() ? 0 : s->second.size();
    const std::wstring below = section + L"\\";
    for (auto it = sections.lower_bound(below); it != sections.end() && it->first.compare(0, below.size(), below) == 0; ++it)
        if (it->first.find(L'\\', below.size()) == std::wstring::npos) ++count;
    return count;
}
