#include "controls/qt/qt_picture_box.h"

#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtTest/QTest>
#include <set>
#include <vector>

#include "ink_runs.h"

namespace tamirel {
namespace {

constexpr int kSide = 267;   // the window's canvas: 4000 twips

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        canvas.resize(kSide, kSide);
        canvas.SetScaleHeight(1000);
        canvas.SetScaleWidth(1000);
        canvas.SetBackColor(Rgb(255, 255, 255));
        canvas.Cls();
    }

    // The drawing area as it is on screen.
    QImage Area() { return canvas.grab(canvas.drawingArea()).toImage().convertToFormat(QImage::Format_RGB32); }

    QtPictureBox canvas;
};

bool IsBlack(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }

int CountBlack(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += IsBlack(image, x, y);
    return n;
}

std::vector<int> Runs(const QImage& image, int y) { return testing::InkRuns(image, y); }

TEST_F(CanvasTest, DrawingAreaIsInsideTheBorder) {
    EXPECT_EQ(canvas.drawingArea(), QRect(2, 2, kSide - 4, kSide - 4));
}

TEST_F(CanvasTest, UserUnitsSpanTheAreaEdgeToEdge) {
    canvas.PSet(0, 0);
    canvas.PSet(1000, 1000);
    canvas.PSet(250, 500);
    const QImage area = Area();
    const int last = area.width() - 1;   // 262: unit 250 falls on pixel 65.5, drawn at 66
    EXPECT_TRUE(IsBlack(area, 0, 0));
    EXPECT_TRUE(IsBlack(area, last, last));
    EXPECT_TRUE(IsBlack(area, 66, 131));
    EXPECT_EQ(CountBlack(area), 3);
}

TEST_F(CanvasTest, LargestCircleTouchesAllFourEdges) {
    const QImage empty = canvas.grab().toImage();
    canvas.Circle(500, 500, 500);
    canvas.PSet(1000, 0);
    canvas.Line(1000, 1000);
    const QImage whole = canvas.grab().toImage();
    for (int i = 0; i < kSide; ++i) {
        for (const QPoint p : {QPoint(i, 0), QPoint(i, 1), QPoint(i, kSide - 1), QPoint(i, kSide - 2), QPoint(0, i),
                               QPoint(1, i), QPoint(kSide - 1, i), QPoint(kSide - 2, i)}) {
            ASSERT_EQ(whole.pixel(p), empty.pixel(p)) << "the border is drawn over at " << p.x() << "," << p.y();
        }
    }
    const QImage area = Area();
    const int last = area.width() - 1;
    bool top = false, bottom = false, left = false, right = false;
    for (int i = 0; i <= last; ++i) {
        top |= IsBlack(area, i, 0);
        bottom |= IsBlack(area, i, last);
        left |= IsBlack(area, 0, i);
        right |= IsBlack(area, last, i);
    }
    EXPECT_TRUE(top && bottom && left && right);
    EXPECT_TRUE(IsBlack(area, last / 2, 0));
    EXPECT_TRUE(IsBlack(area, last / 2, last));
    EXPECT_FALSE(IsBlack(area, last / 2, last / 2));   // an outline, not filled
}

TEST_F(CanvasTest, NothingIsDrawnOutsideTheArea) {
    const QImage empty = canvas.grab().toImage();
    canvas.Circle(500, 500, 900);
    canvas.Circle(-100, 1200, 300);
    canvas.PSet(-50, -50);
    canvas.Line(1100, 1100);
    canvas.Line(3e37f, -3e37f);
    const QImage whole = canvas.grab().toImage();
    const QRect area = canvas.drawingArea();
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            if (!area.contains(x, y)) {
                ASSERT_EQ(whole.pixel(x, y), empty.pixel(x, y)) << x << "," << y;
            }
    EXPECT_TRUE(IsBlack(Area(), 131, 131)) << "the line through the middle shows";
}

TEST_F(CanvasTest, LineStylesAreToldApart) {
    std::set<std::vector<int>> brokenPatterns;
    for (std::int16_t style = 0; style <= 6; ++style) {
        SetUp();
        canvas.SetDrawStyle(style);
        canvas.PSet(0, 500);
        canvas.Line(1000, 500);
        canvas.Circle(500, 500, 300);
        const QImage area = Area();
        const std::vector<int> runs = Runs(area, area.height() / 2);
        switch (style) {
            case 0:
            case 6:
                // A line leaves its end pixel to whatever continues from there.
                EXPECT_EQ(runs, std::vector<int>{area.width() - 1}) << style;
                break;
            case 5:
                EXPECT_EQ(CountBlack(area), 0) << "the point too must not show";
                break;
            default:
                EXPECT_GT(runs.size(), 10u) << style;
                brokenPatterns.insert(std::vector<int>(runs.begin(), runs.begin() + 6));
                break;
        }
    }
    EXPECT_EQ(brokenPatterns.size(), 4u);
}

TEST_F(CanvasTest, DashPatternsHaveTheClassicProportions) {
    const std::vector<std::vector<int>> expected = {
        {18, 6, 18, 6}, {3, 3, 3, 3}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};
    for (std::int16_t style = 1; style <= 4; ++style) {
        SetUp();
        canvas.SetDrawStyle(style);
        canvas.PSet(0, 500);
        canvas.Line(1000, 500);
        const QImage area = Area();
        std::vector<int> runs = Runs(area, area.height() / 2);
        // The first run includes the point, which is always a dot.
        runs.resize(expected[style - 1].size());
        EXPECT_EQ(runs, expected[style - 1]) << "style " << style;
    }
}

TEST_F(CanvasTest, ClsShowsTheBackgroundAndForgetsTheDrawing) {
    canvas.Circle(500, 500, 200);
    canvas.SetBackColor(Rgb(10, 200, 30));
    EXPECT_EQ(Area().pixel(1, 1), qRgb(255, 255, 255)) << "a new colour waits for the next clear";
    canvas.Cls();
    const QImage area = Area();
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) ASSERT_EQ(area.pixel(x, y), qRgb(10, 200, 30));
    EXPECT_TRUE(canvas.drawing().primitives.empty());
}

TEST_F(CanvasTest, DrawingSurvivesHideShowAndRepaint) {
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    canvas.Circle(500, 500, 400);
    canvas.PSet(100, 100);
    canvas.Line(900, 800);
    const QImage before = Area();
    canvas.hide();
    canvas.show();
    canvas.repaint();
    EXPECT_EQ(Area(), before);
    canvas.resize(kSide + 10, kSide + 10);   // a new backing image replays the drawing
    canvas.resize(kSide, kSide);
    EXPECT_EQ(Area(), before);
}

TEST_F(CanvasTest, WhatIsDrawnStaysWhereItWasWhenTheScaleChanges) {
    canvas.PSet(500, 500);
    canvas.SetScaleWidth(2000);
    canvas.PSet(500, 1000);
    const QImage area = Area();
    EXPECT_TRUE(IsBlack(area, 131, 131));
    EXPECT_TRUE(IsBlack(area, 66, 262));
}

}  // namespace
}  // namespace tamirel
