// A construction as it stands after a step, as a scene every face only draws.
#pragma once

#include <cstddef>
#include <string>

#include "lesson/construction.h"
#include "lesson/scene.h"

namespace tamirel {

inline ScenePoint ToScene(Spot s) { return {s.x, s.y}; }

struct ConstructionView {
    Scene scene;
    std::string sentence;   // the step's sentences, UTF-8
    std::string caption;    // "Стъпка 4 от 11"
};

// "Стъпка 4 от 11": `step` counted from 1.
std::string StepCaption(std::size_t step, std::size_t steps);

// The frame every step of `construction` (replayed as `replay`) is shown in, the same for all
// of them: the square about the given circle's centre that holds every point the construction
// makes and room for its letter; and the marks in proportion to it, so that letters and pens
// keep one size on screen for every radius. Sets the scene's focus, reach and markScale.
void FrameConstruction(const Construction& construction, const Replay& replay, Scene& scene);

// The figure after steps 1..`step` (1 <= step <= steps) of `construction`, replayed as `replay`,
// in FrameConstruction's frame: the given circle and the finished polygon in the figure's ink,
// earlier lines and circles faint, what this step draws and the points it makes highlighted.
// Lines are segments a little past the outermost points on them, as a pupil draws them; a
// compass circle that leaves the frame is drawn as the arcs of it inside. A protractor step
// also shows the ray it measures from and the angle's arc with its value. Every point made so
// far is a dot; the centre, the vertices and the points the step's sentence names carry their
// letters, placed where they overlap nothing; the others are faint dots. A step outside
// 1..steps throws std::out_of_range.
ConstructionView ConstructionAtStep(const Construction& construction, const Replay& replay, std::size_t step);

}  // namespace tamirel
