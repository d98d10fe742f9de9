// The lesson layer: its numbers against values worked out here, their Bulgarian form, the
// names, and where the marks stand on the main window's figure.
#include "lesson/lesson.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <string>

#include "fakes.h"
#include "form/layout.h"
#include "geometry/draw_polygon.h"
#include "lesson/label_layout.h"
#include "lesson/scene_draw.h"

namespace tamirel {
namespace {

using testing::CallLog;
using testing::FakeListBox;

Lesson LessonFor(const std::string& radius, const std::string& count, bool diagonals = false) {
    CallLog log;
    FakeListBox radii("radii", log, {radius}, 0), counts("counts", log, {count}, 0);
    return MakeLesson(radii, counts, diagonals);
}

std::vector<std::string> Results(const Lesson& lesson) {
    std::vector<std::string> results;
    for (const LessonNumber& n : lesson.numbers) results.push_back(n.result);
    return results;
}

std::vector<const SceneItem*> Items(const Lesson& lesson, SceneItem::Kind kind) {
    std::vector<const SceneItem*> found;
    for (const SceneItem& item : lesson.scene.items)
        if (item.kind == kind) found.push_back(&item);
    return found;
}

const SceneItem* LabelNamed(const Lesson& lesson, const std::string& text) {
    for (const SceneItem* item : Items(lesson, SceneItem::Kind::Label))
        if (item->text == text) return item;
    return nullptr;
}

TEST(LessonNumbers, HexagonOfRadius300IsWorkedOutAsInTheTextbook) {
    const Lesson lesson = LessonFor("300", "6");
    EXPECT_EQ(lesson.title, "Правилен шестоъгълник");
    EXPECT_EQ(lesson.givens, "R = 300 единици, n = 6");
    EXPECT_EQ(Results(lesson), (std::vector<std::string>{"= 120°", "= 60°", "= 720°", "= 300 единици", "= 1800 единици",
                                                         "≈ 259,81 единици", "≈ 233\u00A0829 кв. единици"}));
    EXPECT_EQ(lesson.numbers[0].Text(), "Вътрешен ъгъл: α = (n − 2)·180° : n = (6 − 2)·180° : 6 = 120°");
    EXPECT_EQ(lesson.numbers[1].Text(), "Централен ъгъл: ∠A₁OA₂ = 360° : n = 360° : 6 = 60°");
    EXPECT_EQ(lesson.numbers[5].name, "Апотема r, радиусът на вписаната окръжност");
    EXPECT_EQ(lesson.numbers[6].Text(), "Лице: S = P·r : 2 = 1800·259,81 : 2 ≈ 233\u00A0829 кв. единици");
    // The square: each result from the figures shown, which a calculator confirms.
    EXPECT_EQ(Results(LessonFor("300", "4")),
              (std::vector<std::string>{"= 90°", "= 90°", "= 360°", "≈ 424,26 единици", "≈ 1697,04 единици",
                                        "≈ 212,13 единици", "≈ 179\u00A0996,55 кв. единици"}));
}

// The figures put in, as text, evaluated exactly: whole numbers and decimals as fractions,
// the sines and cosines of 30°, 60° and 90° as known, any other as a double.
struct Worked {
    long long num = 0, den = 1;
    bool rational = true;
    bool fromRounded = false;   // a figure put in was shown rounded
    double approx = 0;
};

class PutInReader {
public:
    PutInReader(std::string text, const std::vector<std::string>& rounded) : text_(std::move(text)), rounded_(rounded) {}
    Worked Read() {
        Worked value = Sum();
        EXPECT_EQ(at_, text_.size()) << "unread: " << text_.substr(at_);
        return value;
    }

private:
    static Worked Make(long long num, long long den) {
        const long long g = std::gcd(num, den);
        return {num / g, den / g, true, false, static_cast<double>(num) / static_cast<double>(den)};
    }
    static Worked Combine(const Worked& p, const Worked& q, char op) {
        Worked out;
        if (p.rational && q.rational) {
            out = op == '*'   ? Make(p.num * q.num, p.den * q.den)
                  : op == '/' ? Make(p.num * q.den, p.den * q.num)
                              : Make(p.num * q.den + (op == '+' ? 1 : -1) * q.num * p.den, p.den * q.den);
        } else {
            out.rational = false;
            out.approx = op == '*' ? p.approx * q.approx : op == '/' ? p.approx / q.approx : p.approx + (op == '+' ? 1 : -1) * q.approx;
        }
        out.fromRounded = p.fromRounded || q.fromRounded;
        return out;
    }
    bool Take(std::string_view token) {
        while (text_.compare(at_, 1, " ") == 0) ++at_;
        if (text_.compare(at_, token.size(), token) != 0) return false;
        at_ += token.size();
        while (text_.compare(at_, 1, " ") == 0) ++at_;
        return true;
    }
    Worked Sum() {
        Worked value = Product();
        for (;;) {
            if (Take("−")) value = Combine(value, Product(), '-');
            else if (Take("+")) value = Combine(value, Product(), '+');
            else return value;
        }
    }
    Worked Product() {
        Worked value = Atom();
        for (;;) {
            if (Take("·")) value = Combine(value, Atom(), '*');
            else if (Take(":")) value = Combine(value, Atom(), '/');
            else return value;
        }
    }
    Worked Atom() {
        if (Take("(")) {
            const Worked inner = Sum();
            EXPECT_TRUE(Take(")"));
            return inner;
        }
        for (const bool sine : {true, false}) {
            if (!Take(sine ? "sin(" : "cos(")) continue;
            const Worked degrees = Sum();
            EXPECT_TRUE(Take(")"));
            const double d = degrees.approx;
            // The rational ones among these: sin 30° = cos 60° = 1/2, sin 90° = 1, cos 90° = 0.
            if (degrees.rational && d == (sine ? 30 : 60)) return {1, 2, true, degrees.fromRounded, 0.5};
            if (degrees.rational && d == 90) return {sine ? 1 : 0, 1, true, degrees.fromRounded, sine ? 1.0 : 0.0};
            const double radians = d * std::acos(-1.0) / 180;
            Worked value{0, 1, false, degrees.fromRounded, sine ? std::sin(radians) : std::cos(radians)};
            return value;
        }
        std::string figure;
        while (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == ',' ||
                                      text_.compare(at_, 2, "\u00A0") == 0)) {
            if (text_[at_] == ',' || std::isdigit(static_cast<unsigned char>(text_[at_]))) figure += text_[at_++];
            else at_ += 2;
        }
        EXPECT_FALSE(figure.empty()) << "a figure at " << text_.substr(at_);
        Take("°");
        const std::size_t comma = figure.find(',');
        const std::string decimals = comma == std::string::npos ? "" : figure.substr(comma + 1);
        long long scale = 1;
        for (std::size_t i = 0; i < decimals.size(); ++i) scale *= 10;
        Worked value = Make(std::stoll(figure.substr(0, comma) + decimals), scale);
        for (const std::string& shown : rounded_) value.fromRounded = value.fromRounded || shown == figure;
        return value;
    }

