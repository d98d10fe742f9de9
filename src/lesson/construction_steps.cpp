#include "lesson/construction_steps.h"

#include <cmath>

#include "form/markup.h"
#include "form/messages.h"
#include "form/polygon_names.h"
#include "geometry/numeric.h"
#include "lesson/lesson.h"
#include "lesson/page.h"
#include "lesson/polygon_construction.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

// Characters of kLessonTextSize per line across the page's width.
constexpr std::size_t kLineCharacters = 62;

double Selected(const ListBox& list) { return TextToNumber(list.List(list.ListIndex())); }

std::size_t CodePoints(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

}  // namespace

bool ConstructionSteps::Follow(const ListBox& radii, const ListBox& counts) {
    const double radius = Selected(radii);
    return Follow(radius, Selected(counts));
}

bool ConstructionSteps::Follow(double radius, double n) {
    if (radius == radius_ && n == n_) return false;
    radius_ = radius;
    n_ = n;
    construction_ = {};
    replay_ = {};
    step_ = 0;
    viewed_ = 0;
    if (!(radius > 0) || n != std::floor(n) || n < kFewestVertices || n > kMostVertices) return true;
    construction_ = BuildConstruction(radius, static_cast<int>(n));
    replay_ = ReplayConstruction(construction_);
    step_ = 1;
    return true;
}

bool ConstructionSteps::Forward() {
    if (step_ == 0 || step_ == steps()) return false;
    ++step_;
    return true;
}

bool ConstructionSteps::Back() {
    if (step_ <= 1) return false;
    --step_;
    return true;
}

bool ConstructionSteps::Home() {
    if (step_ <= 1) return false;
    step_ = 1;
    return true;
}

bool ConstructionSteps::End() {
    if (step_ == steps()) return false;
    step_ = steps();
    return true;
}

ConstructionView ConstructionSteps::View(std::size_t step) const {
    if (empty()) return {};
    if (step != viewed_) {
        view_ = ConstructionAtStep(construction_, replay_, step);
        viewed_ = step;
    }
    return view_;
}

std::string ConstructionSteps::Title() const {
    if (empty()) return {};
    const std::string polygon = RegularPolygonName(construction_.n, std::to_string(construction_.n));
    return Say(construction_.exact ? Message::ConstructionTitle : Message::DrawingTitle, {{"polygon", polygon}});
}

std::vector<std::string> WrapText(const std::string& text, std::size_t width) {
    return WrapWords(text, [width](const std::string& line) { return CodePoints(line) <= width; });
}

std::vector<std::string> ConstructionPageLines(const ConstructionSteps& steps, std::size_t step) {
    if (steps.empty()) return {};
    const ConstructionView view = steps.View(step);
    std::vector<std::string> lines{Say(Message::StepHeading, {{"title", steps.Title()}, {"caption", view.caption}})};
    // Where the protractor is used, every page says so; the first step's sentence gives the reason.
    const std::string& statement = steps.construction().statement;
    if (!statement.empty() && step > 1)
        for (const std::string& line : WrapText(statement.substr(0, statement.find(". ") + 1), kLineCharacters))
            lines.push_back(line);
    for (const std::string& line : WrapText(view.sentence, kLineCharacters)) lines.push_back(line);
    return lines;
}

double ConstructionPageHeight(const ConstructionSteps& steps, std::size_t step) {
    const double lines = static_cast<double>(ConstructionPageLines(steps, step).size());
    return kSceneSide + 2 * kLessonMargin + lines * kLessonLineHeight + (lines > 0 ? kLessonMargin / 2 : 0);
}

std::string ConstructionToSvg(const ConstructionSteps& steps) {
    return PageToSvg(StepPage(steps, steps.step()), steps.empty() ? "" : steps.Title(), steps.View().sentence);
}

std::string ConstructionToJson(const ConstructionSteps& steps) {
    if (steps.empty()) return "{\"steps\":0}";
    const ConstructionView view = steps.View();
    std::string json;
    AppendJsonStrings(json, {{"{\"title\":", steps.Title()}, {",\"caption\":", view.caption}, {",\"sentence\":", view.sentence},
                             {",\"statement\":", steps.construction().statement}});
    Append(json, {",\"step\":", std::to_string(steps.step()), ",\"steps\":", std::to_string(steps.steps()),
                  ",\"play\":", std::to_string(kPlayMilliseconds), ",\"scene\":", SceneToJson(view.scene)});
    AppendJsonStrings(json, {{",\"svg\":", ConstructionToSvg(steps)}});
    json += '}';
    return json;
}

}  // namespace tamirel
