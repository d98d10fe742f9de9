// The retained drawing as an SVG document, in the canvas's own units.
#pragma once

#include <string>

#include "controls/drawing.h"

namespace tamirel {

// An SVG document kExportSide pixels square whose viewBox is the canvas's scale, so every
// coordinate is the one the drawing was made with (a circle of radius 300 around (500, 500)
// reads r="300" cx="500" cy="500"), as the shortest decimal that gives back the same single-
// precision value. Each figure (a circle and what follows it up to the next circle) is a group
// of a circle, its start point as a small square and its outline as one polyline per run of
// joined lines. Lines are kExportPenWidth pixels wide with the style's dash array in the same
// proportions; the transparent style writes nothing. On an opaque background of the drawing's
// colour, titled "Tamirel", with `description` (UTF-8) as its <desc>.
std::string DrawingToSvg(const Drawing& drawing, float scaleWidth, float scaleHeight, const std::string& description);

}  // namespace tamirel
