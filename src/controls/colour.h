// Colours as 32-bit 0x00BBGGRR values.
#pragma once

#include <cstdint>

namespace tamirel {

using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) + 256 * (g & 0xFF) + 65536 * (b & 0xFF));
}

constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace tamirel
