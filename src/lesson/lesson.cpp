#include "lesson/lesson.h"

#include <algorithm>
#include <cmath>

#include "form/markup.h"
#include "form/number_text.h"
#include "form/polygon_names.h"
#include "geometry/draw_polygon.h"
#include "geometry/numeric.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

// A canvas that keeps what DrawPolygon hands it, on the main canvas's 1000 x 1000 scale.
class VertexRecorder : public PictureBox {
public:
    void SetScaleWidth(float) override {}
    void SetScaleHeight(float) override {}
    float ScaleWidth() const override { return 1000; }
    float ScaleHeight() const override { return 1000; }
    void SetBackColor(Colour) override {}
    void Cls() override {}
    void SetDrawStyle(std::int16_t) override {}
    std::int16_t DrawStyle() const override { return kSolid; }
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

const char* const kTimes = "·";
const char* const kMinus = "−";
const char* const kUnits = " единици";

std::string Whole(double n) { return std::to_string(static_cast<long long>(n)); }

// Degrees counter-clockwise on screen from the X axis, of the direction from p to q.
double Direction(ScenePoint p, ScenePoint q) {
    return std::atan2(-(q.y - p.y), q.x - p.x) * 180 / 3.14159265358979323846;
}

double Positive(double degrees) { return degrees <= 0 ? degrees + 360 : degrees; }

ScenePoint Toward(ScenePoint from, ScenePoint to, double distance) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (length == 0) return from;
    return {from.x + (to.x - from.x) / length * distance, from.y + (to.y - from.y) / length * distance};
}

ScenePoint Plus(ScenePoint p, ScenePoint direction, double distance) {
    const double length = std::hypot(direction.x, direction.y);
    if (length == 0) return p;
    return {p.x + direction.x / length * distance, p.y + direction.y / length * distance};
}

SceneItem Item(SceneItem::Kind kind, Ink ink, ScenePoint a, ScenePoint b = {}) {
    SceneItem item;
    item.kind = kind;
    item.ink = ink;
    item.a = a;
    item.b = b;
    return item;
}

SceneItem Label(Ink ink, ScenePoint at, std::string text) {
    SceneItem item = Item(SceneItem::Kind::Label, ink, at);
    item.text = std::move(text);
    return item;
}

SceneItem Arc(ScenePoint centre, double radius, double start, double sweep) {
    SceneItem item = Item(SceneItem::Kind::Arc, Ink::Highlight, centre);
    item.radius = radius;
    item.startDegrees = start;
    item.sweepDegrees = sweep;
    return item;
}

// Letters for n vertices: A, B, C, …, leaving out those that name the marks.
std::vector<std::string> Letters(int n) {
    std::vector<std::string> letters;
    for (char c = 'A'; c <= 'Z' && static_cast<int>(letters.size()) < n; ++c) {
        if (n > 12 && std::string_view("MOPRS").find(c) != std::string_view::npos) continue;
        letters.emplace_back(1, c);
    }
    for (int i = static_cast<int>(letters.size()); i < n; ++i) {
        letters.emplace_back("A");
        letters.back() += std::to_string(i + 1);
    }
    return letters;
}


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

