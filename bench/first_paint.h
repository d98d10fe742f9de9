// Ends the event loop as soon as a widget has been painted once.
#pragma once

#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

class FirstPaintQuitter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Quit once this paint has been delivered, not before it.
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(watched, event);
    }
};

inline void QuitAfterFirstPaint(QWidget& widget) { widget.installEventFilter(new FirstPaintQuitter(&widget)); }
