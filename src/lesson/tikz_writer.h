// A picture as TikZ: a LaTeX document a teacher compiles with pdflatex into a page the size of
// the picture, or whose tikzpicture they paste into a document of their own.
#pragma once

#include <string>

#include "lesson/page.h"

namespace tamirel {

// The picture is set this wide, in centimetres.
inline constexpr double kTikzWidthCm = 16;

// `picture` (its first page, or the drawing) as a LaTeX document (article, T2A and Bulgarian,
// tikz; the paper cut to the picture by geometry) holding one tikzpicture kTikzWidthCm wide. Coordinates are the page's own units (the canvas's for the
// lesson, a step and the drawing: a vertex at (350, 759.81) reads "(350,759.81)"), the axes
// scaled so that Y runs downward as on screen. Lines keep their inks' colours and widths; the
// drawing's lines keep their styles' dash patterns and the transparent style draws nothing.
// Letters are nodes in the Cyrillic T2A encoding with Bulgarian hyphenation, subscripts and
// signs set in math ("A₁" as $A_{1}$, "°" as $^{\circ}$).
std::string PictureToTikz(const Picture& picture);

// UTF-8 `text` as LaTeX text for the document above: its special characters escaped, the
// signs and subscripts the lesson writes set in math.
std::string TexText(const std::string& text);

}  // namespace tamirel