std::string Lesson::Description() const {
    if (title.empty()) return "Няма избрана фигура";
    std::string text = title + ". " + givens + ".";
    for (const LessonNumber& number : numbers) {
        text += '\n';
        text += number.Text();
        text += '.';
    }
    return text;
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
    const std::string N = Whole(n);
    const std::string radius = FormatLessonValue(R).digits;
    lesson.title = PolygonTitle(n, N);
    Append(lesson.givens, {"R = ", radius, kUnits, ", n = ", N});

    // The numbers, each from the values above it as shown. Texts are joined by Append, which
    // keeps the browser's WebAssembly small.
    const auto add = [&](const char* name, std::initializer_list<std::string_view> formula,
                         std::initializer_list<std::string_view> putIn, double value, const char* unit) {
        LessonNumber number{name, {}, {}, {}, value};
        Append(number.formula, formula);
        Append(number.putIn, putIn);
        const LessonValue shown = FormatLessonValue(value);
        Append(number.result, {shown.Relation(), " ", shown.digits, unit});
        lesson.numbers.push_back(std::move(number));
        return shown.digits;
    };
    const double alpha = (n - 2) * 180 / n, central = 360 / n;
    add("Вътрешен ъгъл", {"α = (n ", kMinus, " 2)", kTimes, "180°/n"}, {"(", N, " ", kMinus, " 2)", kTimes, "180°/", N},
        alpha, "°");
    add("Централен ъгъл", {"∠AOB = 360°/n"}, {"360°/", N}, central, "°");
    add("Сбор на вътрешните ъгли", {"(n ", kMinus, " 2)", kTimes, "180°"}, {"(", N, " ", kMinus, " 2)", kTimes, "180°"},
        (n - 2) * 180, "°");
    const double a = 2 * R * std::sin(kPi / n), r = R * std::cos(kPi / n), P = n * a;
    const std::string side =
        add("Страна", {"a = 2R", kTimes, "sin(180°/n)"}, {"2", kTimes, radius, kTimes, "sin(180°/", N, ")"}, a, kUnits);
    const std::string perimeter = add("Периметър", {"P = n", kTimes, "a"}, {N, kTimes, side}, P, kUnits);
    const std::string apothem =
        add("Апотема", {"r = R", kTimes, "cos(180°/n)"}, {radius, kTimes, "cos(180°/", N, ")"}, r, kUnits);
    add("Лице", {"S = P", kTimes, "r/2"}, {perimeter, kTimes, apothem, "/2"}, P * r / 2, " кв. единици");

    // DrawPolygon goes clockwise on screen from the bottom-right vertex to the bottom-left
    // one and on; the letters go the other way from the bottom-left one.
    lesson.letters = Letters(count);
    for (int k = 0; k < count; ++k) lesson.vertices.push_back(canvas.points[static_cast<std::size_t>((count + 1 - k) % count)]);
    const std::vector<ScenePoint>& v = lesson.vertices;
    const ScenePoint O = canvas.centre, A = v[0], B = v[1], C = v[2];
    const ScenePoint M{(A.x + B.x) / 2, (A.y + B.y) / 2};
    // Marks in proportion to the figure: as designed at R = 300, and a view on screen fills
    // itself with the circle and its letters.
    const double scale = std::min(canvas.radius / 300, 1.15);
    lesson.scene.markScale = scale;
    lesson.scene.focus = O;
    lesson.scene.reach = canvas.radius + 1.9 * kLabelHeight * scale;
    const double h = kLabelHeight * scale;
    const double sideLength = std::hypot(B.x - A.x, B.y - A.y);
    const double apothemLength = std::hypot(M.x - O.x, M.y - O.y);
    const double centralArc = std::min(0.22 * canvas.radius, 0.3 * apothemLength);
    const double interiorArc = std::min(centralArc, 0.35 * sideLength);

    using K = SceneItem::Kind;
    std::vector<SceneItem>& items = lesson.scene.items;
    if (diagonals) {
        for (int k = 2; k < count - 1; ++k) items.push_back(Item(K::Segment, Ink::Faint, A, v[static_cast<std::size_t>(k)]));
    }
    SceneItem circle = Item(K::Circle, Ink::Figure, O);
    circle.radius = canvas.radius;
    items.push_back(circle);
    SceneItem polygon = Item(K::Polygon, Ink::Figure, A);
    polygon.points = v;
    items.push_back(polygon);
    items.push_back(Item(K::Segment, Ink::Highlight, O, A));
    items.push_back(Item(K::Segment, Ink::Highlight, O, M));
    SceneItem square = Item(K::RightAngle, Ink::Highlight, M, O);
    square.c = B;
    items.push_back(square);
    const double startAOB = Direction(O, A), sweepAOB = Positive(Direction(O, B) - startAOB);
    items.push_back(Arc(O, centralArc, startAOB, sweepAOB));
    const double startCBA = Direction(B, C), sweepCBA = Positive(Direction(B, A) - startCBA);
    items.push_back(Arc(B, interiorArc, startCBA, sweepCBA));
    for (const ScenePoint& vertex : v) items.push_back(Item(K::Point, Ink::Figure, vertex));
    items.push_back(Item(K::Point, Ink::Figure, O));
    items.push_back(Item(K::Point, Ink::Highlight, M));

    for (int k = 0; k < count; ++k) {
        const ScenePoint& vertex = v[static_cast<std::size_t>(k)];
        items.push_back(Label(Ink::Figure, Plus(vertex, {vertex.x - O.x, vertex.y - O.y}, 0.75 * h),
                              lesson.letters[static_cast<std::size_t>(k)]));
    }
    items.push_back(Label(Ink::Figure, {O.x + 0.6 * h, O.y - 0.6 * h}, "O"));
    items.push_back(Label(Ink::Highlight, Plus(M, {M.x - O.x, M.y - O.y}, 0.75 * h), "M"));
    // R beside the middle of OA, on the side away from M. The central angle's value left of
    // OM just past its arc, r right of OM's middle, the interior angle's value inside the angle
    // at B: three places apart for every count.
    const ScenePoint midOA{(O.x + A.x) / 2, (O.y + A.y) / 2};
    ScenePoint across{A.y - O.y, O.x - A.x};
    if (across.x * (M.x - midOA.x) + across.y * (M.y - midOA.y) > 0) across = {-across.x, -across.y};
    items.push_back(Label(Ink::Highlight, Plus(midOA, across, 0.7 * h), "R"));
    const ScenePoint onOM = Toward(O, M, std::clamp(centralArc + 0.75 * h, 0.5 * apothemLength, 0.75 * apothemLength));
    items.push_back(Label(Ink::Highlight, Plus(onOM, {B.x - M.x, B.y - M.y}, 0.6 * h), "r"));
    const std::string centralText = FormatLessonValue(central).digits + "°";
    const double glyphs = static_cast<double>(std::count_if(centralText.begin(), centralText.end(),
                                                            [](char c) { return (c & 0xC0) != 0x80; }));
    items.push_back(Label(Ink::Highlight, Plus(Toward(O, M, centralArc + 0.6 * h), {A.x - B.x, A.y - B.y}, (0.27 * glyphs + 0.2) * h),
                          centralText));
    items.push_back(Label(Ink::Highlight, Toward(B, O, interiorArc + 0.9 * h), FormatLessonValue(alpha).digits + "°"));
    return lesson;
}

