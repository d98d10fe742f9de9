// Words for what the drawing shows: for screen readers, the tooltip, the SVG's <desc> and the
// printed page's caption, in every face.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <map>
#include <vector>

namespace tamirel {

// One figure as DrawPolygon draws it: radius and vertex count as the lists give them.
struct FigureChoice {
    std::string radius;
    std::string count;
};

// The figures drawn since the last clear, kept so that adding one and describing them take
// the same short time however many are drawn.
class FigureTally {
public:
    void Add(const FigureChoice& figure);
    void Clear();
    bool empty() const { return total_ == 0; }

    // A Bulgarian sentence (UTF-8) naming the figures, for example "Окръжност с радиус 300 и
    // вписан правилен седмоъгълник с вътрешен ъгъл ≈ 128,57°", the polygon named in words
    // (RegularPolygonName: "вписан квадрат" for 4), the angle plain where it is exact to two
    // decimals ("с вътрешен ъгъл 120°") and after "≈ " where it is rounded. Identical figures (the same radius and vertex count) are named once, in
    // the order of their last drawing, and one drawn k > 1 times is prefixed "k × "; kinds
    // are joined by "; ". More than three kinds: the figures are counted and only the last
    // three kinds named. A vertex count below 2 gives the circle alone. No figure: "Празен
    // чертеж".
    std::string Description() const;

private:
    struct Kind {
        FigureChoice figure;
        std::size_t times;
    };
    std::size_t total_ = 0;
    std::list<Kind> kinds_;   // by last drawing, the latest last
    std::map<std::string, std::list<Kind>::iterator> byKey_;
};

// The description of `figures` drawn in this order (FigureTally::Description).
std::string DescribeFigures(const std::vector<FigureChoice>& figures);

}  // namespace tamirel
