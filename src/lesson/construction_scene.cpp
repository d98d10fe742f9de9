#include "lesson/construction_scene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

#include "form/messages.h"
#include "lesson/label_layout.h"
#include "lesson/lesson.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

// Canvas units at markScale 1: how far a line runs past the outermost points on it.
constexpr double kLineOverrun = 30;
// ... and how far a compass arc runs past each point on it, either way.
constexpr double kArcOverrun = 40;
// The frame's reach per unit of markScale: marks keep one size on screen for every radius, the
// size the lesson gives them at R = 300.
constexpr double kReachPerMark = 376;
// Room round the outermost point for its letter, in letter heights: "A₁₅" beside its vertex.
constexpr double kLetterRoom = 2.4;
// A protractor's arc, as a fraction of the radius, from the angle's vertex.
constexpr double kProtractorArc = 0.3;


double Direction(ScenePoint from, ScenePoint to) { return std::atan2(from.y - to.y, to.x - from.x) / kDegree; }

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

struct Frame {
    double left, top, right, bottom;
    bool Holds(ScenePoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

// Segment ab cut to the frame; false when none of it is inside.
bool ClipSegment(SceneItem& segment, const Frame& frame) {
    return ClipToBox(segment.a, segment.b, {frame.left, frame.top, frame.right, frame.bottom});
}

using Arcs = std::vector<std::pair<double, double>>;   // (start, sweep) in degrees, as SceneItem's

// Ascending; the lists here hold a handful of angles (a template sort costs the browser's page
// more than it saves).
void SortAngles(std::vector<double>& angles) {
    for (std::size_t i = 1; i < angles.size(); ++i)
        for (std::size_t j = i; j > 0 && angles[j] < angles[j - 1]; --j) std::swap(angles[j], angles[j - 1]);
}

// The arcs of `circle` inside the frame; empty when all of it or none of it is (`whole` says which).
Arcs InFrame(const SceneItem& circle, const Frame& frame, bool& whole) {
    const double r = circle.radius;
    std::vector<double> cuts;   // degrees where the circle crosses the frame's edges
    for (const double x : {frame.left, frame.right}) {
        const double h = r * r - (x - circle.a.x) * (x - circle.a.x);
        if (h <= 0) continue;
        for (const double y : {circle.a.y - std::sqrt(h), circle.a.y + std::sqrt(h)}) cuts.push_back(Direction(circle.a, {x, y}));
    }
    for (const double y : {frame.top, frame.bottom}) {
        const double h = r * r - (y - circle.a.y) * (y - circle.a.y);
        if (h <= 0) continue;
        for (const double x : {circle.a.x - std::sqrt(h), circle.a.x + std::sqrt(h)}) cuts.push_back(Direction(circle.a, {x, y}));
    }
    Arcs arcs;
    whole = cuts.empty() && frame.Holds(OnCircle(circle.a, r, 0));
    if (cuts.empty()) return arcs;
    for (double& cut : cuts) cut = std::fmod(cut + 360, 360);
    SortAngles(cuts);
    cuts.push_back(cuts.front() + 360);
    // Each piece between two cuts lies wholly inside or outside; neighbours inside join.
    bool open = false;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double from = cuts[i], to = cuts[i + 1];
        if (to - from < 1e-9) continue;
        const bool inside = frame.Holds(OnCircle(circle.a, r, (from + to) / 2));
        if (inside && open) arcs.back().second = to - arcs.back().first;
        else if (inside) arcs.push_back({from, to - from});
        open = inside;
    }
    // The last piece and the first may be one arc across the cut at the start.
    if (arcs.size() >= 2 && open && std::fabs(arcs.front().first + 360 - (arcs.back().first + arcs.back().second)) < 1e-9) {
        arcs.back().second += arcs.front().second;
        arcs.front() = arcs.back();
        arcs.pop_back();
    }
    return arcs;
}

// Where the arcs round points at `degrees` on a circle lie, each `half` degrees past the
// outermost of its points; empty when they close into the whole circle.
Arcs ArcsRound(std::vector<double> degrees, double half) {
    for (double& d : degrees) d = std::fmod(std::fmod(d, 360) + 360, 360);
    SortAngles(degrees);
    Arcs arcs;
    for (const double d : degrees) {
        if (!arcs.empty() && d - half <= arcs.back().first + arcs.back().second) arcs.back().second = d + half - arcs.back().first;
        else arcs.push_back({d - half, 2 * half});
    }
    if (arcs.size() >= 2 && arcs.back().first + arcs.back().second >= arcs.front().first + 360) {
        arcs.front() = {arcs.back().first, arcs.front().first + 360 + arcs.front().second - arcs.back().first};
        arcs.pop_back();
    }
    if (arcs.size() == 1 && arcs[0].second >= 360) arcs.clear();
    return arcs;
}

// A circle as a pupil draws it, in the frame: the arcs round the points at `degrees` (all of
// it without any), `overrun` canvas units past them, as far as the frame shows them.
void AddCircle(std::vector<SceneItem>& into, const SceneItem& circle, const std::vector<double>& degrees, double overrun,
               const Frame& frame) {
    bool whole = false;
    const Arcs inside = InFrame(circle, frame, whole);
    const Arcs drawn = degrees.empty() ? Arcs{} : ArcsRound(degrees, std::min(overrun / circle.radius / kDegree, 25.0));
    if (whole && drawn.empty()) return into.push_back(circle);
    const Arcs all{{0, 360}};
    for (const auto& [from, along] : whole ? all : inside)
        for (const auto& [start, sweep] : drawn.empty() ? all : drawn)
            for (int turn = -360; turn <= 360; turn += 360) {
                const double low = std::max(from, start + turn), high = std::min(from + along, start + sweep + turn);
                if (high - low < 1e-9) continue;
                SceneItem& arc = into.emplace_back(SceneItemOf(SceneItem::Kind::Arc, circle.ink, circle.a));
                arc.radius = circle.radius;
                arc.startDegrees = low;
                arc.sweepDegrees = high - low;
            }
}

SceneItem Drawn(const Construction& construction, const Replay& replay, const ReplayedObject& object, double overrun) {
    if (object.kind == ReplayedObject::Kind::Circle) {
        SceneItem item = SceneItemOf(SceneItem::Kind::Circle, Ink::Figure, ToScene(object.a));
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
    // A protractor's arm is a ray from the angle's vertex (object.a).
    if (construction.steps[object.step].tool != Tool::Protractor) low -= overrun;
    high += overrun;
    return SceneItemOf(SceneItem::Kind::Segment, Ink::Figure, ToScene({object.a.x + low * u.x, object.a.y + low * u.y}),
                ToScene({object.a.x + high * u.x, object.a.y + high * u.y}));
}

}  // namespace

std::string StepCaption(std::size_t step, std::size_t steps) {
    return Say(Message::StepCaption, {{"step", std::to_string(step)}, {"count", std::to_string(steps)}});
}

void FrameConstruction(const Construction& construction, const Replay& replay, Scene& scene) {
    const Spot centre = replay.points.front().at;   // the given circle's centre
    double extent = construction.radius;
    for (const ReplayedPoint& point : replay.points)
        extent = std::max({extent, std::fabs(point.at.x - centre.x), std::fabs(point.at.y - centre.y)});
    // reach = extent + kLetterRoom letters of kLabelHeight x markScale, markScale = reach / kReachPerMark,
    // within the page's margin round the canvas.
    const double reach = std::min(extent / (1 - kLetterRoom * kLabelHeight / kReachPerMark), kSceneSide / 2 + kLessonMargin);
    scene.focus = {centre.x, centre.y};
    scene.reach = reach;
    scene.markScale = reach / kReachPerMark;
}

ConstructionView ConstructionAtStep(const Construction& construction, const Replay& replay, std::size_t step) {
    const std::size_t steps = construction.steps.size();
    if (step < 1 || step > steps) ThrowOutOfRange("construction step outside 1..steps");
    const std::size_t current = step - 1;

    ConstructionView view;
    view.sentence = replay.sentences[current];
    view.caption = StepCaption(step, steps);
    Scene& scene = view.scene;
    FrameConstruction(construction, replay, scene);
    const double m = scene.markScale;
    const Frame frame{scene.focus.x - scene.reach, scene.focus.y - scene.reach, scene.focus.x + scene.reach,
                      scene.focus.y + scene.reach};

    std::vector<SceneItem> faint, figure, highlight;
    const auto add = [&](SceneItem item, Ink ink) {
        item.ink = ink;
        auto& into = ink == Ink::Highlight ? highlight : ink == Ink::Figure ? figure : faint;
        if (item.kind == SceneItem::Kind::Circle) return AddCircle(into, item, {}, 0, frame);
        if (ClipSegment(item, frame)) into.push_back(item);
    };
    for (const ReplayedObject& object : replay.objects) {
        if (object.step > current) break;
        const Step& drawing = construction.steps[object.step];
        const Ink ink = object.step == current ? Ink::Highlight : drawing.tool == Tool::Given ? Ink::Figure : Ink::Faint;
        SceneItem item = Drawn(construction, replay, object, kLineOverrun * m);
        if (drawing.tool != Tool::Compass) {
            add(item, ink);
            continue;
        }
        // Arcs where the circle is crossed; where nothing is made on it, through the point it is
        // drawn through.
        std::vector<Spot> on = PointsOn(construction, replay, object.name);
        if (on.empty() && drawing.uses.size() == 2) on.push_back(replay.Point(drawing.uses[1])->at);
        std::vector<double> degrees;
        for (const Spot s : on) degrees.push_back(Direction(item.a, ToScene(s)));
        item.ink = ink;
        AddCircle(ink == Ink::Highlight ? highlight : faint, item, degrees, kArcOverrun * m, frame);
    }
    // The finished polygon's sides, each a segment (straight lines stay <line> in every SVG).
    for (std::size_t at = 0; at <= current; ++at) {
        if (construction.steps[at].tool != Tool::Sides) continue;
        for (std::size_t i = 0; i < replay.vertices.size(); ++i)
            add(SceneItemOf(SceneItem::Kind::Segment, Ink::Figure, ToScene(replay.vertices[i]),
                     ToScene(replay.vertices[(i + 1) % replay.vertices.size()])),
                at == current ? Ink::Highlight : Ink::Figure);
    }
    // A protractor step shows what the pupil measures: the ray it starts from, and the arc of the
    // angle with its value.
    const Step& now = construction.steps[current];
    SceneItem angle;
    bool measured = false;
    if (now.tool == Tool::Protractor) {
        const ScenePoint vertex = ToScene(replay.Point(now.uses[0])->at), onArm = ToScene(replay.Point(now.uses[1])->at);
        const double length = std::hypot(onArm.x - vertex.x, onArm.y - vertex.y);
        const double start = Direction(vertex, onArm);
        add(SceneItemOf(SceneItem::Kind::Segment, Ink::Figure, vertex, OnCircle(vertex, length + kLineOverrun * m, start)),
            Ink::Highlight);
        angle = SceneItemOf(SceneItem::Kind::Arc, Ink::Highlight, vertex);
        angle.radius = kProtractorArc * construction.radius;
        angle.startDegrees = start;
        angle.sweepDegrees = now.value;
        highlight.push_back(angle);
        measured = true;
    }

    // Letters where the reader needs them: the centre, the vertices, and the points the step
    // names, in its tools or in its note ("T е средата на радиуса OD"); the other points stay
    // as faint dots, so that a long construction stays legible.
    std::set<std::string> named(now.uses.begin(), now.uses.end());
    for (const NewPoint& made : now.makes) named.insert({made.name, made.pick.p, made.pick.q});
    for (const ReplayedPoint& point : replay.points) {
        if (!point.name.empty() && now.note.find(point.name) != std::string::npos) named.insert(point.name);
    }
    const std::set<std::string> vertices(construction.steps.back().uses.begin(), construction.steps.back().uses.end());
    const Spot centre = replay.points.front().at;

    struct Lettered {
        const ReplayedPoint* point;
        bool fresh;
    };
    std::vector<Lettered> lettered;
    std::vector<SceneItem> marks, newMarks;
    for (const ReplayedPoint& point : replay.points) {
        if (point.step > current) break;
        const bool fresh = point.step == current;
        const bool labelled = fresh || named.count(point.name) || vertices.count(point.name) || &point == &replay.points.front();
        (fresh ? newMarks : marks).push_back(SceneItemOf(SceneItem::Kind::Point, fresh ? Ink::Highlight : labelled ? Ink::Figure : Ink::Faint,
                                                  ToScene(point.at)));
        if (labelled) lettered.push_back({&point, fresh});
    }
    for (auto* group : {&faint, &figure, &highlight, &marks, &newMarks})
        scene.items.insert(scene.items.end(), group->begin(), group->end());

    // The letters after everything they must keep clear of, the most crowded first: the centre,
    // what the step makes, what it names, then the vertices; each outward from the centre where
    // that is clear, the centre's own up and to the left, as in the lesson.
    const auto rank = [&](const Lettered& l) {
        return l.point == &replay.points.front() ? 0 : l.fresh ? 1 : named.count(l.point->name) ? 2 : 3;
    };
    for (int pass = 0; pass < 4; ++pass)
        for (const Lettered& l : lettered) {
            if (rank(l) != pass) continue;
            const ScenePoint at = ToScene(l.point->at);
            const bool middle = std::hypot(at.x - centre.x, at.y - centre.y) < 1e-6 * construction.radius;
            PlaceLabel(scene, l.fresh ? Ink::Highlight : Ink::Figure, l.point->name,
                           {at, middle ? 135 : Direction(ToScene(centre), at), -1, {}});
        }
    if (measured) {
        const double middle = angle.startDegrees + angle.sweepDegrees / 2;
        PlaceLabel(scene, Ink::Highlight, DecimalText(now.value) + "°",
                       {OnCircle(angle.a, angle.radius, middle), middle, -1, {}});
    }
    return view;
}

}  // namespace tamirel
