#include <gtest/gtest.h>

#include "lesson/view_zoom.h"

namespace tamirel {
namespace {

Scene Square() {
    Scene scene;
    scene.focus = {500, 500};
    scene.reach = 400;
    return scene;
}

TEST(ViewZoom, ZoomKeepsThePointUnderThePointerAndStaysInsideTheScene) {
    const Scene scene = Square();
    ViewZoom zoom;
    // (700, 500) is half-way to the right edge of the shown square; after doubling it is
    // still half of the new reach from the new centre.
    EXPECT_TRUE(zoom.ZoomBy(scene, 2, {700, 500}));
    EXPECT_DOUBLE_EQ(zoom.Reach(scene), 200);
    EXPECT_DOUBLE_EQ(zoom.Focus(scene).x, 600);
    EXPECT_DOUBLE_EQ((700 - zoom.Focus(scene).x) / zoom.Reach(scene), 200.0 / 400);
    // Panning stops at the scene's own square; zooming out past 1 and in past the top does
    // nothing and says so.
    EXPECT_TRUE(zoom.Pan(scene, 1000, -1000));
    EXPECT_DOUBLE_EQ(zoom.Focus(scene).x, 700);
    EXPECT_DOUBLE_EQ(zoom.Focus(scene).y, 300);
    EXPECT_FALSE(zoom.Pan(scene, 5, -5));
    EXPECT_TRUE(zoom.ZoomBy(scene, 0.1, {0, 0}));
    EXPECT_FALSE(zoom.zoomed());
    EXPECT_DOUBLE_EQ(zoom.Focus(scene).x, 500);
    EXPECT_FALSE(zoom.ZoomOut(scene));
    for (int i = 0; i < 20; ++i) zoom.ZoomIn(scene);
    EXPECT_DOUBLE_EQ(zoom.factor(), ViewZoom::kMaxFactor);
    EXPECT_FALSE(zoom.ZoomIn(scene));
    zoom.Reset();
    EXPECT_DOUBLE_EQ(zoom.Reach(scene), 400);
}

}  // namespace
}  // namespace tamirel
