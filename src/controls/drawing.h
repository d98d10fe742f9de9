// What a canvas has drawn since its last clear, kept so it can be painted again at any
// resolution (the screen at any pixel ratio, an exported image or a vector file).
#pragma once

#include <cstdint>
#include <vector>

#include "controls/colour.h"

namespace tamirel {

// Positions are fractions of the drawing area (0 = left/top edge, 1 = right/bottom edge),
// so a change of user scale after drawing does not move what is already there. A circle's
// radius is a fraction of the area's width.
struct Primitive {
    enum class Kind : std::uint8_t { Circle, Point, Line };
    Kind kind;
    std::int16_t style;   // the DrawStyle in force when it was drawn
    double x1, y1;        // circle centre, the point, or a line's start
    double x2, y2;        // a line's end; for a circle x2 is the radius
};

struct Drawing {
    Colour background;
    std::vector<Primitive> primitives;   // in drawing order
};

// Exported images and vector files are this many pixels square, drawn with a pen this many
// pixels wide, which keeps the dash patterns recognisable at that size.
inline constexpr int kExportSide = 1000;
// How wide a picture of ours lands on paper: its image records the resolution at which its
// whole width is this many metres, the width of an A4 page's text (16.5 cm), so a word
// processor inserts the drawing and the lesson's page at a size that fits the page.
inline constexpr double kPrintedWidthMetres = 0.165;
inline constexpr double kExportPenWidth = 3.0;

// The dash pattern of a line style in pen widths, dash first: dash 18/6, dot 3/3,
// dash-dot 9/6/3/6, dash-dot-dot 9/3/3/3/3/3; empty for the solid styles and transparent.
const std::vector<double>& DashPattern(std::int16_t style);

}  // namespace tamirel
