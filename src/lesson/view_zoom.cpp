#include "lesson/view_zoom.h"

#include <algorithm>

namespace tamirel {

ScenePoint ViewZoom::Focus(const Scene& scene) const {
    return {scene.focus.x + offset_.x, scene.focus.y + offset_.y};
}

void ViewZoom::Clamp(const Scene& scene) {
    factor_ = std::clamp(factor_, 1.0, kMaxFactor);
    const double room = scene.reach - Reach(scene);
    offset_.x = std::clamp(offset_.x, -room, room);
    offset_.y = std::clamp(offset_.y, -room, room);
}

bool ViewZoom::ZoomBy(const Scene& scene, double ratio, ScenePoint fixed) {
    if (!(ratio > 0)) return false;
    const double before = factor_;
    const ScenePoint focus = Focus(scene);
    factor_ = std::clamp(factor_ * ratio, 1.0, kMaxFactor);
    if (factor_ == before) return false;
    // The fixed point keeps its offset from the centre in screen terms: that offset, in canvas
    // units, shrinks by before / factor_.
    const double keep = before / factor_;
    offset_ = {fixed.x - (fixed.x - focus.x) * keep - scene.focus.x, fixed.y - (fixed.y - focus.y) * keep - scene.focus.y};
    Clamp(scene);
    return true;
}

bool ViewZoom::Pan(const Scene& scene, double dx, double dy) {
    const ScenePoint before = offset_;
    offset_.x += dx;
    offset_.y += dy;
    Clamp(scene);
    return offset_.x != before.x || offset_.y != before.y;
}

}  // namespace tamirel
