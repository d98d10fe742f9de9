#include "lesson/lesson.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "form/markup.h"
#include "form/messages.h"
#include "form/number_text.h"
#include "form/polygon_names.h"
#include "geometry/decimal.h"
#include "geometry/draw_polygon.h"
#include "geometry/numeric.h"
#include "lesson/label_layout.h"
#include "lesson/page.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

// A canvas that keeps what DrawPolygon hands it, on the main canvas's 1000 x 1000 scale.
class VertexRecorder : public FigureCalls {
public:
    void Circle(float x, float y, float radius) override {
        centre = {x, y};
        this->radius = radius;
    }
    void PSet(float x, float y) override { points.push_back({x, y}); }
    void Line(float x, float y) override { points.push_back({x, y}); }

    ScenePoint centre;
    double radius = 0;
    std::vector<ScenePoint> points;   // the start vertex, then each line's end
};

// A list of one item, as the main window's lists give a chosen radius or count.
class OneItem : public ListBox {
public:
    explicit OneItem(std::string text) : text_(std::move(text)) {}
    std::int16_t ListIndex() const override { return 0; }
    void SetListIndex(std::int16_t) override {}
    std::string List(std::int16_t index) const override { return index == 0 ? text_ : std::string(); }

private:
    std::string text_;
};

std::string Whole(double n) { return std::to_string(static_cast<long long>(n)); }

// Degrees counter-clockwise on screen from the X axis, of the direction from p to q.
double Direction(ScenePoint p, ScenePoint q) {
    return std::atan2(-(q.y - p.y), q.x - p.x) * 180 / 3.14159265358979323846;
}

double Positive(double degrees) { return degrees <= 0 ? degrees + 360 : degrees; }

ScenePoint Middle(ScenePoint p, ScenePoint q) { return {(p.x + q.x) / 2, (p.y + q.y) / 2}; }

double Length(ScenePoint p, ScenePoint q) { return std::hypot(q.x - p.x, q.y - p.y); }

// A new item at the end of `items`, for its caller to finish.
SceneItem& Add(std::vector<SceneItem>& items, SceneItem::Kind kind, Ink ink, ScenePoint a, ScenePoint b = {}) {
    SceneItem& item = items.emplace_back();
    item.kind = kind;
    item.ink = ink;
    item.a = a;
    item.b = b;
    return item;
}

void Arc(std::vector<SceneItem>& items, ScenePoint centre, double radius, double start, double sweep) {
    SceneItem& item = Add(items, SceneItem::Kind::Arc, Ink::Highlight, centre);
    item.radius = radius;
    item.startDegrees = start;
    item.sweepDegrees = sweep;
}

// A label beside the segment pq towards `degrees`, as near its middle as is clear, else
// wherever PlaceLabel finds room round the middle.
void PlaceBeside(Scene& scene, Ink ink, const std::string& text, ScenePoint p, ScenePoint q, double degrees,
                 const LabelRegion& region) {
    const double h = kLabelHeight * scene.markScale;
    for (const double t : {0.5, 0.6, 0.4, 0.7, 0.3, 0.8, 0.2}) {
        const LabelSpot spot{{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)}, degrees, 0.15 * h, region, h};
        const LabelPlace place = FindLabelPlace(scene, text, spot);
        if (place.clear) {
            Add(scene.items, SceneItem::Kind::Label, ink, place.centre).text = text;
            return;
        }
    }
    PlaceLabel(scene, ink, text, {Middle(p, q), degrees, 0.15 * h, region});
}

// A result as the lesson shows it: a whole number of hundredths, "=" when it is the exact value
// of exact figures, and two decimals when this step rounded it (otherwise no trailing zeros,
// as a calculator shows the same arithmetic).
struct Shown {
    long long hundredths = 0;
    bool exact = true;
    bool rounded = false;

    std::string Digits() const {
        std::string s = std::to_string(hundredths / 100);
        const long long cents = hundredths % 100;
        if (rounded || cents != 0) {
            s += ',';
            s += static_cast<char>('0' + cents / 10);
            if (rounded || cents % 10 != 0) s += static_cast<char>('0' + cents % 10);
        }
        const std::size_t wholeEnd = std::min(s.find(','), s.size());
        if (wholeEnd >= 5) {
            for (std::size_t at = wholeEnd; at > 3; at -= 3) s.insert(at - 3, "\u00A0");
        }
        return s;
    }
    double Value() const { return static_cast<double>(hundredths) / 100; }
};

// numerator / denominator (both > 0, the figures put in `exact` or not) rounded half up to
// hundredths: exact integer arithmetic, so the last digit is a calculator's.
Shown Quotient(long long numerator, long long denominator, bool exact) {
    const long long scaled = numerator * 100;
    Shown shown{scaled / denominator, exact, scaled % denominator != 0};
    if (2 * (scaled % denominator) >= denominator) ++shown.hundredths;
    shown.exact = exact && !shown.rounded;
    return shown;
}

