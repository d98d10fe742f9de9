// How far the user has enlarged and moved a view of a scene (wheel, Ctrl+Plus/Minus, pinch,
// drag), on top of the scene's own focus and reach. Each face keeps one per view, feeds it the
// user's gestures in canvas units, and shows the square it gives; both faces then zoom and pan
// alike.
#pragma once

#include "lesson/scene.h"

namespace tamirel {

class ViewZoom {
public:
    // The enlargement runs from 1 (the scene's own square) to kMaxFactor, a step at a time by
    // kStepFactor (Ctrl+Plus, one wheel notch).
    static constexpr double kMaxFactor = 8;
    static constexpr double kStepFactor = 1.25;

    double factor() const { return factor_; }
    bool zoomed() const { return factor_ > 1; }

    // The square to show, in canvas units: centred on Focus, Reach units from it to each side.
    // It always lies within the scene's own square (focus ± reach).
    ScenePoint Focus(const Scene& scene) const;
    double Reach(const Scene& scene) const { return scene.reach / factor_; }

    // Multiplies the enlargement by `ratio` (clamped to 1..kMaxFactor), keeping the canvas
    // point `fixed` where it is on the screen: the point under the pointer or between two
    // fingers. Returns whether anything changed.
    bool ZoomBy(const Scene& scene, double ratio, ScenePoint fixed);
    // One step in or out about the shown square's centre.
    bool ZoomIn(const Scene& scene) { return ZoomBy(scene, kStepFactor, Focus(scene)); }
    bool ZoomOut(const Scene& scene) { return ZoomBy(scene, 1 / kStepFactor, Focus(scene)); }
    // Moves the shown square by (dx, dy) canvas units (a drag of the picture by (-dx, -dy)),
    // as far as the scene's own square allows. Returns whether anything changed.
    bool Pan(const Scene& scene, double dx, double dy);
    // Back to the scene's own square (a new figure, Ctrl+0).
    void Reset() { factor_ = 1, offset_ = {}; }

private:
    void Clamp(const Scene& scene);

    double factor_ = 1;
    ScenePoint offset_;   // of the shown square's centre from the scene's focus, canvas units
};

}  // namespace tamirel
