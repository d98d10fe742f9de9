#include "controls/qt/qt_picture_box.h"

#include <QtGui/QPainter>
#include <QtWidgets/qdrawutil.h>
#include <algorithm>
#include <cmath>

#include "controls/qt/drawing_painter.h"
#include "controls/runtime_error.h"

namespace tamirel {

namespace {

constexpr int kTwipsPerPixel = 15;

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

void CheckScale(float units) {
    if (units == 0.0f || !std::isfinite(units)) throw RuntimeError::InvalidPropertyValue();
}

}  // namespace

QtPictureBox::QtPictureBox(QWidget* parent)
    : QWidget(parent), backColor_(Rgb(240, 240, 240)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    drawing_.background = backColor_;
}

void QtPictureBox::resizeEvent(QResizeEvent* /*event*/) {
    const QRect area = drawingArea();
    if (!scaleWidthSet_) scaleWidth_ = static_cast<float>(std::max(area.width(), 1) * kTwipsPerPixel);
    if (!scaleHeightSet_) scaleHeight_ = static_cast<float>(std::max(area.height(), 1) * kTwipsPerPixel);
}

void QtPictureBox::SetScaleWidth(float units) {
    CheckScale(units);
    scaleWidth_ = units;
    scaleWidthSet_ = true;
}

void QtPictureBox::SetScaleHeight(float units) {
    CheckScale(units);
    scaleHeight_ = units;
    scaleHeightSet_ = true;
}

void QtPictureBox::Cls() {
    drawing_.primitives.clear();
    drawing_.background = backColor_;
    currentX_ = currentY_ = 0.0;
    backingStale_ = true;
    update();
    emit drawingChanged();
}

void QtPictureBox::SetDrawStyle(std::int16_t style) {
    if (style < kSolid || style > kInsideSolid) throw RuntimeError::InvalidPropertyValue();
    drawStyle_ = style;
}

void QtPictureBox::Circle(float x, float y, float radius) {
    const double r = std::fabs(static_cast<double>(radius)) / std::fabs(scaleWidth_);
    Add({Primitive::Kind::Circle, drawStyle_, FractionX(x), FractionY(y), r, 0.0});
}

void QtPictureBox::PSet(float x, float y) {
    currentX_ = FractionX(x);
    currentY_ = FractionY(y);
    Add({Primitive::Kind::Point, drawStyle_, currentX_, currentY_, 0.0, 0.0});
}

void QtPictureBox::Line(float x, float y) {
    const double fromX = currentX_;
    const double fromY = currentY_;
    currentX_ = FractionX(x);
    currentY_ = FractionY(y);
    Add({Primitive::Kind::Line, drawStyle_, fromX, fromY, currentX_, currentY_});
}

void QtPictureBox::Add(Primitive primitive) {
    drawing_.primitives.push_back(primitive);
    update(drawingArea());
    emit drawingChanged();
}

QRect QtPictureBox::drawingArea() const {
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

void QtPictureBox::paintEvent(QPaintEvent* /*event*/) {
    const QRect area = drawingArea();
    const qreal ratio = devicePixelRatioF();
    const QSize deviceSize = (QSizeF(area.size()) * ratio).toSize();
    if (backing_.size() != deviceSize || backing_.devicePixelRatio() != ratio) {
        backing_ = QImage(deviceSize, QImage::Format_RGB32);
        backing_.setDevicePixelRatio(ratio);
        backingStale_ = true;
    }
    if (backingStale_) {
        backing_.fill(ToQColor(drawing_.background));
        painted_ = 0;
        backingStale_ = false;
    }
    if (painted_ < drawing_.primitives.size()) {
        QPainter image(&backing_);
        PaintDrawing(image, drawing_, area.size(), 1.0, painted_);
        painted_ = drawing_.primitives.size();
    }

    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/true);
    painter.drawImage(area.topLeft(), backing_);
}

}  // namespace tamirel
