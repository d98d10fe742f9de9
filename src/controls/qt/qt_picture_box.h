// The canvas: a widget that keeps its drawing and shows it inside a sunken border.
#pragma once

#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <cstddef>

#include "controls/drawing.h"
#include "controls/picture_box.h"

namespace tamirel {

// Drawing calls only change the retained drawing and schedule a repaint; paintEvent paints
// what was added since the last paint into a backing image of the whole widget at the
// screen's pixel ratio and shows it, so covering, hiding or repainting never loses the
// drawing and a repaint does not replay it. Until a scale is set, the drawing area measures its size in twips (15 per pixel).
class QtPictureBox : public QWidget, public PictureBox {
    Q_OBJECT

public:
    static constexpr int kBorder = 2;   // pixels of sunken border on each side

    explicit QtPictureBox(QWidget* parent = nullptr);

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
    // The drawing area inside the border, in widget coordinates.
    QRect drawingArea() const;

signals:
    // After every change of the drawing: a primitive added or a clear.
    void drawingChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Add(Primitive primitive);
    double FractionX(float x) const { return static_cast<double>(x) / scaleWidth_; }
    double FractionY(float y) const { return static_cast<double>(y) / scaleHeight_; }

    float scaleWidth_ = 0.0f;
    float scaleHeight_ = 0.0f;
    bool scaleWidthSet_ = false;    // until set, a scale follows the size in twips
    bool scaleHeightSet_ = false;
    Colour backColor_;
    std::int16_t drawStyle_ = kSolid;
    double currentX_ = 0.0;   // current point, as fractions of the area
    double currentY_ = 0.0;
    Drawing drawing_;

    QImage backing_;             // the border, and drawing_ painted up to primitive painted_
    std::size_t painted_ = 0;
    bool backingStale_ = true;   // backing_ must be refilled before painting into it
};

}  // namespace tamirel
