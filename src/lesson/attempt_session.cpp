#include "lesson/attempt_session.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "form/markup.h"
#include "form/messages.h"
#include "form/number_text.h"
#include "form/polygon_names.h"
#include "lesson/construction_scene.h"
#include "lesson/construction_steps.h"
#include "lesson/label_layout.h"
#include "lesson/lesson.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

using Kind = ReplayedObject::Kind;

// Above this many lines and circles, letters are placed by a quick rule (see View).
constexpr std::size_t kSearchedFigure = 24;

std::string Polygon(double n, bool definite = false) {
    return RegularPolygonName(n, std::to_string(static_cast<int>(n)), definite);
}

}  // namespace

bool AttemptSession::Follow(double radius, double n) {
    // An attempt just opened from a file keeps going when the lists are set to its figure.
    if (radius == radius_ && n == n_) return false;
    radius_ = radius;
    n_ = n;
    Leave();
    return true;
}

bool AttemptSession::Start() {
    if (!(radius_ > 0) || n_ != std::floor(n_) || n_ < kFewestVertices || n_ > kMostVertices) return false;
    attempt_.emplace(radius_, static_cast<int>(n_));
    Restart();
    return true;
}

void AttemptSession::Leave() {
    attempt_.reset();
    picked_.clear();
    focus_.reset();
    hint_.reset();
    said_.clear();
}

void AttemptSession::SetTool(AttemptTool tool) {
    tool_ = tool;
    picked_.clear();
    focus_.reset();
    said_ = Prompt();
}

std::vector<AttemptTarget> AttemptSession::Targets() const {
    std::vector<AttemptTarget> targets;
    if (!attempt_) return targets;
    // The newest first: a pupil mostly goes on from what they just made, and the oldest (O and
    // A₁ among them) are a step back from the start.
    if (tool_ != AttemptTool::Crossing) {
        const std::vector<AttemptPoint>& points = attempt_->points();
        for (std::size_t i = points.size(); i-- > 0;)
            targets.push_back({points[i].at, i, Say(Message::AttemptTargetPoint, {{"point", points[i].name}})});
        return targets;
    }
    std::vector<AttemptCrossing> crossings = attempt_->Crossings();
    // The crossings of the newest object first, with the given circle k (where the vertices
    // lie) before the others in the order drawn; those of one pair top to bottom, then left to
    // right, a row being a twentieth of the radius high.
    // Crossings alike in all of these stay in the order given.
    const double row = attempt_->radius() / 20;
    std::vector<std::size_t> order(crossings.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&crossings, row](std::size_t i, std::size_t j) {
        const AttemptCrossing &p = crossings[i], &q = crossings[j];
        if (p.second != q.second) return p.second > q.second;
        if (p.first != q.first) return p.first < q.first;
        const double pr = std::floor(p.at.y / row), qr = std::floor(q.at.y / row);
        if (pr != qr) return pr < qr;
        return p.at.x != q.at.x ? p.at.x < q.at.x : i < j;
    });
    const auto called = [&](std::size_t i) { return ObjectWords(attempt_->objects()[i].shape); };
    for (const std::size_t i : order)
        if (const AttemptCrossing& c = crossings[i]; !c.tangent)
            targets.push_back({c.at, std::nullopt,
                               Say(Message::AttemptTargetCrossing, {{"first", called(c.first)}, {"second", called(c.second)}})});
    return targets;
}

void AttemptSession::MoveFocus(int delta) {
    const std::vector<AttemptTarget> targets = Targets();
    if (targets.empty()) {
        focus_.reset();
        said_ = Say(Message::AttemptNoTargets);
        return;
    }
    const auto count = static_cast<long>(targets.size());
    long at = focus_ ? static_cast<long>(std::min(*focus_, targets.size() - 1)) + delta : delta > 0 ? delta - 1 : delta;
    at = ((at % count) + count) % count;
    focus_ = static_cast<std::size_t>(at);
    said_ = targets[*focus_].said;
}

void AttemptSession::Choose() {
    const std::vector<AttemptTarget> targets = Targets();
    if (!focus_ || *focus_ >= targets.size()) return MoveFocus(1);
    Pick(targets[*focus_]);
}

void AttemptSession::PickAt(Spot at, double reach) {
    if (!attempt_) return;
    if (tool_ == AttemptTool::Crossing) {
        // Tangencies too, so that the pupil hears why one cannot be made.
        const std::optional<AttemptCrossing> nearest = attempt_->NearestCrossing(at, reach);
        if (!nearest) {
            said_ = Say(Message::AttemptNoCrossing);
            return;
        }
        return Pick({nearest->at, std::nullopt, {}});
    }
    std::optional<std::size_t> nearest;
    const std::vector<AttemptPoint>& points = attempt_->points();
    for (std::size_t i = 0; i < points.size(); ++i)
        if (Distance(points[i].at, at) <= reach && (!nearest || Distance(points[i].at, at) < Distance(points[*nearest].at, at)))
            nearest = i;
    if (!nearest) {
        said_ = Say(Message::AttemptNoPointHere);
        return;
    }
    Pick({points[*nearest].at, nearest, {}});
}

