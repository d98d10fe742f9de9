#include "geometry/figure_description.h"

#include <cstdio>
#include <string_view>

#include "geometry/numeric.h"

namespace tamirel {

namespace {

// At most two decimals, a decimal comma, no trailing zeros: 128,57 or 90. The same in every
// locale: printf's decimal separator follows the locale (and may be more than one byte), so
// only its ASCII digits are taken: the whole part first, the two decimals last.
std::string Number(double value) {
    char text[400];   // room for any double in fixed notation
    const int length = std::snprintf(text, sizeof text, "%.2f", value);
    const std::string_view printed(text, static_cast<std::size_t>(length));
    std::size_t wholeEnd = printed.front() == '-' ? 1 : 0;
    while (wholeEnd < printed.size() && printed[wholeEnd] >= '0' && printed[wholeEnd] <= '9') ++wholeEnd;
    std::string s(printed.substr(0, wholeEnd));
    std::string decimals(printed.substr(printed.size() - 2));
    while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
    if (!decimals.empty()) s += "," + decimals;
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