    std::string text_;
    std::size_t at_ = 0;
    const std::vector<std::string>& rounded_;
};

// A result's relation and its value in hundredths: "≈ 1697,04 единици" gives '≈', 169704.
std::pair<std::string, long long> ShownResult(const std::string& result) {
    const std::size_t space = result.find(' ');
    std::string digits;
    for (std::size_t i = space + 1; i < result.size() && (std::isdigit(static_cast<unsigned char>(result[i])) ||
                                                          result[i] == ',' || result.compare(i, 2, "\u00A0") == 0);) {
        if (result[i] == ',' || std::isdigit(static_cast<unsigned char>(result[i]))) digits += result[i++];
        else i += 2;
    }
    const std::size_t comma = digits.find(',');
    std::string cents = comma == std::string::npos ? "" : digits.substr(comma + 1);
    cents.resize(2, '0');
    return {result.substr(0, space), std::stoll(digits.substr(0, comma)) * 100 + std::stoll(cents)};
}

// A pupil who types the figures put in, as shown, into a calculator gets the result shown to
// its last digit (halves rounded up); "=" only where every figure put in is exact and so is
// the result.
TEST(LessonNumbers, EveryWorkedLineChecksOnACalculator) {
    for (const std::string& radius : ListItems(1)) {
        for (const std::string& count : ListItems(2)) {
            const Lesson lesson = LessonFor(radius, count);
            ASSERT_EQ(lesson.numbers.size(), 7u);
            std::vector<std::string> rounded;   // the results shown with "≈", as figures to put in
            for (const LessonNumber& number : lesson.numbers) {
                SCOPED_TRACE(radius + ", " + count + ": " + number.Text());
                const Worked value = PutInReader(number.putIn, rounded).Read();
                long long hundredths = 0;
                bool exact = false;
                if (value.rational) {
                    hundredths = (value.num * 100 + value.den / 2) / value.den;
                    exact = value.num * 100 % value.den == 0;
                } else {
                    hundredths = std::llround(value.approx * 100);
                }
                const auto [relation, shown] = ShownResult(number.result);
                EXPECT_EQ(shown, hundredths);
                EXPECT_EQ(relation, exact && !value.fromRounded ? "=" : "≈");
                if (relation != "≈") continue;
                std::string figure = number.result.substr(4, number.result.find(' ', 4) - 4);
                if (const std::size_t space = figure.find("\u00A0"); space != std::string::npos) figure.erase(space, 2);
                rounded.push_back(figure);
            }
        }
    }
    EXPECT_EQ(LessonFor("300", "3").numbers[5].result, "= 150 единици") << "cos 60° = 1/2";
    EXPECT_EQ(LessonFor("500", "20").numbers[4].Text(), "Периметър: P = n·a = 20·156,43 ≈ 3128,6 единици")
        << "rounded before, not here: no trailing zero";
}

TEST(LessonNumbers, BulgarianFormKeepsExactDigitsAndGroupsLongWholeParts) {
    const struct {
        double value;
        bool exact;
        const char* digits;
    } cases[] = {
        {120, true, "120"},           {157.5, true, "157,5"},       {1800, true, "1800"},
        {180000, true, "180\u00A0000"}, {128.571428, false, "128,57"}, {233826.8644, false, "233\u00A0826,86"},
        {12.3004, false, "12,30"},    {1234567.891, false, "1\u00A0234\u00A0567,89"}, {0, true, "0"},
    };
    for (const auto& c : cases) {
        const LessonValue v = FormatLessonValue(c.value);
        EXPECT_EQ(v.exact, c.exact) << c.value;
        EXPECT_EQ(v.digits, c.digits) << c.value;
    }
}

TEST(LessonNames, TitleNamesEveryCountInWords) {
    const char* names[] = {"триъгълник", "", "петоъгълник", "шестоъгълник", "седмоъгълник",
                           "осмоъгълник", "деветоъгълник", "десетоъгълник", "единадесетоъгълник",
                           "дванадесетоъгълник", "тринадесетоъгълник", "четиринадесетоъгълник", "петнадесетоъгълник",
                           "шестнадесетоъгълник", "седемнадесетоъгълник", "осемнадесетоъгълник",
                           "деветнадесетоъгълник", "двадесетоъгълник"};
    for (int n = 3; n <= 20; ++n) {
        EXPECT_EQ(LessonFor("300", std::to_string(n)).title, n == 4 ? std::string("Квадрат") : std::string("Правилен ") + names[n - 3]);
    }
    for (const auto& [radius, count] : {std::pair{"", "6"}, {"300", ""}, {"300", "2"}, {"300", "6.5"}})
        EXPECT_TRUE(LessonFor(radius, count).title.empty()) << radius << "/" << count;
}

TEST(LessonMarks, VerticesAreTheMainWindowsToTheBitLetteredCounterClockwiseFromBottomLeft) {
    for (const std::string& count : ListItems(2)) {
        CallLog log;
        testing::RecordingPictureBox canvas(log);
        FakeListBox radii("radii", log, {"250"}, 0), counts("counts", log, {count}, 0);
        DrawPolygon(canvas, radii, counts);
        const Lesson lesson = LessonFor("250", count);
        const std::size_t n = lesson.vertices.size();
        ASSERT_EQ(n, static_cast<std::size_t>(std::stoi(count)));
        // Every vertex the main window draws, and none else.
        for (const testing::Call& call : log) {
            if (call.what != "PSet" && call.what != "Line") continue;
            const bool found = std::any_of(lesson.vertices.begin(), lesson.vertices.end(), [&](const ScenePoint& p) {
                return p.x == call.args[0] && p.y == call.args[1];
            });
            EXPECT_TRUE(found) << count << ": " << call.args[0] << ", " << call.args[1];
        }
        const ScenePoint A = lesson.vertices[0], B = lesson.vertices[1];
        EXPECT_EQ(A.y, B.y) << "AB is the bottom side";
        EXPECT_LT(A.x, B.x);
        for (const ScenePoint& p : lesson.vertices) EXPECT_LE(p.y, A.y + 1e-3);
        double twiceArea = 0;   // negative in screen coordinates (Y down) when counter-clockwise on screen
        for (std::size_t i = 0; i < n; ++i) {
            const ScenePoint p = lesson.vertices[i], q = lesson.vertices[(i + 1) % n];
            twiceArea += p.x * q.y - q.x * p.y;
        }
        EXPECT_LT(twiceArea, 0) << count;
        EXPECT_EQ(lesson.letters[0] + lesson.letters[1] + lesson.letters[2], "A₁A₂A₃");
        if (n >= 12) {
            EXPECT_EQ(lesson.letters[11], "A₁₂");
        }
        for (std::size_t i = 0; i < n; ++i) ASSERT_NE(LabelNamed(lesson, lesson.letters[i]), nullptr) << lesson.letters[i];
    }
}

TEST(LessonMarks, CentreRadiusApothemAndAnglesStandWhereTheyBelong) {
    const Lesson lesson = LessonFor("300", "6");
    const ScenePoint A1 = lesson.vertices[0], A2 = lesson.vertices[1], A3 = lesson.vertices[2], A6 = lesson.vertices[5];
    const ScenePoint M{(A2.x + A3.x) / 2, (A2.y + A3.y) / 2};
    const auto circle = Items(lesson, SceneItem::Kind::Circle);
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(circle[0]->a.x, 500);
    EXPECT_EQ(circle[0]->a.y, 500);
    EXPECT_EQ(circle[0]->radius, 300);
    const auto segments = Items(lesson, SceneItem::Kind::Segment);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0]->b.x, A1.x) << "the radius OA₁";
    EXPECT_EQ(segments[1]->b.x, A2.x) << "the arm OA₂";
    EXPECT_NEAR(segments[2]->b.x, M.x, 1e-9) << "the apothem OM to the side A₂A₃";
    EXPECT_NEAR(segments[2]->b.y, M.y, 1e-9);
    const auto square = Items(lesson, SceneItem::Kind::RightAngle);
    ASSERT_EQ(square.size(), 1u);
    EXPECT_NEAR(square[0]->a.x, M.x, 1e-9);
    const auto arcs = Items(lesson, SceneItem::Kind::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_NEAR(arcs[1]->a.x, A6.x, 1e-9) << "the interior angle at A₆";
    EXPECT_NEAR(arcs[1]->sweepDegrees, 120, 1e-4);
    for (const char* text : {"O", "M", "R", "r", "a", "60°", "120°"}) EXPECT_NE(LabelNamed(lesson, text), nullptr) << text;
    const SceneItem* o = LabelNamed(lesson, "O");
    EXPECT_LT(std::hypot(o->a.x - 500, o->a.y - 500), 2 * kLabelHeight);
    EXPECT_GT(LabelNamed(lesson, "a")->a.y, A1.y) << "a is lettered below its side";
    EXPECT_GT(LabelNamed(lesson, "M")->a.x, M.x) << "M is lettered outside its side";
}

