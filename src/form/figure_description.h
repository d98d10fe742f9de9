// Words for what the drawing shows, for screen readers and tooltips.
#pragma once

#include <string>
#include <vector>

namespace tamirel {

// One figure as DrawPolygon draws it: radius and vertex count as the lists give them.
struct FigureChoice {
    std::string radius;
    std::string count;
};

// A Bulgarian sentence (UTF-8) naming the visible figures in drawing order, for example
// "Окръжност с радиус 300 и вписан правилен 4-ъгълник с вътрешен ъгъл 90°"; figures are
// joined by "; ". More than three are counted and only the last three named, so the text
// stays short and quick to make however much is drawn. A vertex count below 2 gives the
// circle alone. No figure: "Празен чертеж".
std::string DescribeFigures(const std::vector<FigureChoice>& figures);

}  // namespace tamirel
