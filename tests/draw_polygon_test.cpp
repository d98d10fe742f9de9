#include "geometry/draw_polygon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "controls/runtime_error.h"
#include "exact_figures.h"
#include "fakes.h"

namespace tamirel {
namespace {

using testing::Call;
using testing::CallLog;
using testing::ExactFigure;
using testing::FakeListBox;
using testing::Names;
using testing::RecordingPictureBox;

// The drawing calls of a log, without the reads.
CallLog Draws(const CallLog& log) {
    CallLog draws;
    for (const Call& c : log) {
        if (c.what == "Circle" || c.what == "PSet" || c.what == "Line") draws.push_back(c);
    }
    return draws;
}

struct Figure {
    CallLog log;
    CallLog draws;
};

// Runs DrawPolygon with one item selected in each list ("" selects nothing).
Figure Draw(const std::string& radius, const std::string& count, float scaleWidth = 1000,
            float scaleHeight = 1000) {
    Figure f;
    RecordingPictureBox picture(f.log, scaleWidth, scaleHeight);
    FakeListBox radii("radii", f.log, {"999", radius}, radius.empty() ? -1 : 1);
    FakeListBox counts("counts", f.log, {"99", count}, count.empty() ? -1 : 1);
    DrawPolygon(picture, radii, counts);
    f.draws = Draws(f.log);
    return f;
}

void ExpectAt(const Call& call, const std::string& what, double x, double y) {
    EXPECT_EQ(call.what, what);
    ASSERT_GE(call.args.size(), 2u);
    // Single precision keeps about seven digits: 1e-3 of a unit on a 1000-unit canvas.
    EXPECT_NEAR(call.args[0], x, 1e-3) << what;
    EXPECT_NEAR(call.args[1], y, 1e-3) << what;
}

void ExpectCircle(const Call& call, double radius) {
    EXPECT_EQ(call.what, "Circle");
    ASSERT_EQ(call.args.size(), 3u);
    EXPECT_EQ(call.args[0], 500.0);
    EXPECT_EQ(call.args[1], 500.0);
    EXPECT_EQ(call.args[2], radius);
}

struct Vertex {
    double x, y;
};

struct WorkedExample {
    std::string radius, count;
    std::vector<Vertex> vertices;   // the point, then every line end in order
};

void PrintTo(const WorkedExample& ex, std::ostream* os) { *os << "R = " << ex.radius << ", N = " << ex.count; }

const double kS3 = std::sqrt(3.0);
const double kS2 = std::sqrt(2.0);

class WorkedValues : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedValues, CircleThenPointThenClosedOutline) {
    const WorkedExample& ex = GetParam();
    const Figure f = Draw(ex.radius, ex.count);
    ASSERT_EQ(f.draws.size(), 1 + ex.vertices.size());
    ExpectCircle(f.draws[0], std::stod(ex.radius));
    for (std::size_t i = 0; i < ex.vertices.size(); ++i) {
        ExpectAt(f.draws[i + 1], i == 0 ? "PSet" : "Line", ex.vertices[i].x, ex.vertices[i].y);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Figures, WorkedValues,
    ::testing::Values(
        WorkedExample{"500", "3",
                      {{500 + 250 * kS3, 750}, {500 - 250 * kS3, 750}, {500, 0}, {500 + 250 * kS3, 750}}},
        WorkedExample{"300", "4",
                      {{500 + 150 * kS2, 500 + 150 * kS2},
                       {500 - 150 * kS2, 500 + 150 * kS2},
                       {500 - 150 * kS2, 500 - 150 * kS2},
                       {500 + 150 * kS2, 500 - 150 * kS2},
                       {500 + 150 * kS2, 500 + 150 * kS2}}},
        WorkedExample{"150", "6",
                      {{575, 500 + 75 * kS3},
                       {425, 500 + 75 * kS3},
                       {350, 500},
                       {425, 500 - 75 * kS3},
                       {575, 500 - 75 * kS3},
                       {650, 500},
                       {575, 500 + 75 * kS3}}}),
    [](const ::testing::TestParamInfo<WorkedExample>& info) {
        return "R" + info.param.radius + "N" + info.param.count;
    });

TEST(DrawPolygon, ReadsAndDrawsInOrderAndTouchesNothingElse) {
    const Figure f = Draw("300", "4");
    const std::vector<std::string> expected = {
        "radii.ListIndex", "radii.List", "Circle",  "ScaleWidth", "ScaleHeight", "counts.ListIndex",
        "counts.List",     "PSet",       "Line",    "Line",       "Line",        "Line"};
    EXPECT_EQ(Names(f.log), expected);
    EXPECT_EQ(f.log[1].args, std::vector<double>{1});   // the text of the selected item
}

TEST(DrawPolygon, PolygonCentreComesFromTheScaleAndTheCircleCentreDoesNot) {
    const Figure f = Draw("100", "4", 800, 600);
    ExpectCircle(f.draws[0], 100);
    ExpectAt(f.draws[1], "PSet", 400 + 50 * kS2, 300 + 50 * kS2);
}

TEST(DrawPolygon, NothingSelectedInTheRadiusListDrawsAtTheCentre) {
    const Figure f = Draw("", "5", 800, 600);
    ASSERT_EQ(f.draws.size(), 7u);
    ExpectCircle(f.draws[0], 0);
    for (std::size_t i = 1; i < f.draws.size(); ++i) ExpectAt(f.draws[i], i == 1 ? "PSet" : "Line", 400, 300);
}

TEST(DrawPolygon, BelowTwoVerticesOnlyTheCircleIsDrawn) {
    for (const std::string count : {"", "0", "1", "1.99", "-3"}) {
        const Figure f = Draw("300", count);
        ASSERT_EQ(f.draws.size(), 1u) << '"' << count << '"';
        ExpectCircle(f.draws[0], 300);
    }
}

TEST(DrawPolygon, TwoVerticesGoThereAndBack) {
    const Figure f = Draw("200", "2");
    ASSERT_EQ(f.draws.size(), 4u);
    ExpectAt(f.draws[1], "PSet", 700, 500);
    ExpectAt(f.draws[2], "Line", 300, 500);
    ExpectAt(f.draws[3], "Line", 700, 500);
}

// The arguments of every drawing call by the procedure's definition, computed apart from the
// code: in long double, with the fifteen-digit constants, each step in its defined order, each
// coordinate narrowed to single at the end; on the 1000 x 1000 scale.
std::vector<std::vector<double>> ExactArguments(const std::string& radius, const std::string& count) {
    const long double r = std::stod(radius), n = std::stod(count);
    const long double piPrime = 3.14159265358979L, twoPiPrime = 6.28318530717958L;
    const long double halfAlpha = (((n - 2) / n) * piPrime) / 2;
    const auto vertex = [&](long double theta) {
        return std::vector<double>{static_cast<float>(r * std::cos(theta) + 500),
                                   static_cast<float>(r * std::sin(theta) + 500)};
    };
    std::vector<std::vector<double>> calls = {{500, 500, static_cast<float>(r)}, vertex(halfAlpha)};
    // The number of sides rounds halves to even, as std::lrint does in the default rounding mode.
    for (long m = 1; m <= std::lrint(n); ++m) calls.push_back(vertex((m * twoPiPrime) / n + halfAlpha));
    return calls;
}

std::vector<std::vector<double>> Arguments(const CallLog& log) {
    std::vector<std::vector<double>> args;
    for (const Call& c : log) args.push_back(c.args);
    return args;
}

TEST(DrawPolygon, FractionalCountKeepsItsAnglesAndRoundsTheSidesToEven) {
    const Figure a = Draw("100", "2.5");
    ASSERT_EQ(a.draws.size(), 1 + 1 + 2u);
    EXPECT_EQ(Arguments(a.draws), ExactArguments("100", "2.5"));
    EXPECT_EQ(Draw("100", "3.5").draws.size(), 1 + 1 + 4u);
}

// Every argument to the bit, where the constant and the order of each step decide a single
// (see exact_figures.h).
TEST(DrawPolygon, ExactFiguresToTheBit) {
    for (const ExactFigure& e : testing::kExactFigures) {
        const Figure f = Draw(e.radius, e.count);
        const std::string which = std::string("R = ") + e.radius + ", N = " + e.count + " (" + e.movedBy + ")";
        EXPECT_EQ(Arguments(f.draws), ExactArguments(e.radius, e.count)) << which;
        ASSERT_GT(f.draws.size(), e.vertex + 1u) << which;
        EXPECT_EQ(f.draws[e.vertex + 1].args[e.axis], e.value) << which << ", vertex " << e.vertex;
    }
}

TEST(DrawPolygon, SuccessiveCallsNeverClear) {
    CallLog log;
    RecordingPictureBox picture(log);
    FakeListBox radii("radii", log, {"500", "200"}, 0);
    FakeListBox counts("counts", log, {"3", "7"}, 0);
    DrawPolygon(picture, radii, counts);
    radii.SetListIndex(1);
    counts.SetListIndex(1);
    DrawPolygon(picture, radii, counts);
    const CallLog draws = Draws(log);
    ASSERT_EQ(draws.size(), (1 + 1 + 3) + (1 + 1 + 7u));
    ExpectCircle(draws[0], 500);
    ExpectCircle(draws[5], 200);
    for (const Call& c : log) {
        EXPECT_NE(c.what, "Cls");
        EXPECT_NE(c.what, "SetDrawStyle");
        EXPECT_NE(c.what, "SetBackColor");
    }
}

// Each error ends the procedure at once: the draws before it stay, none come after it.
TEST(DrawPolygon, ErrorsStopAtTheirPointAndKeepWhatWasDrawn) {
    const struct {
        const char* what;
        std::string radius, count;
        float scaleWidth;
        std::vector<std::string> drawnBefore;
    } cases[] = {
        {"radius beyond single", "1e39", "3", 1000, {}},
        {"radius beyond double", "1e999", "3", 1000, {}},
        {"vertex count beyond 32 bits", "300", "3000000000", 1000, {"Circle", "PSet"}},
        // Xc = -1.5e38: the start vertex fits, vertex 1 at 135 degrees goes past -3.4e38.
        {"coordinate beyond single", "3e38", "4", -3e38f, {"Circle", "PSet"}},
    };
    for (const auto& c : cases) {
        CallLog log;
        RecordingPictureBox picture(log, c.scaleWidth, 1000);
        FakeListBox radii("radii", log, {c.radius}, 0);
        FakeListBox counts("counts", log, {c.count}, 0);
        try {
            DrawPolygon(picture, radii, counts);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), RuntimeError::kOverflow) << c.what;
        }
        EXPECT_EQ(Names(Draws(log)), c.drawnBefore) << c.what;
    }
}

}  // namespace
}  // namespace tamirel
