#include "geometry/draw_polygon.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "controls/runtime_error.h"
#include "geometry/numeric.h"

namespace tamirel {

namespace {

double SelectedNumber(const ListBox& list) { return TextToNumber(list.List(list.ListIndex())); }

struct Vertex {
    float x, y;
};

// The point at `angle` (radians) on the circle of radius r around (xc, yc): the product first,
// then the centre added; x is narrowed before y, so an overflow in x is reported first.
Vertex VertexAt(double r, double angle, float xc, float yc) {
    const float x = ToSingle(r * std::cos(angle) + xc);
    const float y = ToSingle(r * std::sin(angle) + yc);
    return {x, y};
}

}  // namespace

void DrawPolygon(PictureBox& picture, const ListBox& radii, const ListBox& counts) {
    const double r = SelectedNumber(radii);
    // The circle's centre is fixed; the polygon's centre comes from the scale. They coincide
    // on the 1000 x 1000 scale the window sets at start-up.
    picture.Circle(500.0f, 500.0f, ToSingle(r));

    const float xc = ToSingle(CheckFloatingPoint(static_cast<double>(picture.ScaleWidth()) / 2));
    const float yc = ToSingle(CheckFloatingPoint(static_cast<double>(picture.ScaleHeight()) / 2));

    const double n = SelectedNumber(counts);
    if (n < 2) return;

    // Interior angle, evaluated as subtract, divide, multiply.
    const double alpha = ((n - 2) / n) * kPi;
    const double halfAlpha = CheckFloatingPoint(alpha / 2);

    const Vertex start = VertexAt(r, halfAlpha, xc, yc);
    picture.PSet(start.x, start.y);

    // A fractional N keeps its value in the angles while the number of sides is rounded.
    const std::int32_t count = ToInt32(n);
    for (std::int32_t m = 1; m <= count;) {
        const double theta = CheckFloatingPoint(m * kTwoPi) / n + halfAlpha;
        const Vertex next = VertexAt(r, theta, xc, yc);
        picture.Line(next.x, next.y);
        if (m == std::numeric_limits<std::int32_t>::max()) throw RuntimeError::Overflow();
        ++m;
    }
}

}  // namespace tamirel
