#include "window/focus_ring.h"

#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <algorithm>

namespace tamirel {

FocusRing::FocusRing(QWidget& form) : QWidget(&form), form_(form) {
    setObjectName(QStringLiteral("FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FocusRing::Follow);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    const auto inForm = [&] {
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && (widget == &form_ || form_.isAncestorOf(widget));
    };
    switch (event->type()) {
        case QEvent::KeyPress:
            if (!keyboard_ && inForm()) {
                keyboard_ = true;
                Follow();
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (keyboard_ && inForm()) {
                keyboard_ = false;
                Follow();
            }
            break;
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            if (watched == &form_) Follow();
            break;
        default:
            break;
    }
    return false;
}

void FocusRing::Follow() {
    // The focused control is a child of the form, or inside one (a list's viewport); a dialog
    // is a child of the form too, but a window of its own. The form may be a window or a page
    // inside one.
    QWidget* focused = QApplication::focusWidget();
    if (focused && !form_.isAncestorOf(focused)) focused = nullptr;
    while (focused && focused->parentWidget() != &form_) focused = focused->parentWidget();
    target_ = focused;
    if (!keyboard_ || !target_ || target_ == this || !form_.isActiveWindow()) {
        hide();
        return;
    }
    const int out = width_ + gap_;
    setGeometry(target_->geometry().adjusted(-out, -out, out, out));
    raise();
    show();
    update();
}

void FocusRing::SetZoom(int percent) {
    width_ = std::max(kFocusRingWidth, (kFocusRingWidth * percent + 50) / 100);
    gap_ = std::max(kFocusRingGap, (kFocusRingGap * percent + 50) / 100);
    Follow();
}

void FocusRing::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect r = rect();
    const int w = width_;
    painter.fillRect(0, 0, r.width(), w, Qt::black);
    painter.fillRect(0, r.height() - w, r.width(), w, Qt::black);
    painter.fillRect(0, w, w, r.height() - 2 * w, Qt::black);
    painter.fillRect(r.width() - w, w, w, r.height() - 2 * w, Qt::black);
}

}  // namespace tamirel
