#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The controller's text line as a picture of 126 x 9 pixels that text is drawn into.
class TextSurface {
public:
    static constexpr int kWidth = 126;
    static constexpr int kHeight = 9;

    virtual ~TextSurface() = default;
    // Every pixel dark.
    virtual void Clear() = 0;
    // Text centred on x with its bottom on the line's bottom edge.
    virtual void DrawCentred(int x, const std::wstring& text) = 0;
    // kWidth * kHeight values, row by row from the top; non-zero where a pixel is lit.
    virtual std::vector<uint8_t> Pixels() const = 0;
};
