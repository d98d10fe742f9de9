// A construction as it stands after a step, as a scene every face only draws.
#pragma once

#include <cstddef>
#include <string>

#include "lesson/construction.h"
#include "lesson/scene.h"

namespace tamirel {

struct ConstructionView {
    Scene scene;
    std::string sentence;   // the step's sentences, UTF-8
    std::string caption;    // "Стъпка 4 от 11"
};

// "Стъпка 4 от 11": `step` counted from 1.
std::string StepCaption(std::size_t step, std::size_t steps);

// The figure after steps 1..`step` (1 <= step <= steps) of `construction`, replayed as `replay`:
// the given circle and the finished polygon in the figure's ink, earlier lines and circles faint,
// what this step draws and the points it makes highlighted. Every point made so far is a dot;
// the centre, the vertices and the points the step's sentence names carry their letters, the
// others are faint dots. Lines are drawn as segments a little past the outermost points on them, as a pupil
// draws them. A step outside 1..steps throws std::out_of_range.
ConstructionView ConstructionAtStep(const Construction& construction, const Replay& replay, std::size_t step);

}  // namespace tamirel
