#include "lesson/attempt.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "form/layout.h"
#include "form/messages.h"
#include "form/number_text.h"
#include "form/polygon_names.h"
#include "geometry/decimal.h"
#include "lesson/lesson.h"
#include "lesson/polygon_construction.h"

namespace tamirel {

namespace {

using Kind = ReplayedObject::Kind;

constexpr double kDegree = 3.14159265358979323846 / 180;
// A point made this near (canvas units) to one of the main window's vertices is that vertex.
constexpr double kVertexReach = 0.01;
// A crossing move names its crossing by a place this near to it (a file keeps four decimals).
constexpr double kCrossingReach = 0.05;
// Letters for points that are not vertices: A is the vertices', O the centre's.
constexpr const char* kLetters[] = {"B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                    "N", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};


// The crossings are filed by squares of this side, canvas units. Nearly parallel lines cross
// far off the canvas and a file may name any place, so a cell's index is held within ±2⁴⁰
// (the far squares at the edge share it, as does a place that is not a number; Within still
// decides).
constexpr double kCell = 16;
constexpr double kFarthestCell = 1099511627776.0;
long long CellIndex(double coordinate) {
    const double index = std::floor(coordinate / kCell);
    return static_cast<long long>(index < kFarthestCell ? (index > -kFarthestCell ? index : -kFarthestCell) : kFarthestCell);
}
std::pair<long long, long long> Cell(Spot at) { return {CellIndex(at.x), CellIndex(at.y)}; }
// Whether a and b are no farther apart than `reach` (without a square root: it runs for every
// crossing a move makes).
bool Within(Spot a, Spot b, double reach) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) <= reach * reach; }

// How far `s` lies from the line through a and b.
double OffLine(const ReplayedObject& line, Spot s) {
    const double length = Distance(line.a, line.b);
    return std::fabs((line.b.x - line.a.x) * (s.y - line.a.y) - (line.b.y - line.a.y) * (s.x - line.a.x)) / length;
}

bool SameShape(const ReplayedObject& f, const ReplayedObject& g, double close) {
    if (f.kind != g.kind) return false;
    if (f.kind == Kind::Circle) return Distance(f.a, g.a) <= close && std::fabs(f.radius - g.radius) <= close;
    return OffLine(f, g.a) <= close && OffLine(f, g.b) <= close;
}

// An angle as the construction's sentences write it: "60", or "≈ 51,43" where it is not whole.
std::string Degrees(double value) { return (value == std::round(value) ? "" : "≈ ") + DecimalText(value); }

// "k₁": appending, as GCC 12 warns falsely about "k" + text (-Wrestrict).
std::string Numbered(const char* letter, int number) {
    std::string name = letter;
    name += SubscriptNumber(number);
    return name;
}

}  // namespace

std::size_t PointsOfMove(AttemptTool tool) {
    return tool == AttemptTool::Crossing ? 0 : tool == AttemptTool::Opening ? 3 : 2;
}

Attempt::Attempt(double radius, int n)
    : radius_(radius), n_(n), worked_(BuildConstruction(radius, n)), workedReplay_(ReplayConstruction(worked_)),
      close_(1e-6 * radius) {
    for (const ScenePoint& v : MainWindowVertices(radius, n)) vertices_.push_back({v.x, v.y});
    Restart();
}

void Attempt::Restart() {
    points_.clear();
    objects_.clear();
    sides_.clear();
    crossings_.clear();
    grid_.clear();
    moves_.clear();
    undone_.clear();
    hints_ = 0;
    // What the worked construction is given: the circle k about O and the point A₁ on it.
    const ReplayedPoint& centre = workedReplay_.points[0];
    const ReplayedObject& k = workedReplay_.objects[0];
    points_.push_back({centre.name, centre.at, 0, std::nullopt});
    const ReplayedPoint* a1 = workedReplay_.Point(VertexName(1));
    points_.push_back({a1->name, a1->at, 1, std::nullopt});   // no crossings yet to mark
    objects_.push_back({k, true});
    objects_.back().shape.step = 0;
}