void AttemptSession::Pick(const AttemptTarget& target) {
    hint_.reset();
    if (tool_ == AttemptTool::Crossing) {
        focus_.reset();
        return Said(attempt_->Take({AttemptTool::Crossing, {}, target.at}));
    }
    picked_.push_back(*target.point);
    if (picked_.size() < PointsOfMove(tool_)) {
        said_ = Say(Message::AttemptPicked, {{"point", attempt_->points()[*target.point].name}}) + ' ' + Prompt();
        return;
    }
    AttemptMove move{tool_, {}, {}};
    for (const std::size_t i : picked_) move.points.push_back(attempt_->points()[i].name);
    focus_.reset();   // the walk starts again from what the move makes
    const std::size_t last = picked_.back();
    picked_.clear();
    const MoveOutcome outcome = attempt_->Take(move);
    // Sides go on from the vertex just reached, so that a chain of picks draws the outline.
    if (tool_ == AttemptTool::Sides && outcome.taken && !attempt_->Done()) picked_.push_back(last);
    Said(outcome);
}

void AttemptSession::Said(const MoveOutcome& outcome) {
    said_ = outcome.said;
    if (!attempt_->Done()) said_ += ' ' + Prompt();
}

void AttemptSession::Undo() {
    if (!attempt_) return;
    picked_.clear();
    hint_.reset();
    said_ = Say(attempt_->Undo() ? Message::AttemptUndone : Message::AttemptNothingToUndo);
}

void AttemptSession::Redo() {
    if (!attempt_) return;
    picked_.clear();
    hint_.reset();
    said_ = Say(attempt_->Redo() ? Message::AttemptRedone : Message::AttemptNothingToRedo);
}

void AttemptSession::Restart() {
    if (!attempt_) return;
    attempt_->Restart();
    picked_.clear();
    focus_.reset();
    hint_.reset();
    said_ = Say(Message::AttemptStart, {{"polygon", Polygon(n_, true)}});
    if (!attempt_->exact())
        said_ += ' ' + attempt_->worked().statement + ' ' +
                 Say(Message::AttemptUseProtractor, {{"n", std::to_string(static_cast<int>(n_))},
                                                    {"angle", (360 % static_cast<int>(n_) ? "≈ " : "= ") + DecimalText(360.0 / n_)}});
}

void AttemptSession::Hint() {
    if (!attempt_) return;
    hint_ = attempt_->Hint();
    said_ = hint_ ? hint_->said : Say(Message::AttemptNoHint);
    if (hint_) {
        // The hint's tool in hand, so that the next picks take it.
        tool_ = hint_->move.tool;
        picked_.clear();
    }
}

void AttemptSession::Open(std::string_view text) {
    Attempt opened = AttemptFromText(text);
    radius_ = opened.radius();
    n_ = opened.n();
    attempt_.emplace(std::move(opened));
    picked_.clear();
    focus_.reset();
    hint_.reset();
    said_ = Say(Message::AttemptOpened, {{"moves", MoveCountWords(attempt_->LinesAndCircles())}});
    if (attempt_->Done()) said_ += ' ' + attempt_->Verdict();
}

std::string AttemptSession::Prompt() const {
    const std::size_t n = picked_.size();
    switch (tool_) {
        case AttemptTool::Straightedge: return Say(n == 0 ? Message::AttemptPromptLineFirst : Message::AttemptPromptLineSecond);
        case AttemptTool::Compass: return Say(n == 0 ? Message::AttemptPromptCentre : Message::AttemptPromptThrough);
        case AttemptTool::Opening:
            return Say(n == 0 ? Message::AttemptPromptOpeningFirst
                       : n == 1 ? Message::AttemptPromptOpeningSecond
                                : Message::AttemptPromptOpeningCentre);
        case AttemptTool::Crossing: return Say(Message::AttemptPromptCrossing);
        case AttemptTool::Sides: return Say(n == 0 ? Message::AttemptPromptSideFirst : Message::AttemptPromptSideNext);
        case AttemptTool::Protractor: return Say(n == 0 ? Message::AttemptPromptArmVertex : Message::AttemptPromptArmRay);
    }
    return {};
}

