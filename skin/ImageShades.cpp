#include "skin/ImageShades.h"

namespace {
uint8_t Darker(uint8_t v) { return static_cast<uint8_t>(v - v * 0.25); }
}  // namespace

Rgb DarkerShade(Rgb c) { return {Darker(c.r), Darker(c.g), Darker(c.b)}; }

Rgb GreyShade(Rgb c) {
    const auto g = static_cast<uint8_t>(c.r * 0.299 + c.g * 0.587 + c.b * 0.114);
    return {g, g, g};
}
