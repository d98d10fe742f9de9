#include "form/figure_description.h"

#include <algorithm>
#include <cmath>

#include "form/messages.h"
#include "form/number_text.h"
#include "form/polygon_names.h"
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
    std::string circle = Say(first ? Message::FirstCircle : Message::NextCircle, {{"radius", Number(r)}});
    if (n < 2) return circle;
    // The angle as the lesson shows it: plain when exact to two decimals, "≈" when rounded.
    const double angle = (n - 2) * 180 / n;
    const double hundredths = angle * 100;
    const bool exact = std::fabs(hundredths - std::round(hundredths)) <= 1e-9 * std::max(1.0, hundredths);
    return Say(Message::CircleAndPolygon, {{"circle", circle},
                                           {"polygon", RegularPolygonName(n, Number(n))},
                                           {"angle", (exact ? "" : "≈ ") + Number(angle)}});
}

}  // namespace

void FigureTally::Add(const FigureChoice& figure) {
    ++total_;
    // '\n' is in no list item, so the key tells every pair of texts apart.
    const std::string key = figure.radius + '\n' + figure.count;
    if (const auto it = byKey_.find(key); it != byKey_.end()) {
        const std::size_t times = it->second->times + 1;
        kinds_.erase(it->second);
        kinds_.push_back({figure, times});
        it->second = std::prev(kinds_.end());
        return;
    }
    kinds_.push_back({figure, 1});
    byKey_.emplace(key, std::prev(kinds_.end()));
}

void FigureTally::Clear() {
    total_ = 0;
    kinds_.clear();
    byKey_.clear();
}

std::string FigureTally::Description() const {
    if (kinds_.empty()) return Say(Message::EmptyDrawing);
    constexpr std::size_t kNamed = 3;
    const bool counted = kinds_.size() > kNamed;
    const auto first = counted ? std::prev(kinds_.end(), kNamed) : kinds_.begin();
    std::string kinds;
    for (auto it = first; it != kinds_.end(); ++it) {
        if (it != first) kinds += "; ";
        // The sentence's first word is capitalised.
        const std::string figure = Describe(it->figure, !counted && it == first && it->times == 1);
        kinds += it->times > 1 ? Say(Message::FigureRepeated, {{"times", std::to_string(it->times)}, {"figure", figure}})
                               : figure;
    }
    if (!counted) return kinds;
    return Say(Message::FiguresCounted, {{"total", std::to_string(total_)}, {"kinds", kinds}});
}

std::string DescribeFigures(const std::vector<FigureChoice>& figures) {
    FigureTally tally;
    for (const FigureChoice& figure : figures) tally.Add(figure);
    return tally.Description();
}

}  // namespace tamirel
