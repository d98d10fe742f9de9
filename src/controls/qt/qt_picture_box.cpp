#include "controls/qt/qt_picture_box.h"

#include <QtGui/QPaintEvent>
#include <QtGui/QPainter>

#include "controls/qt/drawing_painter.h"
#include "controls/qt/qt_colour.h"
#include "controls/twips.h"

namespace tamirel {

namespace {

// A classic two-pixel sunken edge: shadow above and left, light below and right. Solid
// fills, as a general line-drawing routine would cost more than the drawing inside.
void PaintSunkenBorder(QPainter& painter, const QRect& r) {
    const QColor outerShadow(128, 128, 128), innerShadow(64, 64, 64);
    const QColor outerLight(255, 255, 255), innerLight(212, 208, 200);
    const int w = r.width(), h = r.height();
    painter.fillRect(0, 0, w - 1, 1, outerShadow);
    painter.fillRect(0, 1, 1, h - 2, outerShadow);
    painter.fillRect(1, 1, w - 3, 1, innerShadow);
    painter.fillRect(1, 2, 1, h - 4, innerShadow);
    painter.fillRect(0, h - 1, w, 1, outerLight);
    painter.fillRect(w - 1, 0, 1, h - 1, outerLight);
    painter.fillRect(1, h - 2, w - 2, 1, innerLight);
    painter.fillRect(w - 2, 1, 1, h - 3, innerLight);
}

}  // namespace

QtPictureBox::QtPictureBox(QWidget* parent) : QWidget(parent), RetainedPictureBox(Rgb(240, 240, 240)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void QtPictureBox::resizeEvent(QResizeEvent* /*event*/) {
    const QRect area = drawingArea();
    SetAreaTwips(area.width() * kTwipsPerPixel, area.height() * kTwipsPerPixel);
}

void QtPictureBox::DrawingChanged(bool cleared) {
    if (cleared) {
        backingStale_ = true;
        update();
    } else {
        update(drawingArea());
    }
    emit drawingChanged();
}

void QtPictureBox::SetLineWidth(int pixels) {
    if (pixels < 1 || pixels == lineWidth_) return;
    lineWidth_ = pixels;
    backingStale_ = true;
    update();
}

QRect QtPictureBox::drawingArea() const {
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

void QtPictureBox::paintEvent(QPaintEvent* event) {
    const QRect area = drawingArea();
    const qreal ratio = devicePixelRatioF();
    const QSize deviceSize = (QSizeF(size()) * ratio).toSize();
    if (backing_.size() != deviceSize || backing_.devicePixelRatio() != ratio) {
        backing_ = QImage(deviceSize, QImage::Format_RGB32);
        backing_.setDevicePixelRatio(ratio);
        QPainter border(&backing_);
        PaintSunkenBorder(border, rect());
        backingStale_ = true;
    }
    if (backingStale_ || painted_ < drawing().primitives.size()) {
        QPainter image(&backing_);
        if (backingStale_) {
            image.fillRect(area, ToQColor(drawing().background));
            painted_ = 0;
            backingStale_ = false;
        }
        image.translate(area.topLeft());
        PaintDrawing(image, drawing(), area.size(), lineWidth_, painted_);
        painted_ = drawing().primitives.size();
    }
    const QRect dirty = event->rect();
    // Point and source rectangle rather than two rectangles: a plain copy, never a scaling.
    QPainter(this).drawImage(dirty.topLeft(), backing_, QRectF(QPointF(dirty.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}

}  // namespace tamirel
