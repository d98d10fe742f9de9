#include "window/scene_view.h"

#include <QtGui/QPainter>
#include <algorithm>

#include "lesson/lesson.h"
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

QSize SceneView::sizeHint() const { return {480, 480}; }

QRectF SceneView::sceneArea() const {
    const qreal whole = std::min(width(), height());
    const qreal side = whole * kSceneSide / (kSceneSide + 2 * kLessonMargin);
    return {(width() - side) / 2, (height() - side) / 2, side, side};
}

void SceneView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintScene(painter, scene_, sceneArea());
}

}  // namespace tamirel