// Degrees counter-clockwise on screen from the X axis, from p to q.
double Towards(ScenePoint p, ScenePoint q) { return std::atan2(p.y - q.y, q.x - p.x) * 180 / std::acos(-1.0); }

// Whether every corner of the box lies in the angle at `apex` from `from` sweeping `sweep`.
bool InAngle(const LabelBox& box, ScenePoint apex, double from, double sweep) {
    for (const ScenePoint p : {ScenePoint{box.left, box.top}, ScenePoint{box.right, box.top}, ScenePoint{box.left, box.bottom},
                               ScenePoint{box.right, box.bottom}}) {
        const double turn = std::fmod(Towards(apex, p) - from + 720, 360);
        if (turn > sweep) return false;
    }
    return true;
}

// Every figure the lists offer, as a projector shows it: no label overlaps another label, a
// line, an arc or a point; the central angle has both arms, and its arc and value inside it,
// the arc long enough to see; R stands outside that angle, beside OA₁; letters and pens are
// the same size on screen for every radius, and every label is on the page. The diagonals
// go under every label and move none.
TEST(LessonMarks, EveryFigureKeepsItsLabelsClearAndItsAnglesReadable) {
    using K = SceneItem::Kind;
    for (const std::string& radius : ListItems(1)) {
        for (const std::string& count : ListItems(2)) {
            SCOPED_TRACE(radius + ", " + count);
            const Lesson lesson = LessonFor(radius, count);
            const Scene& scene = lesson.scene;
            const double n = std::stod(count);
            for (const LabelCollision& c : LabelCollisions(scene)) {
                ADD_FAILURE() << "\"" << scene.items[c.label].text << "\" overlaps item " << c.other << " \""
                              << scene.items[c.other].text << "\"";
            }
            EXPECT_NEAR(scene.markScale / scene.reach, 1 / (300 * kLessonReach), 1e-12);
            const ScenePoint O = scene.focus, A1 = lesson.vertices[0], A2 = lesson.vertices[1], An = lesson.vertices.back();
            const auto arm = [&](ScenePoint end) {
                return std::any_of(scene.items.begin(), scene.items.end(), [&](const SceneItem& item) {
                    return item.kind == K::Segment && item.a.x == O.x && item.a.y == O.y && item.b.x == end.x && item.b.y == end.y;
                });
            };
            EXPECT_TRUE(arm(A1) && arm(A2)) << "both arms of the central angle";
            const double from = Towards(O, A1), sweep = 360 / n;
            EXPECT_NEAR(std::fmod(Towards(O, A2) - from + 720, 360), sweep, 1e-3);
            const SceneItem* arc = Items(lesson, K::Arc)[0];
            EXPECT_EQ(arc->a.x, O.x);
            EXPECT_NEAR(arc->startDegrees, from, 1e-9);
            EXPECT_NEAR(arc->sweepDegrees, sweep, 1e-9);
            EXPECT_GE(arc->radius * sweep * std::acos(-1.0) / 180, kLabelHeight * scene.markScale) << "an arc to see";
            const std::string centralText = ShownResult(lesson.numbers[1].result).first == "="
                                                ? lesson.numbers[1].result.substr(2)
                                                : lesson.numbers[1].result.substr(4);
            const SceneItem* value = LabelNamed(lesson, centralText);
            ASSERT_NE(value, nullptr) << centralText;
            EXPECT_TRUE(InAngle(LabelItemBox(*value, scene.markScale), O, from, sweep)) << "the value inside ∠A₁OA₂";
            EXPECT_TRUE(InAngle(LabelItemBox(*LabelNamed(lesson, "R"), scene.markScale), O, Towards(O, An), sweep))
                << "R beside OA₁, outside ∠A₁OA₂";
            for (const SceneItem* label : Items(lesson, K::Label)) {
                const LabelBox box = LabelItemBox(*label, scene.markScale);
                EXPECT_TRUE(box.left >= -kLessonMargin && box.right <= kSceneSide + kLessonMargin && box.top >= -kLessonMargin &&
                            box.bottom <= kSceneSide + kLessonMargin)
                    << label->text << " on the page";
            }

            const Lesson cut = LessonFor(radius, count, true);
            const auto labels = Items(lesson, K::Label), cutLabels = Items(cut, K::Label);
            ASSERT_EQ(labels.size(), cutLabels.size());
            for (std::size_t i = 0; i < labels.size(); ++i) {
                EXPECT_EQ(labels[i]->a.x, cutLabels[i]->a.x);
                EXPECT_EQ(labels[i]->a.y, cutLabels[i]->a.y);
            }
            std::size_t lastFaint = 0, firstLabel = cut.scene.items.size();
            for (std::size_t i = 0; i < cut.scene.items.size(); ++i) {
                if (cut.scene.items[i].ink == Ink::Faint) lastFaint = i;
                if (cut.scene.items[i].kind == K::Label) firstLabel = std::min(firstLabel, i);
            }
            EXPECT_LT(lastFaint, firstLabel) << "the diagonals under every letter";
        }
    }
}

