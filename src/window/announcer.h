// News for a screen reader about what a key or a button just did: the step it showed, the
// figure it drew.
#pragma once

#include <QtCore/QPointer>
#include <QtCore/QString>

class QWidget;

namespace tamirel {

// Readers speak a change of the focused control's accessible name, reading the name from the
// control. The toolkit's AT-SPI bridge (Qt 6.4) sends a description change as the object
// instead of its text, which a reader cannot speak, and a label whose text changes while
// another control has the focus is not read at all. So the news is added to the focused
// control's own name ("Напред. Стъпка 4 от 14. …") until news comes through another control,
// which gives the first its own name back.
class Announcer {
public:
    // Says `news` through `control` (a NameChanged event on it); a null control only gives the
    // last one its own name back. The same news through the same control is not said again.
    void Say(QWidget* control, const QString& news);

private:
    QPointer<QWidget> control_;
    QString ownName_;   // control_'s accessible name before the news
    QString told_;      // the name the news gave it
};

}  // namespace tamirel