const AttemptPoint* Attempt::Find(const std::string& name) const {
    for (const AttemptPoint& p : points_)
        if (p.name == name) return &p;
    return nullptr;
}

std::string Attempt::NextLetter() const {
    for (int round = 0;; ++round)
        for (const char* letter : kLetters) {
            std::string name = letter;
            if (round > 0) name += SubscriptNumber(round);
            if (!Find(name)) return name;
        }
}

std::optional<std::size_t> Attempt::MatchPoint(Spot at) const {
    for (std::size_t i = 0; i < points_.size(); ++i)
        if (Within(points_[i].at, at, close_)) return i;
    return std::nullopt;
}

const AttemptObject* Attempt::Existing(const ReplayedObject& shape, bool ray) const {
    for (const AttemptObject& o : objects_) {
        if (o.ray != ray || !SameShape(o.shape, shape, close_)) continue;
        // Rays are one when they start at one point and go the same way.
        if (ray && (Distance(o.shape.a, shape.a) > close_ || (o.shape.b.x - o.shape.a.x) * (shape.b.x - shape.a.x) +
                                                                     (o.shape.b.y - o.shape.a.y) * (shape.b.y - shape.a.y) <= 0))
            continue;
        return &o;
    }
    return nullptr;
}

int Attempt::Counted(Kind kind, bool ray) const {
    return static_cast<int>(
        std::count_if(objects_.begin(), objects_.end(), [&](const AttemptObject& o) { return o.shape.kind == kind && o.ray == ray; }));
}

bool Attempt::Drawn(const ReplayedObject& shape) const { return Existing(shape) || Existing(shape, true); }

void Attempt::AddObject(ReplayedObject shape, bool ray) {
    const double tolerance = 1e-9 * radius_;
    // Whether `at` lies on object o where o is a ray: not behind its start.
    const auto ahead = [&](const AttemptObject& o, Spot at) {
        return !o.ray || (o.shape.b.x - o.shape.a.x) * (at.x - o.shape.a.x) + (o.shape.b.y - o.shape.a.y) * (at.y - o.shape.a.y) >=
                             -close_ * Distance(o.shape.a, o.shape.b);
    };
    objects_.push_back({std::move(shape), false, ray});
    const AttemptObject& added = objects_.back();
    for (std::size_t i = 0; i + 1 < objects_.size(); ++i) {
        const Meeting meeting = Meet(objects_[i].shape, added.shape, tolerance);
        for (const Spot at : meeting.at)
            if (ahead(objects_[i], at) && ahead(added, at)) {
                // Where several objects pass through one place, its first crossing stands for it.
                bool repeated = false;
                NearCrossings(at, close_, [&](std::size_t) { repeated = true; });
                grid_[Cell(at)].push_back(crossings_.size());
                crossings_.push_back({{at, i, objects_.size() - 1, meeting.kind == Meeting::Kind::Tangent},
                                      repeated || MatchPoint(at).has_value()});
            }
    }
}

template <typename Visit>
void Attempt::NearCrossings(Spot at, double reach, Visit visit) const {
    const auto [left, top] = Cell({at.x - reach, at.y - reach});
    const auto [right, bottom] = Cell({at.x + reach, at.y + reach});
    for (long long x = left; x <= right; ++x)
        for (long long y = top; y <= bottom; ++y) {
            const auto cell = grid_.find({x, y});
            if (cell == grid_.end()) continue;
            for (const std::size_t i : cell->second)
                if (Within(crossings_[i].crossing.at, at, reach)) visit(i);
        }
}

void Attempt::AddPoint(AttemptPoint point) {
    NearCrossings(point.at, close_, [&](std::size_t i) { crossings_[i].closed = true; });
    points_.push_back(std::move(point));
}

std::vector<AttemptCrossing> Attempt::Crossings() const {
    std::vector<AttemptCrossing> open;
    for (const StoredCrossing& s : crossings_)
        if (!s.closed) open.push_back(s.crossing);
    return open;
}

