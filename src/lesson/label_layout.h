// Where a scene's labels go so that none covers another label, a line, an arc, a point or a
// right-angle mark: an estimate of the box a label's letters and halo cover, a query of what
// a box overlaps, and a search for a clear place round the point a label names. Add a label
// after the items it must keep clear of.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/scene.h"

namespace tamirel {

// An upright box in canvas units (Y downward): left <= right, top <= bottom.
struct LabelBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

// Cuts segment ab to the box (Liang–Barsky): false when no part of it is inside; otherwise a
// and b become the ends of the part inside, in the same order.
bool ClipToBox(ScenePoint& a, ScenePoint& b, const LabelBox& box);

// The width and height (canvas units) that `text` (UTF-8) covers, halo included, when drawn
// as a label of a scene with this markScale: letters kLabelHeight x markScale high in the
// scene's serif face, each glyph's advance taken at the wide end of Liberation Serif's (capitals
// 0.72 em, M and W 0.9 em, digits and small letters 0.5 em, "°" 0.4 em, "," "." and " " 0.25 em,
// subscript digits 0.5 em); 0.75 em high for capitals and digits, 0.9 em with subscripts,
// which hang below; plus kLabelHalo x markScale on every side.
struct LabelSize {
    double width = 0;
    double height = 0;
    double below = 0;   // how far the box reaches below its centre minus how far above, halved
};
LabelSize EstimateLabelSize(std::string_view text, double markScale);

// The box of `text` drawn as a label centred on `centre` (as every face centres labels).
LabelBox EstimateLabelBox(std::string_view text, ScenePoint centre, double markScale);

// The box of a label item of `scene`.
LabelBox LabelItemBox(const SceneItem& label, double markScale);

// The indices of the items of `scene` (the first `count` of them) that `box` overlaps: a
// label's box meets it; a segment, ray, polygon side, circle, arc (the part drawn), or a
// right-angle mark's arms pass closer to it than half their pen; a point's dot reaches into it.
std::vector<std::size_t> LabelOverlaps(const Scene& scene, const LabelBox& box, std::size_t count = static_cast<std::size_t>(-1));

// A wedge a label must lie inside, corners and all: from `apex`, the directions from
// startDegrees sweeping sweepDegrees counter-clockwise on screen (0 < sweep <= 360), and no
// farther than `reach` from the apex where that is not negative.
struct LabelRegion {
    ScenePoint apex;
    double startDegrees = 0;
    double sweepDegrees = 360;
    double reach = -1;
};

// Where a label should go: next to `anchor` (the point or mark it names), towards
// `degrees` (counter-clockwise on screen from the X axis) if that is clear, with at least
// `gap` canvas units between the anchor and the nearest side of its box (negative: the
// point's dot and one mark unit more, x markScale) and at most `farther` more (negative: six
// letter heights), and inside `within` if given.
struct LabelSpot {
    ScenePoint anchor;
    double degrees = 90;
    double gap = -1;
    std::optional<LabelRegion> within;
    double farther = -1;
};

struct LabelPlace {
    ScenePoint centre;    // where the label's centre goes
    bool clear = false;   // it overlaps nothing there
};

// The first clear place for `text` round the spot: the preferred direction first, then
// directions turning away from it both ways in 15° steps, and farther out in steps of a
// quarter of the letters' height (up to `farther`), a turn of 15° weighed as half a step out.
// Only places inside the scene's view (focus ± reach) and the spot's region count. Where no
// place is clear, the one that overlaps the fewest items, with clear = false; where none
// counts, the preferred one.
LabelPlace FindLabelPlace(const Scene& scene, std::string_view text, const LabelSpot& spot);

// Appends the label at FindLabelPlace's place and returns it.
SceneItem& PlaceLabel(Scene& scene, Ink ink, std::string text, const LabelSpot& spot);

// Every overlap of a label with anything else in the scene, each pair once: `label` is the
// label's index in scene.items, `other` the index of what it overlaps. Empty when every label
// stands clear.
struct LabelCollision {
    std::size_t label = 0;
    std::size_t other = 0;
};
std::vector<LabelCollision> LabelCollisions(const Scene& scene);

}  // namespace tamirel
