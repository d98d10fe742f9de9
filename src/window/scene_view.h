// A widget that shows any Scene, as large as fits, on white: the lesson's figure with its
// marks, or a construction's steps.
#pragma once

#include <QtWidgets/QWidget>

#include "lesson/scene.h"

namespace tamirel {

// The scene's focus square fills the widget's shorter side, centred; pens and letters scale
// with it. Screen readers meet it as a picture named
// by its accessible name and described by its accessible description.
class SceneView : public QWidget {
    Q_OBJECT

public:
    explicit SceneView(QWidget* parent = nullptr);

    void setScene(Scene scene);
    const Scene& scene() const { return scene_; }
    // Where the scene's 1000 x 1000 units lie, in widget coordinates (partly outside the widget
    // when the focus is a part of them).
    QRectF sceneArea() const;

    // The side it asks its layout for, in pixels; it takes any rectangle it is given and
    // centres the square in it, so it never ties its height to its width (a window that must
    // fit the screen can then be laid out from its least size alone).
    void setPreferredSide(int pixels);
    QSize sizeHint() const override { return {preferred_, preferred_}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Scene scene_;
    int preferred_ = 480;
};

}  // namespace tamirel
