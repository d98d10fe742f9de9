#include "window/scene_view.h"

#include <QtGui/QPainter>
#include <algorithm>

#include "lesson/scene_draw.h"
#include "window/scene_painter.h"

namespace tamirel {

SceneView::SceneView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SceneView::setScene(Scene scene) {
    scene_ = std::move(scene);
    update();
}

void SceneView::setPreferredSide(int pixels) {
    preferred_ = pixels;
    updateGeometry();
}

QRectF SceneView::sceneArea() const {
    const qreal scale = std::min(width(), height()) / (2 * scene_.reach);
    return {width() / 2.0 - scene_.focus.x * scale, height() / 2.0 - scene_.focus.y * scale, kSceneSide * scale,
            kSceneSide * scale};
}

void SceneView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintScene(painter, scene_, sceneArea());
}

}  // namespace tamirel
