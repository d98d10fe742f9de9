// Where the pupil is in the construction the lesson shows, and that step as a page: the state
// and the texts both faces show, so that each face only draws and wires keys.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "controls/list_box.h"
#include "lesson/construction.h"
#include "lesson/construction_scene.h"

namespace tamirel {

// "Пусни" shows the next step this often, in milliseconds: time to read a sentence.
inline constexpr int kPlayMilliseconds = 1800;

class ConstructionSteps {
public:
    // Reads the radius and the vertex count selected in the lists as DrawPolygon reads them.
    // A new figure starts at step 1; the same figure keeps its step. Without a figure (nothing
    // selected, R <= 0, N not a whole number in 3..20) there are no steps. Returns whether the
    // figure changed.
    bool Follow(const ListBox& radii, const ListBox& counts);
    bool Follow(double radius, double n);

    bool empty() const { return steps() == 0; }
    std::size_t step() const { return step_; }   // 1..steps(), 0 when empty
    std::size_t steps() const { return construction_.steps.size(); }
    const Construction& construction() const { return construction_; }
    const Replay& replay() const { return replay_; }

    // Each returns whether the step changed.
    bool Forward();
    bool Back();
    bool Home();
    bool End();

    // The figure, sentence and caption at the current step (at `step` for the second);
    // empty when there are no steps. The last one made is kept: a page asks for it several
    // times, and placing the letters of a long construction takes a while.
    ConstructionView View() const { return View(step_); }
    ConstructionView View(std::size_t step) const;
    // The title: "Построяване на правилен петоъгълник", "Построяване на квадрат" (or "Чертане …"
    // where the protractor is used); empty without a figure.
    std::string Title() const;

private:
    double radius_ = 0, n_ = 0;
    Construction construction_;
    Replay replay_;
    std::size_t step_ = 0;
    mutable std::size_t viewed_ = 0;   // the step `view_` shows; 0 for none
    mutable ConstructionView view_;
};

// The page of one step, in canvas units: the figure's 1000-unit area with kLessonMargin round
// it, then the caption, the step's sentence and, for a figure that cannot be constructed, the
// statement, wrapped to the width, one line every kLessonLineHeight.
std::vector<std::string> ConstructionPageLines(const ConstructionSteps& steps, std::size_t step);
double ConstructionPageHeight(const ConstructionSteps& steps, std::size_t step);

// `text` (UTF-8) broken at spaces into lines of at most `width` characters (a longer word
// stands alone).
std::vector<std::string> WrapText(const std::string& text, std::size_t width);

// The current step's page as an SVG document in canvas units: the figure in a nested <svg>
// with viewBox 0 0 1000 1000 (a whole compass circle a <circle>, an arc of one a <path>, every
// straight line a <line>),
// and the page's lines as <text>.
std::string ConstructionToSvg(const ConstructionSteps& steps);

// For the browser face: {"title", "caption", "sentence", "statement", "step", "steps",
// "play": kPlayMilliseconds, "scene": SceneToJson, "svg"}, or {"steps": 0} without a figure.
std::string ConstructionToJson(const ConstructionSteps& steps);

}  // namespace tamirel