std::optional<AttemptCrossing> Attempt::NearestCrossing(Spot at, double reach) const {
    std::optional<AttemptCrossing> nearest;
    double best = reach * reach;
    const auto consider = [&](const StoredCrossing& s) {
        if (s.closed) return;
        const double dx = s.crossing.at.x - at.x, dy = s.crossing.at.y - at.y, d = dx * dx + dy * dy;
        if (d <= best) {
            best = d;
            nearest = s.crossing;
        }
    };
    // A pick's reach spans a few cells; a wider one looks at every crossing.
    if (reach <= 4 * kCell) {
        NearCrossings(at, reach, [&](std::size_t i) { consider(crossings_[i]); });
    } else {
        for (const StoredCrossing& s : crossings_) consider(s);
    }
    return nearest;
}

MoveOutcome Attempt::Take(const AttemptMove& move) {
    MoveOutcome outcome = Apply(move);
    if (outcome.taken) undone_.clear();
    return outcome;
}

bool Attempt::Undo() {
    if (moves_.empty()) return false;
    std::vector<AttemptMove> kept(moves_.begin(), moves_.end() - 1);
    AttemptMove last = moves_.back();
    std::vector<AttemptMove> undone = std::move(undone_);
    const int hints = hints_;
    Restart();
    for (const AttemptMove& m : kept) Apply(m);
    undone_ = std::move(undone);
    undone_.push_back(std::move(last));
    hints_ = hints;
    return true;
}

bool Attempt::Redo() {
    if (undone_.empty()) return false;
    const AttemptMove move = undone_.back();
    undone_.pop_back();
    Apply(move);
    return true;
}

