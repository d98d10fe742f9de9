// The canvas's state without a toolkit: property checks, the current point and clearing.
#include "controls/retained_picture_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "controls/runtime_error.h"

namespace tamirel {
namespace {

class RetainedCanvasTest : public ::testing::Test {
protected:
    RetainedCanvasTest() {
        canvas.SetScaleHeight(1000);
        canvas.SetScaleWidth(2000);
    }

    const Primitive& Last() const { return canvas.drawing().primitives.back(); }

    RetainedPictureBox canvas{Rgb(255, 255, 255)};
};

int ErrorNumber(const std::function<void()>& write) {
    try {
        write();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

TEST_F(RetainedCanvasTest, InvalidStylesAndScalesAreErrorsThatChangeNothing) {
    for (std::int16_t style : {-1, 7, 32767}) {
        EXPECT_EQ(ErrorNumber([&] { canvas.SetDrawStyle(style); }), RuntimeError::kInvalidPropertyValue) << style;
    }
    for (float scale : {0.0f, -0.0f, INFINITY, NAN}) {
        EXPECT_EQ(ErrorNumber([&] { canvas.SetScaleWidth(scale); }), RuntimeError::kInvalidPropertyValue) << scale;
        EXPECT_EQ(ErrorNumber([&] { canvas.SetScaleHeight(scale); }), RuntimeError::kInvalidPropertyValue) << scale;
    }
    EXPECT_EQ(canvas.DrawStyle(), kSolid);
    EXPECT_EQ(canvas.ScaleWidth(), 2000);
    EXPECT_EQ(canvas.ScaleHeight(), 1000);
    canvas.SetDrawStyle(kInsideSolid);
    canvas.SetScaleWidth(-5);
    EXPECT_EQ(canvas.DrawStyle(), kInsideSolid);
}

TEST_F(RetainedCanvasTest, PointsAndLinesMoveTheCurrentPointAndClsSendsItHome) {
    canvas.Line(1000, 500);
    EXPECT_EQ(Last().x1, 0.0) << "a line starts at (0, 0) before any point";
    canvas.PSet(500, 250);
    canvas.Line(2000, 1000);
    EXPECT_EQ((std::vector<double>{Last().x1, Last().y1, Last().x2, Last().y2}), (std::vector<double>{0.25, 0.25, 1, 1}));
    canvas.Line(0, 0);
    EXPECT_EQ((std::vector<double>{Last().x1, Last().y1}), (std::vector<double>{1, 1}));
    canvas.Circle(1000, 500, -400);
    EXPECT_EQ(Last().x2, 0.2) << "a radius is a fraction of the width, of its magnitude";
    EXPECT_EQ(Last().x1, 0.5) << "a circle leaves the current point alone";

    canvas.SetBackColor(Rgb(1, 2, 3));
    EXPECT_EQ(canvas.drawing().background, Rgb(255, 255, 255)) << "a new colour waits for the next clear";
    canvas.Cls();
    EXPECT_TRUE(canvas.drawing().primitives.empty());
    EXPECT_EQ(canvas.drawing().background, Rgb(1, 2, 3));
    canvas.Line(2000, 1000);
    EXPECT_EQ((std::vector<double>{Last().x1, Last().y1}), (std::vector<double>{0, 0}));
}

}  // namespace
}  // namespace tamirel