AttemptView AttemptSession::View() const {
    AttemptView view;
    if (!attempt_) return view;
    const Attempt& a = *attempt_;
    view.title = Say(Message::AttemptTitle, {{"polygon", Polygon(n_)}});
    view.prompt = a.Done() ? std::string() : Prompt();   // nothing more to pick once it stands
    view.status = Say(Message::AttemptStatus, {{"moves", std::to_string(a.LinesAndCircles())},
                                               {"worked", std::to_string(a.WorkedLinesAndCircles())},
                                               {"made", std::to_string(a.VerticesMade())},
                                               {"n", std::to_string(a.n())}});
    view.said = said_;
    Scene& scene = view.scene;
    FrameConstruction(a.worked(), a.workedReplay(), scene);
    const double m = scene.markScale;
    const LabelBox frame{scene.focus.x - scene.reach, scene.focus.y - scene.reach, scene.focus.x + scene.reach,
                         scene.focus.y + scene.reach};
    const std::size_t newest = a.moves().size();   // the move after the last; the last is newest - 1
    // Lines and circles: the given circle as the figure, the pupil's faint, the last move's
    // highlighted; lines across the frame, a protractor's arm from its vertex.
    for (const AttemptObject& o : a.objects()) {
        const Ink ink = o.given ? Ink::Figure : o.shape.step + 1 == newest ? Ink::Highlight : Ink::Faint;
        if (o.shape.kind == Kind::Circle) {
            SceneItem circle = SceneItemOf(SceneItem::Kind::Circle, ink, ToScene(o.shape.a));
            circle.radius = o.shape.radius;
            scene.items.push_back(circle);
            continue;
        }
        const double length = Distance(o.shape.a, o.shape.b);
        const double far = 4 * scene.reach / length;
        const Spot d{o.shape.b.x - o.shape.a.x, o.shape.b.y - o.shape.a.y};
        ScenePoint from = o.ray ? ToScene(o.shape.a) : ScenePoint{o.shape.a.x - far * d.x, o.shape.a.y - far * d.y};
        ScenePoint to{o.shape.a.x + far * d.x, o.shape.a.y + far * d.y};
        if (ClipToBox(from, to, frame)) scene.items.push_back(SceneItemOf(SceneItem::Kind::Segment, ink, from, to));
    }
    for (const AttemptSide& s : a.sides())
        scene.items.push_back(SceneItemOf(SceneItem::Kind::Segment, Ink::Figure, ToScene(a.points()[s.from].at), ToScene(a.points()[s.to].at)));
    // Rings round what is picked, what the keyboard has reached and what a hint uses.
    const auto ring = [&](Spot at, double size) {
        SceneItem item = SceneItemOf(SceneItem::Kind::Circle, Ink::Highlight, ToScene(at));
        item.radius = size * kPointRadius * m;
        scene.items.push_back(item);
    };
    for (const std::size_t i : picked_) ring(a.points()[i].at, 2);
    if (hint_) {
        for (const std::size_t i : hint_->uses) ring(a.points()[i].at, 2.5);
        if (hint_->move.tool == AttemptTool::Crossing) ring(hint_->move.at, 2.5);
    }
    if (focus_) {
        const std::vector<AttemptTarget> targets = Targets();
        if (*focus_ < targets.size()) ring(targets[*focus_].at, 3.5);
    }
    for (const AttemptPoint& p : a.points()) {
        const bool fresh = p.move && *p.move + 1 == newest;
        scene.items.push_back(SceneItemOf(SceneItem::Kind::Point, fresh ? Ink::Highlight : p.vertex || !p.move ? Ink::Figure : Ink::Faint,
                                   ToScene(p.at)));
    }
    // Every point lettered: the centre, then the vertices, then the others, each in the order made.
    const Spot centre = a.points().front().at;
    std::vector<const AttemptPoint*> order{&a.points().front()};
    for (const bool vertices : {true, false})
        for (auto p = a.points().begin() + 1; p != a.points().end(); ++p)
            if (p->vertex == vertices) order.push_back(&*p);
    // Up to kSearchedFigure lines and circles each letter takes the clearest place round its
    // point (PlaceLabel). Beyond that a search among every line would take longer than a frame
    // in the browser, so each letter takes the first of twelve directions, outward first, where
    // it meets no other letter and no point; lines pass under its halo.
    const bool crowded = a.objects().size() > kSearchedFigure;
    std::vector<LabelBox> taken;
    const std::size_t dots = scene.items.size();
    for (const AttemptPoint* p : order) {
        const ScenePoint at = ToScene(p->at);
        const bool middle = Distance(p->at, centre) < 1e-6 * a.radius();
        const double degrees = middle ? 135 : std::atan2(centre.y - p->at.y, p->at.x - centre.x) * 180 / 3.14159265358979323846;
        const Ink ink = p->move && *p->move + 1 == newest ? Ink::Highlight : Ink::Figure;
        if (!crowded) {
            PlaceLabel(scene, ink, p->name, {at, degrees, -1, {}});
            continue;
        }
        const LabelSize size = EstimateLabelSize(p->name, m);
        const double gap = (kPointRadius + 1) * m + std::max(size.width, size.height) / 2;
        LabelBox box{};
        ScenePoint place{};
        for (int turn = 0; turn < 12; ++turn) {
            // 0, +30, -30, +60, -60, … degrees from the outward direction.
            const double d = degrees + (turn % 2 ? 1 : -1) * 30.0 * ((turn + 1) / 2);
            place = OnCircle(at, gap, d);
            box = EstimateLabelBox(p->name, place, m);
            const auto meets = [&](const LabelBox& b) {
                return b.left < box.right && box.left < b.right && b.top < box.bottom && box.top < b.bottom;
            };
            bool clear = std::none_of(taken.begin(), taken.end(), meets);
            for (std::size_t i = 0; clear && i < dots; ++i)
                if (scene.items[i].kind == SceneItem::Kind::Point) {
                    const ScenePoint q = scene.items[i].a;
                    const double r = kPointRadius * m;
                    clear = !meets({q.x - r, q.y - r, q.x + r, q.y + r});
                }
            if (clear) break;
            if (turn == 11) {
                place = OnCircle(at, gap, degrees);
                box = EstimateLabelBox(p->name, place, m);
            }
        }
        taken.push_back(box);
        SceneItem label = SceneItemOf(SceneItem::Kind::Label, ink, place);
        label.text = p->name;
        scene.items.push_back(label);
    }
    return view;
}