std::vector<LessonLine> LessonLines(const Lesson& lesson) {
    std::vector<LessonLine> lines;
    if (lesson.title.empty()) return lines;
    lines.push_back({lesson.title, true});
    lines.push_back({lesson.givens, false});
    for (const LessonNumber& number : lesson.numbers) lines.push_back({number.Text(), false});
    return lines;
}

double LessonPageWidth() { return kSceneSide + 2 * kLessonMargin; }

double LessonPageHeight(const Lesson& lesson) {
    return kSceneSide + 2 * kLessonMargin + kLessonLineHeight * static_cast<double>(LessonLines(lesson).size()) +
           kLessonMargin;
}

std::string LessonToSvg(const Lesson& lesson) {
    const std::string width = SceneNumber(LessonPageWidth()), height = SceneNumber(LessonPageHeight(lesson));
    const std::string left = SceneNumber(-kLessonMargin);
    std::string svg;
    Append(svg, {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"",
                 width, "\" height=\"", height, "\" viewBox=\"", left, " ", left, " ", width, " ", height, "\">\n<title>",
                 EscapeXml(lesson.title.empty() ? "Tamirel" : lesson.title), "</title>\n<desc>", EscapeXml(lesson.Description()),
                 "</desc>\n<rect x=\"", left, "\" y=\"", left, "\" width=\"", width, "\" height=\"", height,
                 "\" fill=\"#ffffff\"/>\n"
                 "<svg x=\"0\" y=\"0\" width=\"1000\" height=\"1000\" viewBox=\"0 0 1000 1000\" overflow=\"visible\">\n"
                 "<g fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n",
                 SceneToSvgElements(lesson.scene), "</g>\n</svg>\n<g font-family=\"", EscapeXml(kSceneFont),
                 "\" fill=\"#000000\">\n"});
    double y = kSceneSide + kLessonMargin + kLessonLineHeight;
    for (const LessonLine& line : LessonLines(lesson)) {
        Append(svg, {"<text x=\"0\" y=\"", SceneNumber(y), "\" font-size=\"",
                     SceneNumber(line.title ? kLessonTitleSize : kLessonTextSize), "\"",
                     line.title ? " font-weight=\"bold\"" : "", ">", EscapeXml(line.text), "</text>\n"});
        y += kLessonLineHeight;
    }
    return svg + "</g>\n</svg>\n";
}

std::string LessonToJson(const Lesson& lesson) {
    // The page's measures, so that a face draws the scene and the page as LessonToSvg does.
    std::string json;
    Append(json, {"{\"measures\":{\"margin\":", SceneNumber(kLessonMargin), ",\"font\":", JsonString(kSceneFont),
                  "},\"title\":", JsonString(lesson.title), ",\"givens\":", JsonString(lesson.givens), ",\"numbers\":["});
    for (const LessonNumber& number : lesson.numbers) {
        if (&number != &lesson.numbers.front()) json += ',';
        Append(json, {"{\"name\":", JsonString(number.name), ",\"formula\":", JsonString(number.formula),
                      ",\"putIn\":", JsonString(number.putIn), ",\"result\":", JsonString(number.result),
                      ",\"text\":", JsonString(number.Text()), "}"});
    }
    Append(json, {"],\"description\":", JsonString(lesson.Description()), ",\"scene\":", SceneToJson(lesson.scene),
                  ",\"svg\":", JsonString(LessonToSvg(lesson)), "}"});
    return json;
}

}  // namespace tamirel
