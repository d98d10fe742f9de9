#include "controls/retained_picture_box.h"

#include <algorithm>
#include <cmath>

#include "controls/runtime_error.h"

namespace tamirel {

namespace {

void CheckScale(float units) {
    if (units == 0.0f || !std::isfinite(units)) throw RuntimeError::InvalidPropertyValue();
}

}  // namespace

RetainedPictureBox::RetainedPictureBox(Colour backColor) : backColor_(backColor) {
    drawing_.background = backColor_;
}

void RetainedPictureBox::SetAreaTwips(int width, int height) {
    if (!scaleWidthSet_) scaleWidth_ = static_cast<float>(std::max(width, 1));
    if (!scaleHeightSet_) scaleHeight_ = static_cast<float>(std::max(height, 1));
}

void RetainedPictureBox::SetScaleWidth(float units) {
    CheckScale(units);
    scaleWidth_ = units;
    scaleWidthSet_ = true;
}

void RetainedPictureBox::SetScaleHeight(float units) {
    CheckScale(units);
    scaleHeight_ = units;
    scaleHeightSet_ = true;
}

void RetainedPictureBox::Cls() {
    drawing_.primitives.clear();
    drawing_.background = backColor_;
    currentX_ = currentY_ = 0.0;
    DrawingChanged(true);
}

void RetainedPictureBox::SetDrawStyle(std::int16_t style) {
    if (style < kSolid || style > kInsideSolid) throw RuntimeError::InvalidPropertyValue();
    drawStyle_ = style;
}

void RetainedPictureBox::Circle(float x, float y, float radius) {
    const double r = std::fabs(static_cast<double>(radius)) / std::fabs(scaleWidth_);
    Add({Primitive::Kind::Circle, drawStyle_, FractionX(x), FractionY(y), r, 0.0});
}

void RetainedPictureBox::PSet(float x, float y) {
    currentX_ = FractionX(x);
    currentY_ = FractionY(y);
    Add({Primitive::Kind::Point, drawStyle_, currentX_, currentY_, 0.0, 0.0});
}

void RetainedPictureBox::Line(float x, float y) {
    const double fromX = currentX_;
    const double fromY = currentY_;
    currentX_ = FractionX(x);
    currentY_ = FractionY(y);
    Add({Primitive::Kind::Line, drawStyle_, fromX, fromY, currentX_, currentY_});
}

void RetainedPictureBox::Add(Primitive primitive) {
    drawing_.primitives.push_back(primitive);
    DrawingChanged(false);
}

}  // namespace tamirel