// A value of no exact decimal form (a sine or cosine times the radius) rounded to hundredths.
Shown Irrational(double value) { return {std::llround(value * 100), false, true}; }

}  // namespace

LessonValue FormatLessonValue(double value) {
    const double hundredths = value * 100;
    const double nearest = std::round(hundredths);
    LessonValue out;
    out.exact = std::fabs(hundredths - nearest) <= 1e-11 * std::max(1.0, std::fabs(hundredths));
    std::string s = FixedPoint(out.exact ? nearest / 100 : value, 2);
    if (out.exact) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    const std::size_t point = s.find('.');
    if (point != std::string::npos) s[point] = ',';
    const std::size_t sign = s.front() == '-' ? 1 : 0;
    const std::size_t wholeEnd = point == std::string::npos ? s.size() : point;
    if (wholeEnd - sign >= 5) {
        for (std::size_t at = wholeEnd; at > sign + 3; at -= 3) s.insert(at - 3, "\u00A0");
    }
    out.digits = s;
    return out;
}

std::string LessonNumber::Text() const {
    return Say(Message::LessonNumber, {{"name", name}, {"working", Working()}});
}

std::string LessonNumber::Working() const {
    return Say(Message::LessonWorking, {{"formula", formula}, {"putIn", putIn}, {"result", result}});
}

std::string Lesson::Description() const {
    if (title.empty()) return Say(Message::NoFigure);
    std::string text = Say(Message::LessonHeading, {{"title", title}, {"givens", givens}});
    for (const LessonNumber& number : numbers) {
        text += '\n';
        text += Say(Message::LessonSentence, {{"text", number.Text()}});
    }
    return text;
}

namespace {

// The main window draws clockwise on screen from the bottom-right vertex, closing on the first
// one; the letters go the other way from the bottom-left one: A₁, A₂, … as `drawn` gives them.
std::vector<ScenePoint> Lettered(const std::vector<ScenePoint>& drawn, int n) {
    std::vector<ScenePoint> vertices;
    for (int k = 0; k < n; ++k) vertices.push_back(drawn[static_cast<std::size_t>((n + 1 - k) % n)]);
    return vertices;
}

}  // namespace

std::vector<ScenePoint> MainWindowVertices(double radius, int n) {
    VertexRecorder canvas;
    DrawPolygon(canvas, OneItem(PrintfFixed(radius, 6)), OneItem(std::to_string(n)));
    if (n < 3 || canvas.points.size() != static_cast<std::size_t>(n) + 1) return {};
    return Lettered(canvas.points, n);
}

