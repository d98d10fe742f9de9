#include "window/announcer.h"

#include <QtGui/QAccessible>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

namespace tamirel {

void Announcer::Say(QWidget* control, const QString& news, bool again) {
    if (!control || news.isEmpty()) return;
    QWidget* window = control->window();
    if (!again && labels_[turn_] && labels_[turn_]->window() == window && labels_[turn_]->accessibleName() == news) return;
    turn_ = 1 - turn_;
    if (!labels_[turn_] || labels_[turn_]->window() != window) {
        labels_[turn_] = new QLabel(window);
        labels_[turn_]->setObjectName(QStringLiteral("News"));
        labels_[turn_]->hide();
    }
    labels_[turn_]->setAccessibleName(news);
    QAccessibleEvent focus(labels_[turn_].data(), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    // Only the last news stays, once the reader is told of the other label.
    if (labels_[1 - turn_]) labels_[1 - turn_]->setAccessibleName(QString());
}

}  // namespace tamirel