MoveOutcome Attempt::Apply(const AttemptMove& move) {
    const auto refuse = [](std::string said) { return MoveOutcome{false, std::move(said)}; };
    if (move.points.size() != PointsOfMove(move.tool)) return refuse(Say(Message::AttemptBadMove));
    std::vector<const AttemptPoint*> at;
    for (const std::string& name : move.points) {
        const AttemptPoint* p = Find(name);
        if (!p) return refuse(Say(Message::AttemptNotMade, {{"point", name}}));
        at.push_back(p);
    }
    if (move.tool == AttemptTool::Protractor && exact())
        return refuse(Say(Message::AttemptNoProtractor, {{"polygon", PolygonTitle(n_, std::to_string(n_))}}));
    // The first two points of a line, a circle, an opening, an arm or a side lie apart.
    if (move.tool != AttemptTool::Crossing && Distance(at[0]->at, at[1]->at) <= close_)
        return refuse(Say(Message::AttemptSamePoint));
    std::string said;
    switch (move.tool) {
        case AttemptTool::Straightedge: {
            const ReplayedObject line{at[0]->name + at[1]->name, Kind::Line, at[0]->at, at[1]->at, 0, moves_.size()};
            if (const AttemptObject* o = Existing(line)) return refuse(Say(Message::AttemptLineDrawn, {{"line", o->shape.name}}));
            said = Say(Message::AttemptLine, {{"line", line.name}});
            AddObject(line);
            break;
        }
        case AttemptTool::Compass:
        case AttemptTool::Opening: {
            const bool opening = move.tool == AttemptTool::Opening;
            const AttemptPoint& centre = *at[opening ? 2 : 0];
            const ReplayedObject circle{Numbered("k", Counted(Kind::Circle, false)), Kind::Circle, centre.at, centre.at,
                                        Distance(at[0]->at, at[1]->at), moves_.size()};
            if (const AttemptObject* o = Existing(circle))
                return refuse(Say(Message::AttemptCircleDrawn, {{"circle", o->shape.name}}));
            said = opening ? Say(Message::AttemptOpening, {{"circle", circle.name}, {"centre", centre.name},
                                                           {"opening", at[0]->name + at[1]->name}})
                           : Say(Message::AttemptCircle, {{"circle", circle.name}, {"centre", centre.name}, {"through", at[1]->name}});
            AddObject(circle);
            break;
        }
        case AttemptTool::Protractor: {
            // The central angle, counter-clockwise on the screen (whose Y axis points down).
            const double angle = 360.0 / n_, c = std::cos(angle * kDegree), s = std::sin(angle * kDegree);
            const Spot v = at[0]->at, d{at[1]->at.x - v.x, at[1]->at.y - v.y};
            const ReplayedObject arm{Numbered("h", Counted(Kind::Line, true) + 1), Kind::Line, v, {v.x + d.x * c + d.y * s, v.y - d.x * s + d.y * c}, 0,
                                     moves_.size()};
            if (const AttemptObject* o = Existing(arm, true))
                return refuse(Say(Message::AttemptLineDrawn, {{"line", o->shape.name}}));
            said = Say(Message::AttemptArm, {{"line", arm.name}, {"angle", Degrees(angle)}, {"vertex", at[0]->name}});
            AddObject(arm, true);
            break;
        }
        case AttemptTool::Sides: {
            const std::size_t from = static_cast<std::size_t>(at[0] - points_.data());
            const std::size_t to = static_cast<std::size_t>(at[1] - points_.data());
            const std::string side = at[0]->name + at[1]->name;
            for (const AttemptSide& s : sides_)
                if ((s.from == from && s.to == to) || (s.from == to && s.to == from))
                    return refuse(Say(Message::AttemptSideDrawn, {{"side", side}}));
            sides_.push_back({from, to});
            said = Say(Message::AttemptSide, {{"side", side}});
            break;
        }
        case AttemptTool::Crossing: {
            const std::optional<AttemptCrossing> nearest = NearestCrossing(move.at, kCrossingReach);
            if (!nearest) return refuse(Say(Message::AttemptNoCrossing));
            const std::string& first = objects_[nearest->first].shape.name;
            const std::string& second = objects_[nearest->second].shape.name;
            const auto called = [&](std::size_t i) { return ObjectWords(objects_[i].shape); };
            if (nearest->tangent) return refuse(Say(Message::AttemptTangent, {{"first", first}, {"second", second}}));
            int vertex = 0;
            for (std::size_t k = 0; k < vertices_.size(); ++k)
                if (Distance(vertices_[k], nearest->at) <= kVertexReach && !Find(VertexName(static_cast<int>(k) + 1)))
                    vertex = static_cast<int>(k) + 1;
            const std::string name = vertex ? VertexName(vertex) : NextLetter();
            AddPoint({name, nearest->at, vertex, moves_.size()});
            said = Say(Message::AttemptPoint, {{"point", name}, {"first", called(nearest->first)}, {"second", called(nearest->second)}});
            if (vertex)
                said += ' ' + Say(Message::AttemptVertex, {{"polygon", RegularPolygonName(n_, std::to_string(n_), true)},
                                                           {"made", std::to_string(VerticesMade())},
                                                           {"n", std::to_string(n_)}});
            break;
        }
    }
    moves_.push_back(move);
    if (move.tool == AttemptTool::Crossing) moves_.back().at = points_.back().at;
    if (Done()) said += ' ' + Verdict();
    return {true, said};
}

int Attempt::LinesAndCircles() const { return static_cast<int>(objects_.size()) - 1; }

int Attempt::WorkedLinesAndCircles() const {
    return static_cast<int>(std::count_if(worked_.steps.begin(), worked_.steps.end(), [](const Step& s) {
        return s.tool == Tool::Straightedge || s.tool == Tool::Compass || s.tool == Tool::Protractor;
    }));
}

int Attempt::VerticesMade() const {
    return static_cast<int>(std::count_if(points_.begin(), points_.end(), [](const AttemptPoint& p) { return p.vertex > 0; }));
}

bool Attempt::Done() const {
    if (VerticesMade() != n_) return false;
    for (int k = 1; k <= n_; ++k) {
        const int next = k % n_ + 1;
        const bool side = std::any_of(sides_.begin(), sides_.end(), [&](const AttemptSide& s) {
            const int a = points_[s.from].vertex, b = points_[s.to].vertex;
            return (a == k && b == next) || (a == next && b == k);
        });
        if (!side) return false;
    }
    return true;
}

std::string MoveCountWords(int count) {
    return count == 1 ? Say(Message::AttemptMovesOne) : Say(Message::AttemptMovesMany, {{"count", std::to_string(count)}});
}