Lesson MakeLesson(const ListBox& radii, const ListBox& counts, bool diagonals) {
    VertexRecorder canvas;
    DrawPolygon(canvas, radii, counts);
    const double R = TextToNumber(radii.List(radii.ListIndex()));
    const double n = TextToNumber(counts.List(counts.ListIndex()));
    Lesson lesson;
    if (!(R > 0) || !(n >= 3) || n != std::floor(n) || canvas.points.size() != static_cast<std::size_t>(n) + 1) {
        return lesson;
    }
    const int count = static_cast<int>(n);
    const auto N = static_cast<long long>(count);
    const std::string countText = Whole(n);
    const Shown givenR{std::llround(R * 100), true, false};
    const std::string radius = givenR.Digits();
    lesson.title = PolygonTitle(n, countText);
    lesson.givens = Say(Message::Givens, {{"radius", radius}, {"n", countText}});

    // The numbers, each worked out from the figures put in as they are shown: the catalogue's
    // name, formula and put-in figures (message, message + 1, message + 2), and the result in
    // `unit` (Degrees, Units, SquareUnits).
    const auto add = [&](Message message, std::initializer_list<Place> figures, const Shown& shown, Message unit) {
        const auto at = [message](int k) { return static_cast<Message>(static_cast<int>(message) + k); };
        const std::string digits = shown.Digits();
        lesson.numbers.push_back({Say(message), Say(at(1)), Say(at(2), figures),
                                  Say(unit, {{"relation", shown.exact ? "=" : "≈"}, {"value", digits}}), shown.Value()});
        return digits;
    };
    const std::string& nt = countText;
    const Shown interior = Quotient((N - 2) * 180, N, true);
    add(Message::InteriorAngle, {{"n", nt}}, interior, Message::Degrees);
    const Shown central = Quotient(360, N, true);
    add(Message::CentralAngle, {{"n", nt}}, central, Message::Degrees);
    add(Message::AngleSum, {{"n", nt}}, Quotient((N - 2) * 180, 1, true), Message::Degrees);
    // sin 30° = 1/2 and cos 60° = 1/2 are the only rational values among these sines and
    // cosines: the side of the hexagon and the apothem of the triangle are exact.
    const double shownR = givenR.Value();
    const Shown a = count == 6 ? givenR : Irrational(2 * shownR * std::sin(std::numbers::pi / n));
    const Shown r = count == 3 ? Quotient(givenR.hundredths, 200, true) : Irrational(shownR * std::cos(std::numbers::pi / n));
    const Shown P{N * a.hundredths, a.exact, false};
    const Shown S = Quotient(P.hundredths * r.hundredths, 20000, P.exact && r.exact);
    const std::string side = add(Message::Side, {{"radius", radius}, {"n", nt}}, a, Message::Units);
    const std::string perimeter = add(Message::Perimeter, {{"n", nt}, {"side", side}}, P, Message::Units);
    const std::string apothem = add(Message::Apothem, {{"radius", radius}, {"n", nt}}, r, Message::Units);
    add(Message::Area, {{"perimeter", perimeter}, {"apothem", apothem}}, S, Message::SquareUnits);

    for (int k = 0; k < count; ++k) lesson.letters.push_back(VertexName(k + 1));
    lesson.vertices = Lettered(canvas.points, count);
    const std::vector<ScenePoint>& v = lesson.vertices;
    const auto vertex = [&](int k) { return v[static_cast<std::size_t>((k + count) % count)]; };
    const ScenePoint O = canvas.centre, A1 = v[0], A2 = v[1], A3 = v[2], An = vertex(-1);
    // The apothem goes to the side A₂A₃, clear of the central angle A₁OA₂.
    const ScenePoint M = Middle(A2, A3);
    // Marks as designed at R = 300, in proportion to the figure, so that a view filling itself
    // with the scene's square shows letters and pens alike for every radius.
    const double scale = canvas.radius / 300;
    const double h = kLabelHeight * scale;
    Scene& scene = lesson.scene;
    scene.markScale = scale;
    scene.focus = O;
    scene.reach = canvas.radius * kLessonReach;
    const double sideLength = Length(A1, A2);
    const double apothemLength = Length(O, M);
    const double centralDegrees = 360 / n;
    // The central angle's arc: a quarter of the radius, and never shorter than 1.3 letter
    // heights however narrow the angle, still well inside the triangle A₁OA₂.
    const double halfCentral = centralDegrees / 2 * std::numbers::pi / 180;
    const double centralArc = std::min(std::max(0.25 * canvas.radius, 0.65 * h / halfCentral), 0.6 * apothemLength);
    // The central angle's value on its bisector, straight down from O: in the triangle A₁OA₂
    // beyond the arc where the arms are far enough apart for it, else just past the side and
    // the circle.
    const std::string centralText = central.Digits() + "°";
    const LabelSize centralSize = EstimateLabelSize(centralText, scale);
    const double armPen = InkWidth(Ink::Highlight) * scale / 2, sidePen = InkWidth(Ink::Figure) * scale / 2;
    const double wideEnough = centralSize.width / 2 / std::tan(halfCentral) + armPen / std::sin(halfCentral);
    const double clearance = 0.05 * h;
    double centralTop = std::max(wideEnough, centralArc + armPen) + clearance;
    const bool centralInside = centralTop + centralSize.height + clearance <= apothemLength - sidePen;
    if (!centralInside) centralTop = std::max(wideEnough, canvas.radius + sidePen) + clearance;
    const double interiorArc = std::min(0.25 * canvas.radius, 0.3 * sideLength);

    using K = SceneItem::Kind;
    std::vector<SceneItem>& items = scene.items;
    items.reserve(static_cast<std::size_t>(3 * count + 20));
    Add(items, K::Circle, Ink::Figure, O).radius = canvas.radius;
    Add(items, K::Polygon, Ink::Figure, A1).points = v;
    Add(items, K::Segment, Ink::Highlight, O, A1);
    Add(items, K::Segment, Ink::Highlight, O, A2);
    Add(items, K::Segment, Ink::Highlight, O, M);
    Add(items, K::RightAngle, Ink::Highlight, M, O).c = A3;
    const double startA1 = Direction(O, A1);
    Arc(items, O, centralArc, startA1, centralDegrees);
    // The interior angle at Aₙ, from the side AₙA₁ round to AₙAₙ₋₁.
    const double startInterior = Direction(An, A1);
    const double interiorSweep = Positive(Direction(An, vertex(-2)) - startInterior);
    Arc(items, An, interiorArc, startInterior, interiorSweep);
    for (const ScenePoint& p : v) Add(items, K::Point, Ink::Figure, p);
    Add(items, K::Point, Ink::Figure, O);
    Add(items, K::Point, Ink::Highlight, M);

    // The labels, after everything they must keep clear of, the most bound first.
    const double gap = 0.15 * h;
    // The central angle's value inside the angle beyond its arc, as worked out above.
    PlaceLabel(scene, Ink::Highlight, centralText, {O, startA1 + centralDegrees / 2, centralTop, LabelRegion{O, startA1, centralDegrees}, h});
    // R beside OA₁ outside the central angle, r beside OM on the side of A₃, inside the circle.
    PlaceBeside(scene, Ink::Highlight, "R", O, A1, startA1 - 90, {O, Direction(O, An), centralDegrees, canvas.radius});
    PlaceBeside(scene, Ink::Highlight, "r", O, M, Direction(O, M) + 90, {O, Direction(O, M), 180, canvas.radius});
    // Each vertex's letter outside the polygon, away from the centre if it can.
    for (int k = 0; k < count; ++k) {
        const ScenePoint p = vertex(k), before = vertex(k - 1);
        const double interior = Positive(Direction(p, before) - Direction(p, vertex(k + 1)));
        PlaceLabel(scene, Ink::Figure, lesson.letters[static_cast<std::size_t>(k)],
                   {p, Direction(O, p), -1, LabelRegion{p, Direction(p, before), 360 - interior}});
    }
    // The interior angle's value inside the angle, beyond its arc.
    PlaceLabel(scene, Ink::Highlight, interior.Digits() + "°",
               {An, startInterior + interiorSweep / 2, interiorArc + gap, LabelRegion{An, startInterior, interiorSweep}});
    // O above the centre, clear of the lines from it; M outside the side A₂A₃.
    PlaceLabel(scene, Ink::Figure, "O", {O, 135, -1, std::nullopt});
    PlaceLabel(scene, Ink::Highlight, "M", {M, Direction(O, M), -1, LabelRegion{M, Direction(M, A2), 180}});
    // a below A₁A₂, or above it in the triangle A₁OA₂ where the central angle's value is below.
    if (centralInside) {
        PlaceLabel(scene, Ink::Figure, "a", {Middle(A1, A2), 270, gap, LabelRegion{Middle(A1, A2), 180, 180}});
    } else {
        PlaceLabel(scene, Ink::Figure, "a", {Middle(A1, A2), 90, gap, LabelRegion{Middle(A1, A2), 0, 180}});
    }

    // The diagonals from A₁ go under everything else, and the labels stand where they stand
    // without them, so that turning them on and off moves no letter.
    if (diagonals) {
        std::vector<SceneItem> faint;
        for (int k = 2; k < count - 1; ++k) Add(faint, K::Segment, Ink::Faint, A1, vertex(k));
        items.insert(items.begin(), faint.begin(), faint.end());
    }
    return lesson;
}

