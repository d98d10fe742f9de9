// Twips, the unit of the window's layout: 1/1440 inch, 15 to a logical pixel at 96 dpi.
#pragma once

namespace tamirel {

inline constexpr int kTwipsPerPixel = 15;

// Twips to logical pixels, rounded to the nearest pixel.
constexpr int ToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

}  // namespace tamirel