std::string Attempt::Verdict() const {
    if (!Done()) return {};
    std::string text = Say(Message::AttemptVerdict, {{"polygon", RegularPolygonName(n_, std::to_string(n_))},
                                                     {"moves", MoveCountWords(LinesAndCircles())},
                                                     {"worked", std::to_string(WorkedLinesAndCircles())}});
    if (hints_ > 0) text += ' ' + Say(Message::AttemptHintsUsed, {{"hints", std::to_string(hints_)}});
    return text;
}

std::optional<AttemptHint> Attempt::Hint() {
    std::optional<AttemptHint> hint = PeekHint();
    if (hint) ++hints_;
    return hint;
}

std::optional<AttemptHint> Attempt::PeekHint() const {
    const auto pupils = [&](const std::string& worked) -> std::optional<std::size_t> {
        const ReplayedPoint* p = workedReplay_.Point(worked);
        return p ? MatchPoint(p->at) : std::nullopt;
    };
    const auto called = [&](const ReplayedObject& shape) {
        for (const AttemptObject& o : objects_)
            if (SameShape(o.shape, shape, close_)) return ObjectWords(o.shape);
        return shape.name;
    };
    for (const Step& step : worked_.steps) {
        if (step.tool == Tool::Given) continue;
        if (step.tool == Tool::Sides) {
            if (VerticesMade() != n_) continue;
            for (int k = 1; k <= n_; ++k) {
                const std::size_t from = *pupils(VertexName(k)), to = *pupils(VertexName(k % n_ + 1));
                const bool drawn = std::any_of(sides_.begin(), sides_.end(), [&](const AttemptSide& s) {
                    return (s.from == from && s.to == to) || (s.from == to && s.to == from);
                });
                if (drawn) continue;
                const std::string side = points_[from].name + points_[to].name;
                return AttemptHint{{AttemptTool::Sides, {points_[from].name, points_[to].name}, {}}, {from, to},
                                   Say(Message::AttemptHintSide, {{"side", side}})};
            }
            continue;
        }
        const ReplayedObject* shape = workedReplay_.Object(step.draws);
        if (shape && !Drawn(*shape)) {
            std::vector<std::size_t> uses;
            for (const std::string& name : step.uses) {
                const std::optional<std::size_t> i = pupils(name);
                if (!i) break;
                uses.push_back(*i);
            }
            if (uses.size() != step.uses.size()) continue;
            const auto name = [&](std::size_t k) { return points_[uses[k]].name; };
            AttemptHint hint;
            hint.uses = uses;
            if (step.tool == Tool::Straightedge) {
                hint.move = {AttemptTool::Straightedge, {name(0), name(1)}, {}};
                hint.said = Say(Message::AttemptHintLine, {{"first", name(0)}, {"second", name(1)}});
            } else if (step.tool == Tool::Compass && uses.size() == 2) {
                hint.move = {AttemptTool::Compass, {name(0), name(1)}, {}};
                hint.said = Say(Message::AttemptHintCircle, {{"centre", name(0)}, {"through", name(1)}});
            } else if (step.tool == Tool::Compass) {
                hint.move = {AttemptTool::Opening, {name(1), name(2), name(0)}, {}};
                hint.said = Say(Message::AttemptHintOpening, {{"centre", name(0)}, {"opening", name(1) + name(2)}});
            } else {
                hint.move = {AttemptTool::Protractor, {name(0), name(1)}, {}};
                hint.said = Say(Message::AttemptHintArm,
                                {{"angle", Degrees(step.value)}, {"vertex", name(0)}, {"ray", name(0) + name(1)}});
            }
            return hint;
        }
        for (const NewPoint& made : step.makes) {
            const ReplayedPoint* point = workedReplay_.Point(made.name);
            const ReplayedObject* first = workedReplay_.Object(made.first);
            const ReplayedObject* second = workedReplay_.Object(made.second);
            if (!point || MatchPoint(point->at) || !first || !second || !Drawn(*first) || !Drawn(*second)) continue;
            return AttemptHint{{AttemptTool::Crossing, {}, point->at}, {},
                               Say(Message::AttemptHintPoint, {{"first", called(*first)}, {"second", called(*second)}})};
        }
    }
    return std::nullopt;
}