TEST(LabelLayout, PlacesALabelClearOfWhatIsThereAndReportsWhatOverlaps) {
    Scene scene;
    SceneItem line;
    line.a = {400, 500};
    line.b = {600, 500};
    scene.items.push_back(line);
    const LabelSize size = EstimateLabelSize("A₁₂", 1);
    EXPECT_NEAR(size.width, (0.72 + 0.5 + 0.5) * kLabelHeight + 2 * kLabelHalo, 1e-9);
    EXPECT_NEAR(size.height, 0.9 * kLabelHeight + 2 * kLabelHalo, 1e-9);
    // Straight down from just above the line: the nearest clear place is past it, not across it.
    const LabelPlace below = FindLabelPlace(scene, "R", {{500, 490}, 270, 2, std::nullopt});
    EXPECT_TRUE(below.clear);
    EXPECT_GT(EstimateLabelBox("R", below.centre, 1).top, 500);
    PlaceLabel(scene, Ink::Figure, "R", {{500, 490}, 90, 2, std::nullopt});
    EXPECT_TRUE(LabelCollisions(scene).empty());
    PlaceLabel(scene, Ink::Figure, "72°", {{500, 500}, 90, 0, LabelRegion{{500, 500}, 0, 1}}).a = {500, 500};
    const auto collisions = LabelCollisions(scene);
    ASSERT_EQ(collisions.size(), 2u) << "across the line and the other label";
    EXPECT_EQ(collisions[0].label * 10 + collisions[0].other, 12u) << "R and 72°, once";
    EXPECT_EQ(collisions[1].label * 10 + collisions[1].other, 20u) << "72° and the line";
}

