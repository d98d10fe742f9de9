#include "form/figure_description.h"

#include "form/number_text.h"
#include "geometry/numeric.h"

namespace tamirel {

namespace {

// At most two decimals, a decimal comma, no trailing zeros: 128,57 or 90.
std::string Number(double value) {
    std::string s = FixedPoint(value, 2);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (const std::size_t point = s.find('.'); point != std::string::npos) s[point] = ',';
    return s == "-0" ? "0" : s;
}

std::string Describe(const FigureChoice& figure, bool first) {
    // The texts have been drawn already, so they convert without error.
    const double r = TextToNumber(figure.radius);
    const double n = TextToNumber(figure.count);
    std::string words = (first ? "Окръжност" : "окръжност") + std::string(" с радиус ") + Number(r);
    if (n >= 2) {
        words += " и вписан правилен " + Number(n) + "-ъгълник с вътрешен ъгъл " + Number((n - 2) * 180 / n) + "°";
    }
    return words;
}

}  // namespace

std::string DescribeFigures(const std::vector<FigureChoice>& figures) {
    if (figures.empty()) return "Празен чертеж";
    constexpr std::size_t kNamed = 3;
    std::string text;
    auto first = figures.begin();
    if (figures.size() > kNamed) {
        text = std::to_string(figures.size()) + " фигури, последните три: ";
        first = figures.end() - kNamed;
    }
    for (auto it = first; it != figures.end(); ++it) {
        if (it != first) text += "; ";
        text += Describe(*it, text.empty());
    }
    return text;
}

}  // namespace tamirel
