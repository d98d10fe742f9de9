#include "lesson/construction.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

#include "form/messages.h"
#include "form/number_text.h"

namespace tamirel {

const ReplayedPoint* Replay::Point(const std::string& name) const {
    for (const ReplayedPoint& p : points)
        if (p.name == name) return &p;
    return nullptr;
}

const ReplayedObject* Replay::Object(const std::string& name) const {
    for (const ReplayedObject& o : objects)
        if (o.name == name) return &o;
    return nullptr;
}

namespace {

using Reason = ConstructionRefused::Reason;
using Kind = ReplayedObject::Kind;

constexpr double kDegree = std::numbers::pi_v<double> / 180;

double Cross(Spot o, Spot a, Spot b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

}  // namespace

double Distance(Spot a, Spot b) { return std::hypot(a.x - b.x, a.y - b.y); }

std::string ObjectWords(const ReplayedObject& object) {
    return object.kind == Kind::Line ? Say(Message::TheLine, {{"name", object.name}}) : object.name;
}

Meeting Meet(const ReplayedObject& f, const ReplayedObject& g, double tolerance) {
    using K = Meeting::Kind;
    if (f.kind == Kind::Line && g.kind == Kind::Line) {
        const Spot d1{f.b.x - f.a.x, f.b.y - f.a.y};
        const Spot d2{g.b.x - g.a.x, g.b.y - g.a.y};
        const double denominator = d1.x * d2.y - d1.y * d2.x;
        if (std::fabs(denominator) <= 1e-12 * std::hypot(d1.x, d1.y) * std::hypot(d2.x, d2.y)) return {};
        const double t = ((g.a.x - f.a.x) * d2.y - (g.a.y - f.a.y) * d2.x) / denominator;
        return {K::Once, {{f.a.x + t * d1.x, f.a.y + t * d1.y}}};
    }
    if (f.kind == Kind::Circle && g.kind == Kind::Line) return Meet(g, f, tolerance);
    if (f.kind == Kind::Line) {
        // Line f against circle g: the foot of the perpendicular from the centre, then both ways.
        const double length = Distance(f.a, f.b);
        const Spot u{(f.b.x - f.a.x) / length, (f.b.y - f.a.y) / length};
        const double t = (g.a.x - f.a.x) * u.x + (g.a.y - f.a.y) * u.y;
        const Spot foot{f.a.x + t * u.x, f.a.y + t * u.y};
        const double h = Distance(foot, g.a);
        if (h > g.radius + tolerance) return {};
        if (h >= g.radius - tolerance) return {K::Tangent, {foot}};
        const double s = std::sqrt(g.radius * g.radius - h * h);
        return {K::Twice, {{foot.x - s * u.x, foot.y - s * u.y}, {foot.x + s * u.x, foot.y + s * u.y}}};
    }
    // Two circles: apart, one inside the other, touching from outside or inside, or crossing.
    const double d = Distance(f.a, g.a);
    if (d <= tolerance) return {};   // one centre: the same circle, or none in common
    const double outer = f.radius + g.radius, inner = std::fabs(f.radius - g.radius);
    if (d > outer + tolerance || d < inner - tolerance) return {};
    const Spot u{(g.a.x - f.a.x) / d, (g.a.y - f.a.y) / d};
    if (d >= outer - tolerance || d <= inner + tolerance) {
        // The point of contact lies on the line of centres, f.radius from f's centre: towards
        // g's centre, unless g is the larger and holds f.
        const double along = d >= outer - tolerance || f.radius > g.radius ? f.radius : -f.radius;
        return {K::Tangent, {{f.a.x + along * u.x, f.a.y + along * u.y}}};
    }
    const double along = (d * d + f.radius * f.radius - g.radius * g.radius) / (2 * d);
    const double h = std::sqrt(std::max(0.0, f.radius * f.radius - along * along));
    const Spot foot{f.a.x + along * u.x, f.a.y + along * u.y};
    return {K::Twice, {{foot.x - h * u.y, foot.y + h * u.x}, {foot.x + h * u.y, foot.y - h * u.x}}};
}

std::string DecimalText(double value) {
    const double whole = std::round(value);
    if (std::fabs(value - whole) < 1e-9) return FixedPoint(whole, 0);
    std::string text = FixedPoint(value, 2);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

namespace {

class Checker {
public:
    explicit Checker(const Construction& construction)
        : construction_(construction), tolerance_(1e-9 * (construction.radius > 0 ? construction.radius : 1)) {}

    Replay Run() {
        for (index_ = 0; index_ < construction_.steps.size(); ++index_) Take(construction_.steps[index_]);
        return std::move(replay_);
    }

private:
    [[noreturn]] void Refuse(Reason reason, const std::string& description) const {
        ThrowRefused(reason, index_, description);
    }

    const ReplayedPoint& MadePoint(const std::string& name) const {
        const ReplayedPoint* p = replay_.Point(name);
        if (!p) Refuse(Reason::UnknownPoint, Say(Message::NotMadeYet, {{"point", name}}));
        return *p;
    }

    const ReplayedObject& DrawnObject(const std::string& name) const {
        const ReplayedObject* o = replay_.Object(name);
        if (!o) Refuse(Reason::NotACrossing, Say(Message::NotDrawnYet, {{"object", name}}));
        return *o;
    }

    void Unused(const std::string& name) const {
        if (name.empty() || replay_.Point(name) || replay_.Object(name))
            Refuse(Reason::NameTaken, Say(Message::NameTaken, {{"name", name}}));
    }

    void AddObject(const Step& step, Kind kind, Spot a, Spot b, double radius) {
        Unused(step.draws);
        replay_.objects.push_back({step.draws, kind, a, b, radius, index_});
    }

    void AddPoint(const std::string& name, Spot at) {
        Unused(name);
        replay_.points.push_back({name, at, index_});
    }

    // "k₁" for a circle, "правата A₁O" for a line.
    std::string Called(const std::string& object) const {
        const ReplayedObject* o = replay_.Object(object);
        return o ? ObjectWords(*o) : object;
    }

    // The name of a drawn line through made points p and q ("OX" for O and E on it), or pq when
    // none is drawn.
    std::string LineThrough(const std::string& p, const std::string& q) const {
        const Spot a = MadePoint(p).at, b = MadePoint(q).at;
        const double close = 1e-6 * construction_.radius;
        for (const ReplayedObject& o : replay_.objects) {
            if (o.kind != Kind::Line) continue;
            const double length = Distance(o.a, o.b);
            if (std::fabs(Cross(o.a, o.b, a)) <= close * length && std::fabs(Cross(o.a, o.b, b)) <= close * length)
                return o.name;
        }
        return p + q;
    }

    // Where made point `point` lies, as its pick tells it from the other crossing: on which side
    // of which line (Above, Below, LeftOf, RightOf), or NearerTo a point; Count for a pick that
    // needs no words (the only crossing, the other than a named point). Left and right of a line
    // become above and below where the line is nearer horizontal.
    struct Whereabouts {
        Message side = Message::Count;
        std::string line;   // a side's line, as LineThrough names it
    };
    Whereabouts Where(const NewPoint& point) const {
        const Pick& pick = point.pick;
        if (pick.rule == Pick::Rule::NearerTo) return {Message::NearerTo, {}};
        if (pick.rule != Pick::Rule::LeftOf && pick.rule != Pick::Rule::RightOf) return {};
        const Spot p = MadePoint(pick.p).at, q = MadePoint(pick.q).at, s = MadePoint(point.name).at;
        const double dx = q.x - p.x, dy = q.y - p.y;
        const std::string line = LineThrough(pick.p, pick.q);
        if (std::fabs(dx) >= std::fabs(dy)) return {s.y < p.y + dy * (s.x - p.x) / dx ? Message::Above : Message::Below, line};
        return {s.x < p.x + dx * (s.y - p.y) / dy ? Message::LeftOf : Message::RightOf, line};
    }

    // Whereabouts in words a pupil checks on the drawing: "над правата A₁O", "по-близо до A₁";
    // `again` names the line as the one just named ("под нея") and the point shortly ("до A₃").
    std::string Said(const Whereabouts& where, const NewPoint& point, bool again) const {
        if (where.side == Message::NearerTo)
            return Say(again ? Message::NearerToShort : Message::NearerTo, {{"point", point.pick.p}});
        return Say(where.side, {{"line", again ? Say(Message::ThatLine) : Say(Message::TheLine, {{"name", where.line}})}});
    }

    // Which of two points made at once is which: "A₂ е над правата A₁O, а A₆ — под нея."
    std::string WhichIsWhich(const NewPoint& first, const NewPoint& second) const {
        const Whereabouts one = Where(first), other = Where(second);
        if (one.side == Message::Count && other.side == Message::Count) return {};
        if (one.side == Message::Count || other.side == Message::Count) {
            const NewPoint& point = one.side == Message::Count ? second : first;
            return Say(Message::PointIs, {{"point", point.name}, {"where", Said(one.side == Message::Count ? other : one, point, false)}});
        }
        // The same line, or both nearer to a point: the verb and the line are said once.
        const bool again = one.side == Message::NearerTo ? other.side == Message::NearerTo
                                                          : other.side != Message::NearerTo && one.line == other.line;
        return Say(again ? Message::PointsAreShort : Message::PointsAre,
                   {{"first", first.name}, {"where", Said(one, first, false)}, {"second", second.name},
                    {"otherWhere", Said(other, second, again)}});
    }

    std::string Pair(const NewPoint& point) const {
        const ReplayedObject* f = replay_.Object(point.first);
        const ReplayedObject* g = replay_.Object(point.second);
        if (f && g && f->kind == Kind::Line && g->kind == Kind::Line)
            return Say(Message::TheLines, {{"first", point.first}, {"second", point.second}});
        return Say(Message::TwoObjects, {{"first", Called(point.first)}, {"second", Called(point.second)}});
    }

    void Take(const Step& step) {
        if (step.tool == Tool::Given) return TakeGiven(step);
        tools_used_ = true;
        std::string sentence;
        switch (step.tool) {
            case Tool::Straightedge: {
                if (step.uses.size() != 2) Refuse(Reason::BadObject, Say(Message::LineNeedsTwoPoints));
                const Spot a = MadePoint(step.uses[0]).at, b = MadePoint(step.uses[1]).at;
                if (Distance(a, b) <= tolerance_) Refuse(Reason::BadObject, Say(Message::LineThroughOnePoint));
                AddObject(step, Kind::Line, a, b, 0);
                sentence = Say(Message::DrawLine, {{"line", step.draws}});
                break;
            }
            case Tool::Compass: {
                if (step.uses.size() != 2 && step.uses.size() != 3)
                    Refuse(Reason::BadObject, Say(Message::CircleNeedsCentreAndRadius));
                const Spot centre = MadePoint(step.uses[0]).at;
                const std::size_t from = step.uses.size() == 2 ? 0 : 1;
                const double radius = Distance(MadePoint(step.uses[from]).at, MadePoint(step.uses.back()).at);
                if (radius <= tolerance_) Refuse(Reason::BadObject, Say(Message::CircleOfNoRadius));
                AddObject(step, Kind::Circle, centre, centre, radius);
                sentence = Say(Message::DrawCircle, {{"circle", step.draws}, {"centre", step.uses[0]},
                                                     {"radius", step.uses[from] + step.uses.back()}});
                break;
            }
            case Tool::Protractor: {
                if (construction_.exact) Refuse(Reason::ToolNotAllowed, Say(Message::OnlyStraightedgeAndCompass));
                if (step.uses.size() != 2) Refuse(Reason::BadObject, Say(Message::AngleNeedsVertexAndArm));
                const Spot vertex = MadePoint(step.uses[0]).at, onArm = MadePoint(step.uses[1]).at;
                if (Distance(vertex, onArm) <= tolerance_) Refuse(Reason::BadObject, Say(Message::ArmUndefined));
                // Counter-clockwise on the screen, whose Y axis points down.
                const double c = std::cos(step.value * kDegree), s = std::sin(step.value * kDegree);
                const Spot d{onArm.x - vertex.x, onArm.y - vertex.y};
                AddObject(step, Kind::Line, vertex, {vertex.x + d.x * c + d.y * s, vertex.y - d.x * s + d.y * c}, 0);
                sentence = Say(Message::Protractor,
                               {{"ray", step.uses[0] + step.uses[1]},
                                {"angle", (step.value == std::round(step.value) ? "" : "≈ ") + DecimalText(step.value)},
                                {"vertex", step.uses[0]}});
                break;
            }
            case Tool::Sides: {
                if (step.uses.size() < 3) Refuse(Reason::BadObject, Say(Message::PolygonNeedsThreeVertices));
                for (const std::string& name : step.uses) replay_.vertices.push_back(MadePoint(name).at);
                std::string points = step.uses[0];
                for (std::size_t i = 1; i < step.uses.size(); ++i)
                    points = Say(i + 1 == step.uses.size() ? Message::ListLast : Message::ListNext,
                                 {{"list", points}, {"item", step.uses[i]}});
                sentence = Say(Message::Sides, {{"points", points}});
                break;
            }
            case Tool::Given: break;
        }
        MakePoints(step, sentence);
        Finish(sentence, step);
    }

    void TakeGiven(const Step& step) {
        if (tools_used_) Refuse(Reason::GivenTooLate, Say(Message::GivenOnlyFirst));
        std::string sentence;
        if (!step.draws.empty()) {
            if (step.makes.size() != 1 || !step.makes[0].first.empty() || step.value <= 0)
                Refuse(Reason::BadObject, Say(Message::GivenCircleNeeds));
            const Spot centre{step.x, step.y};
            AddPoint(step.makes[0].name, centre);
            AddObject(step, Kind::Circle, centre, centre, step.value);
            sentence = Say(Message::GivenCircle,
                           {{"circle", step.draws}, {"centre", step.makes[0].name}, {"radius", DecimalText(step.value)}});
        } else {
            for (const NewPoint& point : step.makes) {
                const ReplayedObject& on = DrawnObject(point.first);
                if (on.kind != Kind::Circle || !point.second.empty())
                    Refuse(Reason::NotACrossing, Say(Message::ChosenOnGivenCircle));
                const double a = step.value * kDegree;
                AddPoint(point.name, {on.a.x + on.radius * std::cos(a), on.a.y - on.radius * std::sin(a)});
                Join(sentence, Say(Message::ChosenPoint, {{"point", point.name}, {"circle", point.first}}));
            }
        }
        Finish(sentence, step);
    }

    // Makes the step's points, and says so in `said`: a sentence per pair of crossing objects.
    void MakePoints(const Step& step, std::string& said) {
        for (std::size_t i = 0; i < step.makes.size(); ++i) {
            const NewPoint& point = step.makes[i];
            AddPoint(point.name, Crossing(point));
            const bool two = i + 1 < step.makes.size() && step.makes[i + 1].first == point.first &&
                             step.makes[i + 1].second == point.second;
            if (step.tool == Tool::Protractor) {
                Join(said, Say(Message::OtherArmCrosses, {{"line", point.first}, {"point", point.name}}));
            } else if (two) {
                AddPoint(step.makes[i + 1].name, Crossing(step.makes[i + 1]));
                Join(said, Say(Message::TwoCrossings, {{"pair", Pair(point)}, {"first", point.name}, {"second", step.makes[i + 1].name}}));
                Join(said, WhichIsWhich(point, step.makes[i + 1]));
                ++i;
            } else if (point.pick.rule == Pick::Rule::OtherThan) {
                Join(said, Say(Message::SecondCrossing, {{"pair", Pair(point)}, {"point", point.name}}));
            } else if (point.pick.rule == Pick::Rule::NearerTo) {
                Join(said, Say(Message::NearerCrossing, {{"pair", Pair(point)}, {"near", point.pick.p}, {"point", point.name}}));
            } else {
                Join(said, Say(Message::OnlyCrossing, {{"pair", Pair(point)}, {"point", point.name}}));
            }
        }
    }

    Spot Crossing(const NewPoint& point) const {
        if (point.second.empty()) Refuse(Reason::NotACrossing, Say(Message::NotACrossing, {{"point", point.name}}));
        const std::vector<Spot> found = Meet(DrawnObject(point.first), DrawnObject(point.second), tolerance_).at;
        if (found.empty()) Refuse(Reason::NotACrossing, Say(Message::DoNotCross, {{"first", point.first}, {"second", point.second}}));
        const Pick& pick = point.pick;
        const auto refuse = [&] { Refuse(Reason::NotACrossing, Say(Message::WhichCrossing, {{"point", point.name}})); };
        switch (pick.rule) {
            case Pick::Rule::Only:
                if (found.size() > 1) refuse();
                return found[0];
            case Pick::Rule::LeftOf:
            case Pick::Rule::RightOf: {
                const Spot p = MadePoint(pick.p).at, q = MadePoint(pick.q).at;
                const double sign = pick.rule == Pick::Rule::LeftOf ? -1 : 1;   // Y grows downward
                const double scale = Distance(p, q);
                std::vector<Spot> side;
                for (const Spot s : found)
                    if (sign * Cross(p, q, s) > tolerance_ * scale) side.push_back(s);
                if (side.size() != 1) refuse();
                return side[0];
            }
            case Pick::Rule::NearerTo: {
                const Spot p = MadePoint(pick.p).at;
                if (found.size() == 1) return found[0];
                const double d0 = Distance(found[0], p), d1 = Distance(found[1], p);
                if (std::fabs(d0 - d1) <= tolerance_) refuse();
                return d0 < d1 ? found[0] : found[1];
            }
            case Pick::Rule::OtherThan: {
                const Spot p = MadePoint(pick.p).at;
                const double close = 1e-6 * construction_.radius;
                if (found.size() != 2) refuse();
                const bool at0 = Distance(found[0], p) <= close, at1 = Distance(found[1], p) <= close;
                if (at0 == at1) refuse();
                return at0 ? found[1] : found[0];
            }
        }
        Refuse(Reason::NotACrossing, Say(Message::WhichCrossing, {{"point", point.name}}));
    }

    // Sentences follow each other after a space.
    static void Join(std::string& text, const std::string& sentence) {
        if (!text.empty() && !sentence.empty()) text += ' ';
        text += sentence;
    }

    void Finish(std::string sentence, const Step& step) {
        Join(sentence, step.note);
        replay_.sentences.push_back(std::move(sentence));
    }

    const Construction& construction_;
    const double tolerance_;
    Replay replay_;
    std::size_t index_ = 0;
    bool tools_used_ = false;
};

}  // namespace

Replay ReplayConstruction(const Construction& construction) { return Checker(construction).Run(); }

}  // namespace tamirel
