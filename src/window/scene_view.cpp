#include "window/scene_view.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGestureEvent>
#include <algorithm>
#include <cmath>

#include "lesson/scene_draw.h"
#include "window/scene_painter.h"

namespace tamirel {

SceneView::SceneView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    grabGesture(Qt::PinchGesture);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SceneView::setScene(Scene scene) {
    const bool sameSquare = scene.focus.x == scene_.focus.x && scene.focus.y == scene_.focus.y && scene.reach == scene_.reach;
    scene_ = std::move(scene);
    if (!sameSquare) zoom_.Reset();
    Changed();
}

void SceneView::ResetZoom() {
    zoom_.Reset();
    Changed();
}

void SceneView::setPercent(int percent) {
    percent_ = percent;
    update();
}

QRectF SceneView::sceneArea() const { return SceneArea(QRectF(rect()), zoom_.Focus(scene_), zoom_.Reach(scene_)); }

double SceneView::pixelsPerUnit() const { return std::min(width(), height()) / (2 * zoom_.Reach(scene_)); }

double SceneView::labelPixels() const {
    return kLabelHeight * scene_.markScale * pixelsPerUnit() / std::sqrt(zoom_.factor());
}

int SceneView::readableSide() const {
    // kLabelHeight x markScale units take kMinimumLabelPixels x zoom pixels on the scene's
    // own square, 2 x reach units a side.
    const double least = kMinimumLabelPixels * percent_ / 100 * 2 * scene_.reach / (kLabelHeight * scene_.markScale);
    return static_cast<int>(std::ceil(least - 1e-9));
}

ScenePoint SceneView::ToScene(QPointF at) const {
    const QRectF area = sceneArea();
    const double unit = area.width() / kSceneSide;
    return {(at.x() - area.left()) / unit, (at.y() - area.top()) / unit};
}

void SceneView::ZoomAt(double ratio, QPointF at) {
    if (zoom_.ZoomBy(scene_, ratio, ToScene(at))) Changed();
}

void SceneView::Drag(QPointF pixels) {
    const double unit = pixelsPerUnit();
    if (unit > 0 && zoom_.Pan(scene_, -pixels.x() / unit, -pixels.y() / unit)) Changed();
}

void SceneView::Changed() {
    setCursor(zoom_.zoomed() ? (dragging_ ? Qt::ClosedHandCursor : Qt::OpenHandCursor) : Qt::ArrowCursor);
    update();
}

bool SceneView::event(QEvent* event) {
    // A finger's first touch starts a tap as a press does: the page's one-finger scrolling may
    // keep the press the toolkit makes of it from coming, though the release comes. Left
    // unaccepted, so that the toolkit still makes mouse events of the touch.
    if (event->type() == QEvent::TouchBegin) {
        const auto* touch = static_cast<QTouchEvent*>(event);
        pressed_ = touch->points().size() == 1;
        if (pressed_) pressedAt_ = touch->points().front().position();
        return QWidget::event(event);
    }
    if (event->type() != QEvent::Gesture) return QWidget::event(event);
    auto* gestures = static_cast<QGestureEvent*>(event);
    auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture));
    if (!pinch) return QWidget::event(event);
    // Each update's scale and move are from the one before.
    const QPointF centre = mapFromGlobal(pinch->centerPoint());
    if (pinch->state() != Qt::GestureStarted) Drag(centre - mapFromGlobal(pinch->lastCenterPoint()));
    ZoomAt(pinch->scaleFactor(), centre);
    pressed_ = false;   // two fingers pick nothing
    gestures->accept(pinch);
    return true;
}

void SceneView::keyPressEvent(QKeyEvent* event) {
    // Ctrl with the key's own character, whether Shift or the keypad gives it.
    const bool control = (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::ControlModifier;
    const int key = event->key();
    if (control && (key == Qt::Key_Plus || key == Qt::Key_Equal)) {
        if (zoom_.ZoomIn(scene_)) Changed();
    } else if (control && (key == Qt::Key_Minus || key == Qt::Key_Underscore)) {
        if (zoom_.ZoomOut(scene_)) Changed();
    } else if (control && key == Qt::Key_0) {
        ResetZoom();
    } else {
        return QWidget::keyPressEvent(event);
    }
}

void SceneView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) return event->ignore();   // the page scrolls
    // A notch is 120 eighths of a degree; a touchpad sends less at a time.
    wheelAngle_ += event->angleDelta().y();
    const int notches = wheelAngle_ / 120;
    wheelAngle_ -= notches * 120;
    if (notches != 0) ZoomAt(std::pow(ViewZoom::kStepFactor, notches), event->position());
    event->accept();
}

void SceneView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        pressedAt_ = event->position();
    }
    if (event->button() != Qt::LeftButton || !zoom_.zoomed()) return QWidget::mousePressEvent(event);
    dragging_ = true;
    lastDrag_ = event->position();
    Changed();
}

void SceneView::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && (event->position() - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) pressed_ = false;
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    Drag(event->position() - lastDrag_);
    lastDrag_ = event->position();
}

void SceneView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_ &&
        (event->position() - pressedAt_).manhattanLength() < QApplication::startDragDistance()) {
        pressed_ = false;
        // A tap reaches the widget as the mouse events the toolkit makes of it.
        const bool finger = event->source() != Qt::MouseEventNotSynthesized ||
                            (event->pointingDevice() && event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen);
        emit tapped(ToScene(event->position()), finger);
    }
    if (!dragging_) return QWidget::mouseReleaseEvent(event);
    dragging_ = false;
    Changed();
}

void SceneView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const double factor = zoom_.factor();
    PaintScene(painter, scene_, sceneArea(),
               {1 / factor, 1 / std::sqrt(factor), kMinimumPenPixels * percent_ / 100});
}

}  // namespace tamirel
