// The lesson window's construction: the straightedge-and-compass construction of the current
// figure, one step at a time, with its sentence; keys to move through it and play it; the
// step's figure on the clipboard and in files, and the whole construction as a printed
// handout. It only lays out what the lesson layer makes and wires the commands.
#pragma once

#include <QtCore/QObject>
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

    // The moves' keys (LessonCommands) are added to `window`, so they work wherever its focus
    // is; Space on a focused button presses it.
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

    // A move or play, as ConstructionPlayer runs it; its timer ticks every kPlayMilliseconds
    // while it plays.
    void Run(Command command);

    // The current step's figure and sentence on the clipboard (PNG and SVG), in a file, and
    // the whole construction through the print dialog as a handout.
    void CopyStep();
    void SaveStepAs();
    void PrintHandout();

private:
    // The step, the buttons' captions and states as the table gives them, and the timer
    // running while the player plays.
    void Show();
    void Stop();

    QWidget& window_;
    QBoxLayout* layout_ = nullptr;
    std::vector<QWidget*> controls_;
    KeyRows* moves_ = nullptr;
    KeyRows* files_ = nullptr;
    ConstructionPlayer player_;
    const ConstructionSteps& steps_ = player_.steps();   // what the step's files show
    std::vector<std::pair<Command, QPushButton*>> buttons_;
    SceneView* figure_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* sentence_ = nullptr;
    QTimer* timer_ = nullptr;
    Announcer announcer_;
    SavePathChooser chooseSavePath_;
    QString saveFolder_;
};

}  // namespace tamirel
