#include "lesson/construction_scene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>

#include "lesson/lesson.h"

namespace tamirel {

namespace {

// Canvas units: how far a label's centre sits from its point, and how far a line runs past the
// outermost points on it.
constexpr double kLabelDistance = 32;
constexpr double kLineOverrun = 30;
constexpr double kCanvasSide = 1000;

ScenePoint ToScene(Spot s) { return {s.x, s.y}; }

// Every point that lies on object `name`: those it was drawn through and those made on it.
std::vector<Spot> PointsOn(const Construction& construction, const Replay& replay, const std::string& name) {
    std::vector<Spot> on;
    for (const Step& step : construction.steps) {
        if (step.draws == name && step.tool == Tool::Straightedge)
            for (const std::string& p : step.uses) on.push_back(replay.Point(p)->at);
        if (step.draws == name && step.tool == Tool::Protractor) on.push_back(replay.Point(step.uses[0])->at);
        for (const NewPoint& made : step.makes)
            if (made.first == name || made.second == name) on.push_back(replay.Point(made.name)->at);
    }
    return on;
}

SceneItem Drawn(const Construction& construction, const Replay& replay, const ReplayedObject& object) {
    SceneItem item;
    if (object.kind == ReplayedObject::Kind::Circle) {
        item.kind = SceneItem::Kind::Circle;
        item.a = ToScene(object.a);
        item.radius = object.radius;
        return item;
    }
    const double length = std::hypot(object.b.x - object.a.x, object.b.y - object.a.y);
    const Spot u{(object.b.x - object.a.x) / length, (object.b.y - object.a.y) / length};
    double low = std::numeric_limits<double>::max(), high = -low;
    for (const Spot s : PointsOn(construction, replay, object.name)) {
        const double t = (s.x - object.a.x) * u.x + (s.y - object.a.y) * u.y;
        low = std::min(low, t);
        high = std::max(high, t);
    }
    low -= kLineOverrun;
    high += kLineOverrun;
    item.kind = SceneItem::Kind::Segment;
    item.a = ToScene({object.a.x + low * u.x, object.a.y + low * u.y});
    item.b = ToScene({object.a.x + high * u.x, object.a.y + high * u.y});
    return item;
}

}  // namespace

std::string StepCaption(std::size_t step, std::size_t steps) {
    return "Стъпка " + std::to_string(step) + " от " + std::to_string(steps);
}

ConstructionView ConstructionAtStep(const Construction& construction, const Replay& replay, std::size_t step) {
    const std::size_t steps = construction.steps.size();
    if (step < 1 || step > steps) ThrowOutOfRange("construction step outside 1..steps");
    const std::size_t current = step - 1;

    ConstructionView view;
    view.sentence = replay.sentences[current];
    view.caption = StepCaption(step, steps);

    std::vector<SceneItem> faint, figure, highlight;
    for (const ReplayedObject& object : replay.objects) {
        if (object.step > current) break;
        SceneItem item = Drawn(construction, replay, object);
        if (object.step == current) {
            item.ink = Ink::Highlight;
            highlight.push_back(item);
        } else if (construction.steps[object.step].tool == Tool::Given) {
            item.ink = Ink::Figure;
            figure.push_back(item);
        } else {
            item.ink = Ink::Faint;
            faint.push_back(item);
        }
    }
    // The finished polygon's sides, each a segment (straight lines stay <line> in every SVG).
    for (std::size_t at = 0; at <= current; ++at) {
        if (construction.steps[at].tool != Tool::Sides) continue;
        for (std::size_t i = 0; i < replay.vertices.size(); ++i) {
            SceneItem side;
            side.kind = SceneItem::Kind::Segment;
            side.ink = at == current ? Ink::Highlight : Ink::Figure;
            side.a = ToScene(replay.vertices[i]);
            side.b = ToScene(replay.vertices[(i + 1) % replay.vertices.size()]);
            (at == current ? highlight : figure).push_back(side);
        }
    }

    // Letters where the reader needs them: the centre, the vertices, and the points the step
    // names, in its tools or in its note ("P е средата на радиуса OD"); the other points stay
    // as faint dots, so that a long construction stays legible.
    const Step& now = construction.steps[current];
    std::set<std::string> named(now.uses.begin(), now.uses.end());
    for (const NewPoint& made : now.makes) named.insert({made.name, made.pick.p, made.pick.q});
    for (const ReplayedPoint& point : replay.points) {
        if (!point.name.empty() && now.note.find(point.name) != std::string::npos) named.insert(point.name);
    }
    const std::set<std::string> vertices(construction.steps.back().uses.begin(), construction.steps.back().uses.end());

    const Spot centre = replay.points.front().at;   // the given circle's centre
    // Marks in proportion to the figure, as the lesson's; a view on screen fills itself with
    // the circle and its letters (the circles that reach further are cut there).
    const double scale = std::min(construction.radius / 300, 1.15);
    view.scene.markScale = scale;
    view.scene.focus = {centre.x, centre.y};
    view.scene.reach = construction.radius + 1.9 * kLabelHeight * scale;
    const double labelDistance = kLabelDistance * scale;
    std::vector<SceneItem> marks, newMarks;
    for (const ReplayedPoint& point : replay.points) {
        if (point.step > current) break;
        const bool fresh = point.step == current;
        const bool labelled = fresh || named.count(point.name) || vertices.count(point.name) || &point == &replay.points.front();
        SceneItem dot;
        dot.kind = SceneItem::Kind::Point;
        dot.ink = fresh ? Ink::Highlight : labelled ? Ink::Figure : Ink::Faint;
        dot.a = ToScene(point.at);
        auto& into = fresh ? newMarks : marks;
        into.push_back(dot);
        if (!labelled) continue;
        SceneItem label = dot;
        label.kind = SceneItem::Kind::Label;
        label.text = point.name;
        const double dx = dot.a.x - centre.x, dy = dot.a.y - centre.y;
        const double away = std::hypot(dx, dy);
        // Outward from the centre; the centre's own label below left of it.
        const double ux = away > 1e-6 ? dx / away : -0.6, uy = away > 1e-6 ? dy / away : 0.8;
        label.a = {dot.a.x + labelDistance * ux, dot.a.y + labelDistance * uy};
        // Within the view and the page's margin round the canvas: a label that would leave
        // either goes to the inner side of its point.
        const double room = std::min(view.scene.reach, kCanvasSide / 2 + kLessonMargin) - labelDistance;
        if (std::fabs(label.a.x - centre.x) > room || std::fabs(label.a.y - centre.y) > room)
            label.a = {dot.a.x - labelDistance * ux, dot.a.y - labelDistance * uy};
        into.push_back(label);
    }
    for (auto* group : {&faint, &figure, &highlight, &marks, &newMarks})
        view.scene.items.insert(view.scene.items.end(), group->begin(), group->end());
    return view;
}

}  // namespace tamirel
