// The lesson layer: its numbers against values worked out here, their Bulgarian form, the
// names, and where the marks stand on the main window's figure.
#include "lesson/lesson.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numeric>
#include <string>

#include "fakes.h"
#include "form/layout.h"
#include "geometry/draw_polygon.h"
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

// "≈ 259,81" from a value worked out here: printf's two decimals, a decimal comma, thousands
// apart from five digits on.
std::string Rounded(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    s[s.find('.')] = ',';
    if (s.find(',') >= 5) s.insert(s.find(',') - 3, "\u00A0");
    return "≈ " + s;
}

TEST(LessonNumbers, HexagonOfRadius300IsWorkedOutAsInTheTextbook) {
    const Lesson lesson = LessonFor("300", "6");
    EXPECT_EQ(lesson.title, "Правилен шестоъгълник");
    EXPECT_EQ(lesson.givens, "R = 300 единици, n = 6");
    EXPECT_EQ(Results(lesson), (std::vector<std::string>{"= 120°", "= 60°", "= 720°", "= 300 единици", "= 1800 единици",
                                                         "≈ 259,81 единици", "≈ 233\u00A0826,86 кв. единици"}));
    EXPECT_EQ(lesson.numbers[0].Text(), "Вътрешен ъгъл: α = (n − 2)·180°/n = (6 − 2)·180°/6 = 120°");
    EXPECT_EQ(lesson.numbers[6].Text(), "Лице: S = P·r/2 = 1800·259,81/2 ≈ 233\u00A0826,86 кв. единици");
}

TEST(LessonNumbers, RoundedValuesMatchTheFormulasWorkedOutHere) {
    const double pi = std::acos(-1.0);
    for (const auto& [radius, count] : {std::pair{500, 7}, {150, 13}, {450, 17}, {200, 11}}) {
        const double R = radius, n = count;
        const double a = 2 * R * std::sin(pi / n), r = R * std::cos(pi / n);
        const Lesson lesson = LessonFor(std::to_string(radius), std::to_string(count));
        SCOPED_TRACE(std::to_string(radius) + ", " + std::to_string(count));
        EXPECT_EQ(lesson.numbers[0].result, Rounded(180 - 360 / n) + "°");
        EXPECT_EQ(lesson.numbers[3].result, Rounded(a) + " единици");
        EXPECT_EQ(lesson.numbers[4].result, Rounded(n * a) + " единици");
        EXPECT_EQ(lesson.numbers[5].result, Rounded(r) + " единици");
        EXPECT_EQ(lesson.numbers[6].result, Rounded(n * a * r / 2) + " кв. единици");
    }
    EXPECT_EQ(LessonFor("200", "7").numbers[0].result, "≈ 128,57°");
}

// Exact to two decimals, as arithmetic on whole numbers and known sines says: the angles when
// 36000 (n - 2) / n and 36000 / n are whole; the side and perimeter only for the hexagon
// (sin 30° = 1/2); the apothem only for the triangle (cos 60° = 1/2); the area only for the
// square (sin 90° = 1) and the dodecagon (sin 30°).
TEST(LessonNumbers, EveryListChoiceIsExactJustWhenItsValueIs) {
    for (const std::string& radius : ListItems(1)) {
        for (const std::string& count : ListItems(2)) {
            const int n = std::stoi(count);
            const Lesson lesson = LessonFor(radius, count);
            ASSERT_EQ(lesson.numbers.size(), 7u);
            const bool exact[] = {36000 * (n - 2) % n == 0, 36000 % n == 0, true, n == 6, n == 6, n == 3, n == 4 || n == 12};
            for (std::size_t i = 0; i < 7; ++i) {
                EXPECT_EQ(lesson.numbers[i].result.rfind("= ", 0) == 0, exact[i])
                    << radius << ", " << count << ": " << lesson.numbers[i].Text();
            }
        }
    }
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
    const char* names[] = {"триъгълник", "четириъгълник (квадрат)", "петоъгълник", "шестоъгълник", "седмоъгълник",
                           "осмоъгълник", "деветоъгълник", "десетоъгълник", "единадесетоъгълник",
                           "дванадесетоъгълник", "тринадесетоъгълник", "четиринадесетоъгълник", "петнадесетоъгълник",
                           "шестнадесетоъгълник", "седемнадесетоъгълник", "осемнадесетоъгълник",
                           "деветнадесетоъгълник", "двадесетоъгълник"};
    for (int n = 3; n <= 20; ++n) EXPECT_EQ(LessonFor("300", std::to_string(n)).title, std::string("Правилен ") + names[n - 3]);
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
        EXPECT_EQ(lesson.letters[0] + lesson.letters[1] + lesson.letters[2], "ABC");
        for (std::size_t i = 0; i < n; ++i) {
            ASSERT_NE(LabelNamed(lesson, lesson.letters[i]), nullptr) << lesson.letters[i];
            if (n > 12) {
                EXPECT_EQ(std::string("MOPRS").find(lesson.letters[i]), std::string::npos);
            }
        }
    }
}