std::string Attempt::MoveText(std::size_t move) const {
    const AttemptMove& m = moves_.at(move);
    // The object, side or point the move made, as its sentence named it.
    for (const AttemptObject& o : objects_)
        if (!o.given && o.shape.step == move) {
            switch (m.tool) {
                case AttemptTool::Straightedge: return Say(Message::AttemptMoveLine, {{"line", o.shape.name}});
                case AttemptTool::Compass:
                    return Say(Message::AttemptMoveCircle, {{"circle", o.shape.name}, {"centre", m.points[0]}, {"through", m.points[1]}});
                case AttemptTool::Opening:
                    return Say(Message::AttemptMoveOpening,
                               {{"circle", o.shape.name}, {"centre", m.points[2]}, {"opening", m.points[0] + m.points[1]}});
                default:
                    return Say(Message::AttemptMoveArm, {{"line", o.shape.name}, {"angle", Degrees(360.0 / n_)}, {"vertex", m.points[0]}});
            }
        }
    if (m.tool == AttemptTool::Sides) return Say(Message::AttemptMoveSide, {{"side", m.points[0] + m.points[1]}});
    // A point: named with the first pair of objects that cross where it stands.
    const AttemptPoint& p = *std::find_if(points_.begin(), points_.end(), [&](const AttemptPoint& q) { return q.move == move; });
    for (const StoredCrossing& k : crossings_)
        if (Within(k.crossing.at, p.at, close_)) {
            const AttemptCrossing& c = k.crossing;
            return Say(Message::AttemptMovePoint,
                       {{"point", p.name}, {"first", objects_[c.first].shape.name}, {"second", objects_[c.second].shape.name}});
        }
    return p.name;
}

// The file.

std::string AttemptToText(const Attempt& attempt) {
    // One record a line, its fields after single spaces (appended one by one: GCC 12 warns
    // falsely about chains of string additions, -Wrestrict).
    std::string text;
    const auto record = [&](std::initializer_list<std::string_view> fields) {
        bool first = true;
        for (const std::string_view field : fields) {
            if (!first) text += ' ';
            text += field;
            first = false;
        }
        text += '\n';
    };
    std::string radius = DecimalText(attempt.radius());
    std::replace(radius.begin(), radius.end(), ',', '.');
    record({"tamirel-attempt", std::to_string(kAttemptVersion)});
    record({"figure", radius, std::to_string(attempt.n())});
    record({"hints", std::to_string(attempt.hintsUsed())});
    static constexpr const char* kWords[] = {"line", "circle", "opening", "point", "side", "protractor"};
    for (const AttemptMove& move : attempt.moves()) {
        text += kWords[static_cast<int>(move.tool)];
        if (move.tool == AttemptTool::Crossing) {
            text += ' ';
            text += PrintfFixed(move.at.x, 4);
            text += ' ';
            text += PrintfFixed(move.at.y, 4);
        }
        for (const std::string& p : move.points) {
            text += ' ';
            text += p;
        }
        text += '\n';
    }
    record({"end", std::to_string(attempt.moves().size())});
    return text;
}

namespace {

// The whole text as a count: digits only, no sign, no leading zeros but a lone 0, at most nine.
bool ReadCount(std::string_view text, long& value) {
    if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0')) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// A coordinate as the writer gives it: an optional '-', digits, and a '.' with digits, at most
// 24 characters (no exponent: a file may not make the reader work through a long one).
bool ReadCoordinate(std::string_view text, double& value) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (text.size() > 24 || digits.empty() || digits.front() == '.' || digits.back() == '.' ||
        digits.find_first_not_of(".0123456789") != std::string_view::npos ||
        std::count(digits.begin(), digits.end(), '.') > 1)
        return false;
    if (!ReadDecimal(digits, value)) return false;
    if (negative) value = -value;
    return true;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(' ', start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

// A point's name: one to eight UTF-8 bytes that are no space or control character.
bool PointName(std::string_view name) {
    if (name.empty() || name.size() > 8) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) > ' ' && c != 0x7f; });
}

constexpr long kMostMoves = 2000;

}  // namespace

