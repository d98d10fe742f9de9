// What every face needs to draw a Scene alike: where a ray meets the edges, the corners of a
// right-angle mark, and the scene as SVG elements and as JSON for the browser's painter.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "form/markup.h"
#include "lesson/scene.h"

namespace tamirel {

// The scene's area: the main window's canvas scale, kSceneSide units square.
inline constexpr double kSceneSide = 1000;
// Labels are set in this family (CSS/SVG font list), upright, regular weight.
inline constexpr const char* kSceneFont = "'Times New Roman','Liberation Serif',serif";
// A label is centred on its point by putting its baseline this many letter heights below the
// point: half the face's ascent less its descent (Liberation Serif and Times New Roman: 0.891
// and 0.216 em), so that the middle of the letters' box sits on the point. SVG places text by
// its baseline, which every reader honours alike.
inline constexpr double kLabelBaselineDrop = (0.891 - 0.216) / 2;

// The two points where the straight line through ray.a and ray.b crosses the edges of the
// scene's area, in the direction from a to b; a and b themselves when they coincide or the
// line misses the area.
std::array<ScenePoint, 2> RayEnds(const SceneItem& ray);

// A right-angle mark's corners in drawing order: on the arm towards b, the corner opposite
// a, on the arm towards c. Its side is kRightAngleSide x markScale, or 0.4 of the shorter arm
// if less.
std::array<ScenePoint, 3> RightAngleCorners(const SceneItem& mark, double markScale = 1);

// The point at `degrees` (counter-clockwise on screen from the X axis) on the circle of
// `radius` around `centre`.
ScenePoint OnCircle(ScenePoint centre, double radius, double degrees);

// An item of `kind` in `ink` at a (and b), for its caller to finish.
SceneItem SceneItemOf(SceneItem::Kind kind, Ink ink, ScenePoint a, ScenePoint b = {});

// A coordinate as text for SVG and JSON: rounded to two decimals, no trailing zeros, "." as
// the decimal point, never "-0".
std::string SceneNumber(double value);

// The items as SVG elements in canvas units and drawing order, each with its ink's colour
// and width (times the scene's markScale); a label is two <text> elements on the same
// baseline, its white halo (a stroked copy) and then its letters, so that no reader needs
// paint-order or dominant-baseline. Meant to sit inside an <svg> whose viewBox is the scene's area.
std::string SceneToSvgElements(const Scene& scene);

// The scene as JSON, ready to paint: {"focus": [x, y], "reach", "items": [...]}, the items in
// drawing order, each with "kind" (the Kind's name in lower case), "colour" ("#rrggbb"),
// "width" (the pen, canvas units, markScale applied) and its geometry: "a", "b" as [x, y] (a
// ray's already at the area's edges), "radius" (a point's dot too), "start", "sweep" (degrees,
// counter-clockwise on screen), "points" (flat [x0, y0, x1, y1, …]: a polygon's corners, or a
// right-angle mark's three), "text", and a label's letter height "size" and halo "halo".
std::string SceneToJson(const Scene& scene);

// Appends each text and then its number as SceneNumber writes it: a run of attributes or
// fields in one call, with no string made for each number by its caller.
void AppendNumbers(std::string& out, std::initializer_list<std::pair<const char*, double>> parts);

// `text` (UTF-8) as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);
// Appends each text and then its value as JsonString writes it: a run of fields in one call.
void AppendJsonStrings(std::string& out, std::initializer_list<std::pair<const char*, std::string_view>> parts);

}  // namespace tamirel
