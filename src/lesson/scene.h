// What a lesson figure shows, as plain primitives in the canvas's units, so that every face
// (the desktop's painter, the browser's canvas, the SVG writer) draws the same thing and none
// of them computes geometry.
#pragma once

#include <string>
#include <vector>

#include "controls/colour.h"

namespace tamirel {

// Canvas units: the main window's 1000 x 1000 scale, origin top-left, Y downward.
struct ScenePoint {
    double x = 0;
    double y = 0;
};

// How strongly an item is drawn: the figure itself, a construction aid drawn earlier (light),
// or what the current step adds (stands out).
enum class Ink { Figure, Faint, Highlight };

// How each face draws an ink, in canvas units, so that every face gives the same picture:
// the figure black, construction aids light grey, what stands out blue (6.3:1 on white).
constexpr Colour InkColour(Ink ink) {
    switch (ink) {
        case Ink::Faint: return Rgb(0x6e, 0x6e, 0x6e);
        case Ink::Highlight: return Rgb(0x1a, 0x5f, 0xb4);
        case Ink::Figure: break;
    }
    return Rgb(0, 0, 0);
}
constexpr double InkWidth(Ink ink) { return ink == Ink::Figure ? 3 : ink == Ink::Faint ? 2 : 4; }

// What a projector must still show from the back row, in pixels at 100 % zoom (times the
// zoom): no pen thinner than kMinimumPenPixels, and no letter of a label smaller than the main
// window's text (12 pt, 16 px). A face that would draw a scene smaller than that lets it be
// scrolled instead of shrinking it.
inline constexpr double kMinimumPenPixels = 2;
inline constexpr double kMinimumLabelPixels = 16;

// A label's letters are this many canvas units high (the font's pixel size on a 1000-unit
// side); a white halo this wide keeps them readable across lines. A point is a dot of this
// radius. A right-angle mark is a square of this side, smaller where its arms are short.
// Each is multiplied by the scene's markScale.
inline constexpr double kLabelHeight = 40;
inline constexpr double kLabelHalo = 7;
inline constexpr double kPointRadius = 6;
inline constexpr double kRightAngleSide = 22;

struct SceneItem {
    enum class Kind {
        Segment,     // a = start, b = end
        Ray,         // a straight line through a and b, drawn across the whole figure
        Circle,      // a = centre, radius
        Arc,         // a = centre, radius, from startDegrees sweeping sweepDegrees (counter-clockwise on screen)
        Polygon,     // points, closed
        Point,       // a, a small dot
        RightAngle,  // a = the corner, b and c = points on its two arms; a small square mark
        Label,       // text placed near a (anchored at its centre), e.g. "O", "A", "R", "60°"
    };
    Kind kind = Kind::Segment;
    Ink ink = Ink::Figure;
    ScenePoint a, b, c;
    double radius = 0;
    double startDegrees = 0;
    double sweepDegrees = 0;
    std::vector<ScenePoint> points;
    std::string text;   // UTF-8, for labels
};

struct Scene {
    std::vector<SceneItem> items;   // in drawing order
    // Pens, points, letters, their halos and right-angle marks are drawn this many times the
    // sizes above, so that marks keep their proportion to a figure of any size.
    double markScale = 1;
    // The square a view on screen fills itself with: centred on `focus`, `reach` units from
    // it to each side. Pictures taken away (SVG, PNG, print) show the whole canvas.
    ScenePoint focus{500, 500};
    double reach = 560;
};

}  // namespace tamirel