TEST(LessonMarks, CentreRadiusApothemAndAnglesStandWhereTheyBelong) {
    const Lesson lesson = LessonFor("300", "6");
    const ScenePoint A = lesson.vertices[0], B = lesson.vertices[1];
    const ScenePoint M{(A.x + B.x) / 2, (A.y + B.y) / 2};
    const auto circle = Items(lesson, SceneItem::Kind::Circle);
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(circle[0]->a.x, 500);
    EXPECT_EQ(circle[0]->a.y, 500);
    EXPECT_EQ(circle[0]->radius, 300);
    const auto segments = Items(lesson, SceneItem::Kind::Segment);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0]->b.x, A.x) << "the radius OA";
    EXPECT_NEAR(segments[1]->b.x, M.x, 1e-9) << "the apothem OM";
    EXPECT_NEAR(segments[1]->b.y, M.y, 1e-9);
    EXPECT_NEAR(std::hypot(M.x - 500, M.y - 500), 150 * std::sqrt(3.0), 1e-3);
    const auto square = Items(lesson, SceneItem::Kind::RightAngle);
    ASSERT_EQ(square.size(), 1u);
    EXPECT_NEAR(square[0]->a.x, M.x, 1e-9);
    const auto arcs = Items(lesson, SceneItem::Kind::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0]->a.x, 500) << "the central angle at O";
    EXPECT_NEAR(arcs[0]->sweepDegrees, 60, 1e-4);
    EXPECT_EQ(arcs[1]->a.x, B.x) << "the interior angle at B";
    EXPECT_NEAR(arcs[1]->sweepDegrees, 120, 1e-4);
    for (const char* text : {"O", "M", "R", "r", "60°", "120°"}) EXPECT_NE(LabelNamed(lesson, text), nullptr) << text;
    const SceneItem* o = LabelNamed(lesson, "O");
    EXPECT_LT(std::hypot(o->a.x - 500, o->a.y - 500), 2 * kLabelHeight);
    EXPECT_GT(LabelNamed(lesson, "M")->a.y, M.y) << "M is lettered below the side";
}

TEST(LessonMarks, DiagonalsFromACutTheFigureIntoNMinus2Triangles) {
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
    for (const char* text : {">A</text>", ">O</text>", ">60°</text>", ">Правилен шестоъгълник</text>",
                             "≈ 233\u00A0826,86 кв. единици</text>"}) {
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
    EXPECT_EQ(json.rfind("{\"focus\":[500,500],\"reach\":376,\"items\":[", 0), 0u) << json.substr(0, 60);
    EXPECT_NE(json.find("{\"kind\":\"circle\",\"colour\":\"#000000\",\"width\":3,\"a\":[500,500],"), std::string::npos);
    EXPECT_NE(json.find("\"kind\":\"rightangle\""), std::string::npos);
    EXPECT_EQ(JsonString("a\"b\\c\nd\x01"), "\"a\\\"b\\\\c\\nd\\u0001\"");
}

}  // namespace
}  // namespace tamirel
