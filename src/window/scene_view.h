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

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Scene scene_;
};

}  // namespace tamirel