std::vector<LessonLine> LessonLines(const Lesson& lesson) {
    std::vector<LessonLine> lines;
    if (lesson.title.empty()) return lines;
    lines.push_back({lesson.title, true});
    lines.push_back({lesson.givens, false});
    for (const LessonNumber& number : lesson.numbers) {
        const std::string text = number.Text();
        if (EstimateLabelSize(text, kLessonTextSize / kLabelHeight).width <= kSceneSide + kLessonMargin) {
            lines.push_back({text, false});
            continue;
        }
        lines.push_back({Say(Message::LessonNumberName, {{"name", number.name}}), false});
        lines.push_back({number.Working(), false});
    }
    return lines;
}

double LessonPageWidth() { return kSceneSide + 2 * kLessonMargin; }

double LessonPageHeight(const Lesson& lesson) {
    return kSceneSide + 2 * kLessonMargin + kLessonLineHeight * static_cast<double>(LessonLines(lesson).size()) +
           kLessonMargin;
}

std::string LessonToSvg(const Lesson& lesson) { return PageToSvg(LessonPage(lesson), lesson.title, lesson.Description()); }

std::string LessonToJson(const Lesson& lesson) {
    // The page's measures, so that a face draws the scene and the page as LessonToSvg does.
    std::string json;
    AppendNumbers(json, {{"{\"measures\":{\"margin\":", kLessonMargin}});
    AppendJsonStrings(json, {{",\"font\":", kSceneFont}, {"},\"title\":", lesson.title}, {",\"givens\":", lesson.givens}});
    json += ",\"numbers\":[";
    for (const LessonNumber& number : lesson.numbers) {
        if (&number != &lesson.numbers.front()) json += ',';
        AppendJsonStrings(json, {{"{\"name\":", number.name}, {",\"formula\":", number.formula}, {",\"putIn\":", number.putIn},
                                 {",\"result\":", number.result}, {",\"text\":", number.Text()}});
        json += '}';
    }
    AppendJsonStrings(json, {{"],\"description\":", lesson.Description()}});
    Append(json, {",\"scene\":", SceneToJson(lesson.scene)});
    AppendJsonStrings(json, {{",\"svg\":", LessonToSvg(lesson)}});
    json += '}';
    return json;
}

}  // namespace tamirel
