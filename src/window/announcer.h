// News for a screen reader about what a key or a button just did: the step it showed, the
// figure it drew.
#pragma once

#include <QtCore/QPointer>
#include <QtCore/QString>

class QLabel;
class QWidget;

namespace tamirel {

// A reader speaks what gets the focus. A change of a name or a description is not enough: the
// toolkit's AT-SPI bridge (Qt 6.4) sends it with the object instead of the text as its data, so
// Orca 43 speaks nothing for it ("bad content sent to speak()" the first time, "old name is the
// same" after). So the news is the name of one of two hidden labels of the window, and that
// label is reported focused to the reader only; the keyboard focus stays where it is. The labels
// take turns, since a reader says nothing when the focus it is told of is where it already was;
// the one named is the window's last news. Their object name is "News".
class Announcer {
public:
    // Says `news` in `control`'s window; nothing for a null control, or for the news just said
    // in the same window unless `again` (the same answer to a second key press).
    void Say(QWidget* control, const QString& news, bool again = false);

private:
    QPointer<QLabel> labels_[2];
    int turn_ = 0;
};

}  // namespace tamirel