namespace {

// The attempt's page, its figure and words from `view`, the session's View().
Page PageOf(const AttemptSession& session, const AttemptView& view) {
    Page page;
    const double side = LessonPageWidth();
    std::vector<std::string> lines;
    if (session.active()) {
        const Attempt& a = session.attempt();
        lines.push_back(view.title);
        const double width = side - kLessonMargin;
        for (const std::string& line : WrapToWidth(a.Done() ? a.Verdict() : view.status, kLessonTextSize, width))
            lines.push_back(line);
        lines.push_back(Say(Message::AttemptMovesHeading));
        for (std::size_t i = 0; i < a.moves().size(); ++i)
            for (const std::string& line : WrapToWidth(std::to_string(i + 1) + ". " + a.MoveText(i), kLessonTextSize, width))
                lines.push_back(line);
    }
    const double height = kSceneSide + 2 * kLessonMargin + kLessonLineHeight * (static_cast<double>(lines.size()) + 1);
    page.box = {-kLessonMargin, -kLessonMargin, side, height};
    page.figures.push_back({view.scene, {0, 0, kSceneSide, kSceneSide}, PageRect{-kLessonMargin, -kLessonMargin, side, side}});
    double y = kSceneSide + kLessonMargin + kLessonLineHeight;
    for (const std::string& line : lines) {
        page.texts.push_back({line, 0, y, page.texts.empty() ? kLessonTitleSize : kLessonTextSize, page.texts.empty()});
        y += kLessonLineHeight;
    }
    return page;
}

}  // namespace

Page AttemptPage(const AttemptSession& session) { return PageOf(session, session.View()); }

Picture AttemptPicture(const AttemptSession& session) {
    const AttemptView view = session.View();
    return PictureOfPage(session.active() ? view.title : "Tamirel", view.status, PageOf(session, view));
}

std::string AttemptToJson(const AttemptSession& session) {
    if (!session.active()) return "{\"active\":false}";
    const Attempt& a = session.attempt();
    const AttemptView view = session.View();
    static constexpr const char* kTools[] = {"straightedge", "compass", "opening", "crossing", "sides", "protractor"};
    std::string json = "{\"active\":true";
    Append(json, {",\"exact\":", a.exact() ? "true" : "false"});
    AppendJsonStrings(json, {{",\"tool\":", kTools[static_cast<int>(session.tool())]}, {",\"title\":", view.title},
                             {",\"prompt\":", view.prompt}, {",\"status\":", view.status}, {",\"said\":", view.said}});
    Append(json, {",\"focus\":", session.focus() ? std::to_string(*session.focus()) : "-1",
                  ",\"canUndo\":", a.CanUndo() ? "true" : "false", ",\"canRedo\":", a.CanRedo() ? "true" : "false",
                  ",\"done\":", a.Done() ? "true" : "false", ",\"targets\":["});
    const char* separator = "";
    for (const AttemptTarget& t : session.Targets()) {
        Append(json, {separator, "{\"x\":", FixedPoint(t.at.x, 3), ",\"y\":", FixedPoint(t.at.y, 3)});
        AppendJsonStrings(json, {{",\"said\":", t.said}});
        json += '}';
        separator = ",";
    }
    Append(json, {"],\"scene\":", SceneToJson(view.scene), "}"});
    return json;
}

}  // namespace tamirel
