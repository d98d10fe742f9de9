// A visible mark around the control that has the keyboard focus.
#pragma once

#include <QtWidgets/QWidget>

namespace tamirel {

// A ring kFocusRingWidth pixels wide (scaled with the window's zoom), kFocusRingGap pixels outside the focused child of its
// parent, in black (at least 12:1 against the window's and the labels' colours). It shows
// while the keyboard is in use, as a browser's focus-visible does: from a key press in the
// window until the next mouse press, so the window looks as designed until someone types.
// It marks only the form's own controls, hides while another window (a dialog, a menu) is
// active, never covers the focused control itself and lets every mouse event through.
class FocusRing : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFocusRingWidth = 2;
    static constexpr int kFocusRingGap = 1;

    explicit FocusRing(QWidget& form);

    // The control the ring is around, or nullptr while it is hidden.
    QWidget* target() const { return isVisible() ? target_ : nullptr; }
    // Puts the ring around the focused control as it stands now (after a move or resize).
    void Follow();
    // The ring's width and gap at `percent` of the normal size, at least the normal ones.
    void SetZoom(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget& form_;
    QWidget* target_ = nullptr;
    bool keyboard_ = false;
    int width_ = kFocusRingWidth;
    int gap_ = kFocusRingGap;
};

}  // namespace tamirel
