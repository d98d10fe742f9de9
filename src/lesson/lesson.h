// The lesson on the chosen figure, free of any toolkit: its title in words, its numbers worked
// out in Bulgarian notation, and its figure with the textbook's marks as a Scene. Each face
// (the desktop's lesson window, the browser's dialog) only lays these out and draws them.
#pragma once

#include <string>
#include <vector>

#include "controls/list_box.h"
#include "lesson/scene.h"

namespace tamirel {

// A number as the lesson writes it: a decimal comma and, when the whole part has five digits
// or more, a no-break space between thousands. `exact` when the value has at most two
// decimals (up to the arithmetic's error): then "=" and those digits ("157,5", "720"),
// otherwise "≈" and two decimals ("128,57", "233 826,86").
struct LessonValue {
    bool exact = true;
    std::string digits;
    std::string Relation() const { return exact ? "=" : "≈"; }
};
LessonValue FormatLessonValue(double value);

// One worked number: "Вътрешен ъгъл: α = (n − 2)·180° : n = (6 − 2)·180° : 6 = 120°". The
// figures put in are the givens and the earlier results exactly as shown, and the result is
// their arithmetic done exactly on those decimals and rounded half up to two decimals, so a
// calculator fed the figures shown gives the result shown to its last digit. "=" where every
// figure put in is exact and so is the result, "≈" otherwise; two decimals where this step
// rounded, otherwise no trailing zeros ("≈ 1697,04", "≈ 233 829", "= 157,5"). Division is
// written " : " throughout.
struct LessonNumber {
    std::string name;      // "Вътрешен ъгъл"
    std::string formula;   // "α = (n − 2)·180° : n"
    std::string putIn;     // "(6 − 2)·180° : 6"
    std::string result;    // "= 120°", "≈ 259,81 единици"
    double value = 0;      // the result as shown
    std::string Text() const;      // the name, then Working
    std::string Working() const;   // "α = (n − 2)·180° : n = (6 − 2)·180° : 6 = 120°"
};

struct Lesson {
    std::string title;                  // "Правилен шестоъгълник", "Квадрат"; empty without a figure
    std::string givens;                 // "R = 300 единици, n = 6"
    std::vector<LessonNumber> numbers;  // α, ∠A₁OA₂, the sum, a, P, r, S, in this order
    Scene scene;                        // the figure and its marks, in the main canvas's units
    std::vector<ScenePoint> vertices;   // A₁, A₂, … in order
    std::vector<std::string> letters;   // "A₁", "A₂", … (VertexName)

    // Title, givens and every number, one a line, for screen readers and captions.
    std::string Description() const;
};

// How far the lesson's view reaches from the centre, in radii: the circle and every label.
inline constexpr double kLessonReach = 1.4;

// The lesson for the radius and vertex count selected in the main window's lists, read as
// DrawPolygon reads them; the circle and polygon are DrawPolygon's own, to the bit, on the
// 1000 x 1000 scale. Marks: the centre O; the vertices A₁, A₂, … Aₙ counter-clockwise on
// screen from the bottom-left one (VertexName); the central angle A₁OA₂ with both arms, its
// arc and its value inside it, the arm OA₁ being the radius R; the side a = A₁A₂; the apothem
// r = OM to the midpoint M of the next side A₂A₃, with its right-angle mark; the interior angle
// at Aₙ with its arc and value inside it; and, with `diagonals`, the N − 3 diagonals from A₁,
// drawn under everything else. Every label is placed by PlaceLabel, clear of every other item
// (the diagonals aside, which change no label's place); marks are sized in proportion to the
// radius, as designed at R = 300, and the view reaches kLessonReach radii from the centre. A
// choice that gives no polygon (nothing selected, R <= 0, N < 3 or not whole) gives an empty
// title, no numbers and an empty scene.
Lesson MakeLesson(const ListBox& radii, const ListBox& counts, bool diagonals);

// The vertices A₁…Aₙ the main window draws for radius `radius` and count `n`, in the lesson's
// order (counter-clockwise on screen from the bottom-left one); none where it draws no polygon.
std::vector<ScenePoint> MainWindowVertices(double radius, int n);

// The lesson's page, in canvas units, shared by the SVG document and every face's image and
// print: the figure's 1000-unit area with kLessonMargin round it, then one text line every
// kLessonLineHeight below it, starting one line height under the margin, at its left edge.
inline constexpr double kLessonMargin = 200;   // the labels of R = 500 (kLessonReach)
inline constexpr double kLessonTitleSize = 40;   // bold
inline constexpr double kLessonTextSize = 30;
inline constexpr double kLessonLineHeight = 46;

struct LessonLine {
    std::string text;
    bool title = false;   // the first line, larger and bold
};
// The title, the givens and one line for each number, or two where it would run past the
// page's right edge: its name, then the rest; no lines without a figure.
std::vector<LessonLine> LessonLines(const Lesson& lesson);

// The lesson as an SVG document: the figure in a nested <svg> whose viewBox is the canvas's
// 0 0 1000 1000 (a circle of radius 300 reads r="300"), and below it the title, the givens
// and the numbers as <text> lines; titled with the lesson's title, described by Description.
std::string LessonToSvg(const Lesson& lesson);

// The page's width and height in canvas units; its top-left corner is (-kLessonMargin,
// -kLessonMargin), so the figure keeps the main canvas's coordinates.
double LessonPageWidth();
double LessonPageHeight(const Lesson& lesson);

// The lesson as JSON for the browser face: {"measures": {"margin", "font"}, "title", "givens", "numbers": [{"name",
// "formula", "putIn", "result", "text"}], "description", "scene": SceneToJson, "svg"}.
std::string LessonToJson(const Lesson& lesson);

}  // namespace tamirel
