// The lesson window's construction: the straightedge-and-compass construction of the current
// figure, one step at a time, with its sentence; keys to move through it and play it; the
// step's figure on the clipboard and in files, and the whole construction as a printed
// handout. It only lays out what the lesson layer makes and wires the commands.
#pragma once

#include <QtCore/QObject>
#include <QtWidgets/QGridLayout>
#include <functional>
#include <vector>

#include "controls/list_box.h"
#include "lesson/construction_steps.h"

class QAction;
class QBoxLayout;
class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace tamirel {

class SceneView;

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

    // The step keys (Right and Page Down, Left and Page Up, Home, End, Space) are added to
    // `window`, so they work wherever its focus is; Space on a focused button presses it.
    explicit ConstructionPanel(QWidget& window);

    QBoxLayout* layout() const { return layout_; }
    // True when the keyboard focus is on one of the construction's controls: then the window's
    // Ctrl+C, Ctrl+S and Ctrl+P are the construction's.
    bool HasFocus() const;

    // Reads the lists again: a new figure starts at step 1, unenlarged, and stops playing.
    void Follow(const ListBox& radii, const ListBox& counts);
    // The figure above its text and keys (stacked) or beside them.
    void Arrange(bool stacked);
    // The width the text and keys beside or below the figure want, pixels: the keys' rows
    // whole; and the width they get, at which the keys may stand in more rows.
    int naturalTextWidth() const;
    void FitText(int width);

    const ConstructionSteps& steps() const { return steps_; }
    bool playing() const;
    SceneView* figure() const { return figure_; }
    QLabel* caption() const { return caption_; }
    QLabel* sentence() const { return sentence_; }
    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }

    void Forward();
    void Back();
    void Home();
    void End();
    // Plays from the current step (from step 1 when at the end), one step every
    // kPlayMilliseconds, and stops at the end; while playing, stops.
    void Play();

    // The current step's figure and sentence on the clipboard (PNG and SVG), in a file, and
    // the whole construction through the print dialog as a handout.
    void CopyStep();
    void SaveStepAs();
    void PrintHandout();

private:
    void Show();
    void Stop();

    QWidget& window_;
    QBoxLayout* layout_ = nullptr;
    std::vector<QWidget*> controls_;
    KeyRows* moves_ = nullptr;
    KeyRows* files_ = nullptr;
    ConstructionSteps steps_;
    SceneView* figure_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* sentence_ = nullptr;
    QPushButton* play_ = nullptr;
    QTimer* timer_ = nullptr;
    SavePathChooser chooseSavePath_;
    QString saveFolder_;
};

}  // namespace tamirel
