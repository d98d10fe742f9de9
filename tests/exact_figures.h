// Figures where the exact arithmetic of DrawPolygon shows in single precision, for the
// procedure's test and for the program that compares the desktop and browser builds.
//
// With a radius of a few billion, a vertex that lies on the vertical or the horizontal through
// the centre has the other coordinate 500 + R x (a remainder of about 1e-15 left by the
// fifteen-digit constant and by the rounding of each step), and that remainder decides between
// 500 and a neighbouring single (499.99997 or 500.00003). Each row pins one such coordinate and
// names what would move it:
//   constant:    full-precision pi in place of 3.14159265358979
//   angle order: m x (2 pi' / N) in place of (m x 2 pi') / N
//   alpha order: (N - 2) x pi' / N in place of ((N - 2) / N) x pi'
#pragma once

namespace tamirel::testing {

struct ExactFigure {
    const char* radius;   // list texts
    const char* count;
    int vertex;           // 0 the start point, m the end of the m-th line
    int axis;             // 0 x, 1 y
    float value;          // that coordinate as the canvas receives it
    const char* movedBy;
};

inline constexpr ExactFigure kExactFigures[] = {
    {"4e9", "3", 2, 0, 499.99997f, "constant"},                 // the apex
    {"6.5e9", "10", 8, 1, 499.99997f, "constant, alpha order"},   // the right-most vertex
    {"6.5e9", "14", 11, 1, 499.99997f, "constant, angle order"},
    {"3e9", "5", 3, 0, 500.0f, "angle order"},                  // the apex
    {"2.1e9", "10", 8, 1, 500.0f, "alpha order"},
};

}  // namespace tamirel::testing
