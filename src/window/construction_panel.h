// The lesson window's construction: the straightedge-and-compass construction of the current
// figure, one step at a time, with its sentence; keys to move through it and play it; the
// step's figure on the clipboard and in files, and the whole construction as a printed
// handout. And the pupil's own attempt at it ("Построй сам"): its tools, picks by mouse, finger
// and keys, its edits and its files. It only lays out what the lesson layer makes and wires
// the commands.
#pragma once

#include <QtCore/QObject>
#include <QtGui/QKeySequence>
#include <QtWidgets/QGridLayout>
#include <functional>
#include <utility>
#include <vector>

#include "controls/list_box.h"
#include "window/announcer.h"
#include "lesson/construction_player.h"
#include "lesson/lesson_commands.h"

class QAction;
class QBoxLayout;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace tamirel {

class SceneView;

// The toolkit's key sequence for a key of the command table.
QKeySequence KeySequenceOf(const Key& key);
// An action with the command's caption and keys, added to `window`, whose keys act wherever
// its focus is.
QAction* AddCommandAction(QWidget& window, const CommandEntry& entry, QObject* parent);
// A button with the command's caption and its keys (or hint) as its tooltip.
QPushButton* CommandButton(QWidget& parent, const CommandEntry& entry);

// Buttons in rows of equal columns: all on one row where the width holds them, otherwise as
// many to a row as it holds (at least one), in the order added. The lesson window's commands
// and the construction's keys.
class KeyRows : public QGridLayout {
public:
    explicit KeyRows(int spacing) { setSpacing(spacing); }
    void Add(QWidget* button);
    const std::vector<QWidget*>& keys() const { return keys_; }
    // The width of all on one row, pixels.
    int naturalWidth() const;
    void Fit(int width);

private:
    std::vector<QWidget*> keys_;
    int columns_ = 0;
};

// Its controls are direct children of `window` (so the window's focus ring goes round each;
// the lesson's page, which scrolls), placed by layout(), which the window puts where it likes.
class ConstructionPanel : public QObject {
    Q_OBJECT

public:
    using SavePathChooser = std::function<QString(const QString& folder)>;
    using OpenPathChooser = std::function<QString(const QString& folder)>;

    // The moves' and the attempt's keys (LessonCommands) are added to `window`, so they work
    // wherever its focus is; Space on a focused button presses it. Each key's action is enabled
    // only while its command's side is shown, the worked construction's or the attempt's, so of
    // two commands sharing a key only the one that can act holds it.
    explicit ConstructionPanel(QWidget& window);

    QBoxLayout* layout() const { return layout_; }
    // True when the keyboard focus is on one of the construction's controls: then the window's
    // Ctrl+C, Ctrl+S and Ctrl+P are the construction's.
    bool HasFocus() const;

    // Reads the lists again: a new figure shows its first step, unenlarged, and stops playing.
    void Follow(const ListBox& radii, const ListBox& counts);
    // The figure above its text and keys (stacked) or beside them.
    void Arrange(bool stacked);
    // The width the text and keys beside or below the figure want, pixels: the keys' rows
    // whole; and the width they get, at which the keys may stand in more rows.
    int naturalTextWidth() const;
    void FitText(int width);

    const ConstructionSteps& steps() const { return player_.steps(); }
    bool playing() const { return player_.playing(); }
    SceneView* figure() const { return figure_; }
    QLabel* caption() const { return caption_; }
    QLabel* sentence() const { return sentence_; }
    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }
    void setOpenPathChooser(OpenPathChooser chooser) { chooseOpenPath_ = std::move(chooser); }
    // While the pupil builds: the attempt in place of the worked construction's steps.
    bool building() const { return player_.attempt().active(); }
    const AttemptSession& attempt() const { return player_.attempt(); }

    // A move or play, as ConstructionPlayer runs it; its timer ticks every kPlayMilliseconds
    // while it plays.
    void Run(Command command);

    // The current step's figure and sentence on the clipboard (PNG and SVG), in a file, and
    // the whole construction through the print dialog as a handout.
    void CopyStep();
    void SaveStepAs();
    void PrintHandout();

    // The attempt's page on the clipboard and through the print dialog; saved as an attempt
    // file (AttemptToText, kAttemptExtension) or as a picture of the page, by the extension
    // chosen. An attempt file opened: a file that cannot be read or is no attempt is shown in a
    // message box and changes nothing; one at another figure asks for it by figureOpened.
    void CopyAttempt();
    void SaveAttemptAs();
    void PrintAttempt();
    void OpenAttempt();

signals:
    // An attempt at another figure was opened: the lists are to choose it (then Follow keeps
    // the attempt).
    void figureOpened(double radius, int n);
    // After every change shown: a step, playing, or the attempt started, changed or left.
    void shown();

private:
    // A click or a tap on the figure while building: picks within a mouse's or a finger's reach.
    void PickAt(ScenePoint at, bool finger);
    // The step or the attempt, the buttons' captions and states as the table gives them, and
    // the timer running while the player plays. `answered`: after a call of the attempt's, whose
    // sentence is said even where it is the last one again.
    void Show(bool answered = false);
    void Stop();

    QWidget& window_;
    QBoxLayout* layout_ = nullptr;
    std::vector<QWidget*> controls_;
    // The rows in the table's order: the worked construction's moves and files, the row that
    // starts the attempt, and the attempt's tools, edits and files.
    KeyRows* moves_ = nullptr;
    KeyRows* files_ = nullptr;
    KeyRows* build_ = nullptr;
    KeyRows* tools_ = nullptr;
    KeyRows* edits_ = nullptr;
    KeyRows* attemptFiles_ = nullptr;
    ConstructionPlayer player_;
    const ConstructionSteps& steps_ = player_.steps();   // what the step's files show
    std::vector<std::pair<Command, QPushButton*>> buttons_;
    std::vector<std::pair<Command, QAction*>> actions_;   // one a key
    SceneView* figure_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* sentence_ = nullptr;
    QTimer* timer_ = nullptr;
    Announcer announcer_;
    SavePathChooser chooseSavePath_;
    OpenPathChooser chooseOpenPath_;
    QString saveFolder_;
    QString openFolder_;
};

}  // namespace tamirel
