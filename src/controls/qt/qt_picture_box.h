// The canvas widget: shows the retained drawing inside a sunken border.
#pragma once

#include <QtGui/QImage>
#include <QtWidgets/QWidget>
#include <cstddef>

#include "controls/retained_picture_box.h"

namespace tamirel {

// Drawing calls only change the retained drawing and schedule a repaint; paintEvent paints
// what was added since the last paint into a backing image of the whole widget at the
// screen's pixel ratio and shows it, so covering, hiding or repainting never loses the
// drawing and a repaint does not replay it. Until a scale is set, the drawing area measures
// its size in twips (15 per pixel).
class QtPictureBox : public QWidget, public RetainedPictureBox {
    Q_OBJECT

public:
    static constexpr int kBorder = 2;   // pixels of sunken border on each side

    explicit QtPictureBox(QWidget* parent = nullptr);

    // The drawing area inside the border, in widget coordinates.
    QRect drawingArea() const;
    // The width of the drawing's lines in logical pixels (1 and up; 1 at first); the dash
    // lengths, in line widths, grow with it. The drawing is repainted.
    void SetLineWidth(int pixels);
    int lineWidth() const { return lineWidth_; }

signals:
    // After every change of the drawing: a primitive added or a clear.
    void drawingChanged();

protected:
    void DrawingChanged(bool cleared) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage backing_;             // the border, and the drawing painted up to primitive painted_
    std::size_t painted_ = 0;
    bool backingStale_ = true;   // backing_ must be refilled before painting into it
    int lineWidth_ = 1;
};

}  // namespace tamirel
