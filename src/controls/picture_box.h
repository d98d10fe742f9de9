// The drawing surface the geometry and the window draw on.
#pragma once

#include <cstdint>

#include "controls/colour.h"

namespace tamirel {

// Line styles for DrawStyle; every later Circle, PSet and Line uses the style current at the call.
enum DrawStyleValue : std::int16_t {
    kSolid = 0,
    kDash = 1,
    kDot = 2,
    kDashDot = 3,
    kDashDotDot = 4,
    kTransparent = 5,   // draws nothing visible, points included
    kInsideSolid = 6,   // solid; a wide pen would stay inside the outline
};

// Coordinates are user units in single precision: the drawing area inside the border spans
// ScaleWidth x ScaleHeight units, origin at its top-left corner, X to the right, Y downward.
// Drawing is in the foreground colour (black) with a thin pen and no fill.
class PictureBox {
public:
    virtual ~PictureBox() = default;

    virtual void SetScaleWidth(float units) = 0;
    virtual void SetScaleHeight(float units) = 0;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    // The background shown by the next Cls.
    virtual void SetBackColor(Colour colour) = 0;
    // Erases all drawing, shows the background colour, current point := (0, 0).
    virtual void Cls() = 0;

    virtual void SetDrawStyle(std::int16_t style) = 0;
    virtual std::int16_t DrawStyle() const = 0;

    // Full circle outline around (x, y).
    virtual void Circle(float x, float y, float radius) = 0;
    // One point; current point := (x, y).
    virtual void PSet(float x, float y) = 0;
    // Line from the current point to (x, y); current point := (x, y).
    virtual void Line(float x, float y) = 0;
};

// A canvas that keeps nothing of its own: a fixed 1000 x 1000 scale, solid lines, and the
// state calls (scale, background, clearing, style) ignored; for code that wants only a
// figure's Circle, PSet and Line calls, which it overrides.
class FigureCalls : public PictureBox {
public:
    void SetScaleWidth(float) override {}
    void SetScaleHeight(float) override {}
    float ScaleWidth() const override { return 1000; }
    float ScaleHeight() const override { return 1000; }
    void SetBackColor(Colour) override {}
    void Cls() override {}
    void SetDrawStyle(std::int16_t) override {}
    std::int16_t DrawStyle() const override { return 0; }
};

}  // namespace tamirel