Attempt AttemptFromText(std::string_view text) {
    if (text.size() > kLargestAttemptFile) throw AttemptFileError(Say(Message::AttemptFileTooLarge));
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    const auto damaged = [](std::size_t line) {
        return AttemptFileError(Say(Message::AttemptFileLine, {{"line", std::to_string(line + 1)}}));
    };
    const std::vector<std::string_view> kind = lines.empty() ? std::vector<std::string_view>{} : Fields(lines[0]);
    if (kind.size() != 2 || kind[0] != "tamirel-attempt") throw AttemptFileError(Say(Message::AttemptFileForeign));
    long version = 0;
    if (!ReadCount(kind[1], version) || version < 1) throw damaged(0);
    if (version > kAttemptVersion)
        throw AttemptFileError(Say(Message::AttemptFileNewer, {{"version", std::to_string(version)},
                                                               {"ours", std::to_string(kAttemptVersion)}}));
    // A file cut short ends before its end record, often within a line.
    if (std::none_of(lines.begin(), lines.end(), [](std::string_view line) { return line.substr(0, 4) == "end "; }))
        throw AttemptFileError(Say(Message::AttemptFileCut));
    const std::vector<std::string_view> figure = Fields(lines[1]);
    if (figure.size() != 3 || figure[0] != "figure") throw damaged(1);
    const std::vector<std::string> radii = ListItems(1), counts = ListItems(2);
    if (std::find(radii.begin(), radii.end(), figure[1]) == radii.end() ||
        std::find(counts.begin(), counts.end(), figure[2]) == counts.end())
        throw AttemptFileError(Say(Message::AttemptFileFigure, {{"line", "2"}}));
    double radius = 0;
    long n = 0;
    if (!ReadDecimal(figure[1], radius) || !ReadCount(figure[2], n)) throw damaged(1);
    Attempt attempt(radius, static_cast<int>(n));
    const std::vector<std::string_view> hints = Fields(lines[2]);
    long hintsUsed = 0;
    if (hints.size() != 2 || hints[0] != "hints" || !ReadCount(hints[1], hintsUsed)) throw damaged(2);

    static constexpr std::pair<std::string_view, AttemptTool> kTools[] = {
        {"line", AttemptTool::Straightedge}, {"circle", AttemptTool::Compass}, {"opening", AttemptTool::Opening},
        {"point", AttemptTool::Crossing},    {"side", AttemptTool::Sides},     {"protractor", AttemptTool::Protractor}};
    std::size_t i = 3;
    long moves = 0;
    for (;; ++i) {
        if (i >= lines.size()) throw AttemptFileError(Say(Message::AttemptFileCut));
        const std::vector<std::string_view> fields = Fields(lines[i]);
        if (fields[0] == "end") {
            long count = 0;
            if (fields.size() != 2 || !ReadCount(fields[1], count) || count != moves) throw damaged(i);
            break;
        }
        const auto tool = std::find_if(std::begin(kTools), std::end(kTools), [&](const auto& t) { return t.first == fields[0]; });
        if (tool == std::end(kTools) || ++moves > kMostMoves) throw damaged(i);
        AttemptMove move;
        move.tool = tool->second;
        if (move.tool == AttemptTool::Crossing) {
            if (fields.size() != 3 || !ReadCoordinate(fields[1], move.at.x) || !ReadCoordinate(fields[2], move.at.y)) throw damaged(i);
        } else {
            for (std::size_t f = 1; f < fields.size(); ++f) {
                if (!PointName(fields[f])) throw damaged(i);
                move.points.emplace_back(fields[f]);
            }
        }
        const MoveOutcome outcome = attempt.Take(move);
        if (!outcome.taken)
            throw AttemptFileError(Say(Message::AttemptFileReplay,
                                       {{"move", std::to_string(moves)}, {"line", std::to_string(i + 1)}, {"reason", outcome.said}}));
    }
    for (++i; i < lines.size(); ++i)
        if (!lines[i].empty()) throw damaged(i);
    attempt.hints_ = static_cast<int>(hintsUsed);
    return attempt;
}

}  // namespace tamirel