TEST(LessonMarks, DiagonalsFromA1CutTheFigureIntoNMinus2Triangles) {
    for (const int n : {3, 4, 6, 20}) {
        const Lesson plain = LessonFor("400", std::to_string(n)), cut = LessonFor("400", std::to_string(n), true);
        const auto faint = Items(cut, SceneItem::Kind::Segment);
        EXPECT_EQ(faint.size() - Items(plain, SceneItem::Kind::Segment).size(), static_cast<std::size_t>(n - 3));
        for (const SceneItem* s : faint) {
            if (s->ink != Ink::Faint) continue;
            EXPECT_EQ(s->a.x, cut.vertices[0].x);
        }
    }
}

TEST(LessonSvg, FigureKeepsTheCanvasUnitsAndLettersAndNumbersAreText) {
    const std::string svg = LessonToSvg(LessonFor("300", "6"));
    EXPECT_NE(svg.find("viewBox=\"0 0 1000 1000\""), std::string::npos);
    EXPECT_NE(svg.find("<circle cx=\"500\" cy=\"500\" r=\"300\""), std::string::npos);
    EXPECT_NE(svg.find("<polygon points=\"350,759.81 650,759.81 "), std::string::npos);
    for (const char* text : {">A₁</text>", ">O</text>", ">60°</text>", ">Правилен шестоъгълник</text>",
                             "≈ 233\u00A0829 кв. единици</text>"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(svg.find("<line", svg.find("</svg>")), std::string::npos) << "no figure outside its own viewBox";
}

TEST(SceneDraw, RaysReachTheEdgesAndRightAnglesStayWithinShortArms) {
    SceneItem ray;
    ray.kind = SceneItem::Kind::Ray;
    ray.a = {400, 500};
    ray.b = {600, 500};
    const auto ends = RayEnds(ray);
    EXPECT_EQ(ends[0].x, 0);
    EXPECT_EQ(ends[1].x, 1000);
    ray.b = {500, 600};   // at 45°, from the top-left corner's edge to the bottom's
    const auto slanted = RayEnds(ray);
    EXPECT_DOUBLE_EQ(slanted[0].y, 100);
    EXPECT_DOUBLE_EQ(slanted[1].x, 900);
    EXPECT_DOUBLE_EQ(slanted[1].y, 1000);

    SceneItem mark;
    mark.kind = SceneItem::Kind::RightAngle;
    mark.a = {100, 100};
    mark.b = {100, 0};
    mark.c = {110, 100};   // an arm of 10: the mark's side is 4
    const auto corners = RightAngleCorners(mark);
    EXPECT_DOUBLE_EQ(corners[1].x, 104);
    EXPECT_DOUBLE_EQ(corners[1].y, 96);
}

TEST(SceneDraw, JsonCarriesEveryItemReadyToPaint) {
    const std::string json = SceneToJson(LessonFor("300", "3").scene);
    EXPECT_EQ(json.rfind("{\"focus\":[500,500],\"reach\":420,\"items\":[", 0), 0u) << json.substr(0, 60);
    EXPECT_NE(json.find("{\"kind\":\"circle\",\"colour\":\"#000000\",\"width\":3,\"a\":[500,500],"), std::string::npos);
    EXPECT_NE(json.find("\"kind\":\"rightangle\""), std::string::npos);
    EXPECT_EQ(JsonString("a\"b\\c\nd\x01"), "\"a\\\"b\\\\c\\nd\\u0001\"");
}

}  // namespace
}  // namespace tamirel
