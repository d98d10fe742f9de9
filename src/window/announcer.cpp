#include "window/announcer.h"

#include <QtCore/QVariant>
#include <QtWidgets/QWidget>

namespace tamirel {

void Announcer::Say(QWidget* control, const QString& news) {
    if (control_ != control) {
        // The program may have named it anew meanwhile; that name stays.
        if (control_ && control_->accessibleName() == told_) control_->setAccessibleName(ownName_);
        control_ = control;
        ownName_ = control ? control->accessibleName() : QString();
    }
    if (!control) return;
    // Without a name of its own a control is called by its text, as a button or a label is.
    const QString own = ownName_.isEmpty() ? control->property("text").toString() : ownName_;
    told_ = own.isEmpty() ? news : own + QStringLiteral(". ") + news;
    if (control->accessibleName() != told_) control->setAccessibleName(told_);
}

}  // namespace tamirel
