// The circle and the inscribed regular polygon for the chosen radius and vertex count.
#pragma once

#include "controls/list_box.h"
#include "controls/picture_box.h"

namespace tamirel {

// pi and 2 pi as the fifteen-digit literals the figures are computed with (not full precision).
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;

// Reads the selected radius R from `radii`, draws the circle of radius R around (500, 500),
// then reads the selected vertex count N from `counts` and, when N >= 2, draws the regular
// N-gon inscribed in a circle of radius R around the centre of the canvas's scale, standing
// on a horizontal bottom side: one PSet at the start vertex, then round(N) line-to calls
// clockwise on the screen. Never clears and never sets colour or style. A RuntimeError
// (overflow, invalid operation) ends it at once; what was drawn before stays.
void DrawPolygon(PictureBox& picture, const ListBox& radii, const ListBox& counts);

}  // namespace tamirel
