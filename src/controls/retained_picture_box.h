// The canvas's state without any toolkit: scale, background, line style, current point and
// the drawing kept since the last clear. A face (a widget, a browser canvas) derives from it
// and only paints.
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/drawing.h"
#include "controls/picture_box.h"

namespace tamirel {

class RetainedPictureBox : public PictureBox {
public:
    explicit RetainedPictureBox(Colour backColor);

    // A scale of 0 or one that is not finite is an invalid-property-value error.
    void SetScaleWidth(float units) override;
    void SetScaleHeight(float units) override;
    float ScaleWidth() const override { return scaleWidth_; }
    float ScaleHeight() const override { return scaleHeight_; }
    void SetBackColor(Colour colour) override { backColor_ = colour; }
    Colour BackColor() const { return backColor_; }
    void Cls() override;
    // A style outside 0..6 is an invalid-property-value error.
    void SetDrawStyle(std::int16_t style) override;
    std::int16_t DrawStyle() const override { return drawStyle_; }
    // A negative radius draws the circle of its magnitude.
    void Circle(float x, float y, float radius) override;
    void PSet(float x, float y) override;
    void Line(float x, float y) override;

    // What was drawn since the last Cls, and the background it was drawn on.
    const Drawing& drawing() const { return drawing_; }

    // The scale an area of `width` x `height` twips has until a scale is set: its size in
    // twips. A face calls it whenever its drawing area changes size.
    void SetAreaTwips(int width, int height);

protected:
    // After every change of the drawing: `cleared` for a Cls, otherwise one primitive was
    // added at the end. The face schedules a repaint here; it must not paint at once.
    virtual void DrawingChanged(bool cleared) { (void)cleared; }

private:
    void Add(Primitive primitive);
    double FractionX(float x) const { return static_cast<double>(x) / scaleWidth_; }
    double FractionY(float y) const { return static_cast<double>(y) / scaleHeight_; }

    float scaleWidth_ = 1.0f;
    float scaleHeight_ = 1.0f;
    bool scaleWidthSet_ = false;    // until set, a scale follows the area's size in twips
    bool scaleHeightSet_ = false;
    Colour backColor_;
    std::int16_t drawStyle_ = kSolid;
    double currentX_ = 0.0;   // current point, as fractions of the area
    double currentY_ = 0.0;
    Drawing drawing_;
};

}  // namespace tamirel
