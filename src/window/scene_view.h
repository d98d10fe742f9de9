// A widget that shows any Scene on white: the lesson's figure with its marks, or a
// construction's steps, never smaller than its letters can be read, and enlarged and moved as
// the user likes, and the place a click or a tap points at.
#pragma once

#include <QtCore/QPointF>
#include <QtWidgets/QWidget>

#include "lesson/scene.h"
#include "lesson/view_zoom.h"

namespace tamirel {

// The square the view's ViewZoom gives (at first the scene's focus square) fills the widget's
// shorter side, centred. Screen readers meet it as a picture named by its accessible name and
// described by its accessible description.
//
// Enlarging and moving: Ctrl with the wheel (about the pointer; the wheel alone scrolls the
// page it stands on), Ctrl+Plus (and Ctrl+=), Ctrl+Minus and Ctrl+0 while it has the focus,
// two fingers pinching and moving, a drag with the mouse or one finger while enlarged. Pens
// and dots keep their width on screen when enlarged; letters grow with the square root of the
// enlargement, so they stay by their points and crowded ones draw apart.
class SceneView : public QWidget {
    Q_OBJECT

public:
    explicit SceneView(QWidget* parent = nullptr);

    // Shows `scene`; the enlargement stays while the scene's focus square does (the steps of
    // one construction) and starts again otherwise.
    void setScene(Scene scene);
    const Scene& scene() const { return scene_; }
    const ViewZoom& zoom() const { return zoom_; }
    void ResetZoom();
    // Where the scene's 1000 x 1000 units lie, in widget coordinates (partly outside the widget
    // when the shown square is a part of them).
    QRectF sceneArea() const;
    // Widget pixels per canvas unit as shown.
    double pixelsPerUnit() const;
    // The pixel height of the scene's labels as shown.
    double labelPixels() const;

    // The main window's zoom in percent: no label is drawn smaller than kMinimumLabelPixels
    // and no pen thinner than kMinimumPenPixels times it; readableSide() is the least side
    // that keeps the scene's letters so.
    void setPercent(int percent);
    int readableSide() const;

signals:
    // A click or a tap that moved nothing: where it points, in canvas units, and whether a
    // finger made it (a touch screen's tap) rather than a mouse.
    void tapped(ScenePoint at, bool finger);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The canvas point at widget position `at`.
    ScenePoint ToScene(QPointF at) const;
    // Enlarges by `ratio` keeping the point at widget position `at` in place; moves by a drag
    // of `pixels`.
    void ZoomAt(double ratio, QPointF at);
    void Drag(QPointF pixels);
    void Changed();

    Scene scene_;
    ViewZoom zoom_;
    int percent_ = 100;
    int wheelAngle_ = 0;   // eighths of a degree of Ctrl+wheel not yet turned into a step
    bool dragging_ = false;
    QPointF lastDrag_;
    // The press a release may make a tap of: where it was, and whether anything moved or
    // pinched the figure since.
    QPointF pressedAt_;
    bool pressed_ = false;
};

}  // namespace tamirel
