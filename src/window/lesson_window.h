// The lesson window: the chosen figure with its marks and its numbers worked out, beside the
// main window, following its radius and vertex-count lists. It only lays out what the lesson
// layer makes and wires the commands.
#pragma once

#include <QtWidgets/QWidget>
#include <functional>
#include <vector>

#include "controls/list_box.h"
#include "lesson/lesson.h"

class QAction;
class QBoxLayout;
class QCheckBox;
class QLabel;
class QMimeData;
class QPushButton;

namespace tamirel {

class ConstructionPanel;
class ZoomStyle;
class FocusRing;
class SceneView;

class LessonWindow : public QWidget {
    Q_OBJECT

public:
    // Asks where to save, starting in `folder`; the empty string cancels.
    using SavePathChooser = std::function<QString(const QString& folder)>;

    // Gives the room the window may take on the screen, with its frame; empty asks the
    // window's screen.
    using AreaMeasure = std::function<QSize()>;

    // Reads `radii` and `counts` (which outlive it) now and at every Refresh; texts at
    // `percent` of their normal size, as the main window's zoom, within `area`. Deletes
    // itself when closed.
    LessonWindow(const ListBox& radii, const ListBox& counts, int percent, QWidget* parent, AreaMeasure area = {});

    const Lesson& lesson() const { return lesson_; }
    // Reads the lists again and shows their figure.
    void Refresh();
    // Texts and figures at `percent` of the normal size, as far as the available area allows:
    // the window never opens larger than that area. The construction stands beside the numbers
    // or below the figure, whichever shows more (texts and figures together); when even
    // the figures' least sizes leave no room, the texts get smaller (down to half their size).
    void SetZoom(int percent);
    // Lays the window out again for another area.
    void setAvailableArea(AreaMeasure measure);
    // The texts' size in percent as shown, at most the zoom given; whether the construction
    // stands beside the numbers (true) or below the figure.
    int shownPercent() const { return shownPercent_; }
    bool constructionBeside() const { return beside_; }

    // The figure, a view of any scene; the column beside it, where more panels may go (under
    // the numbers, above the commands).
    SceneView* figure() const { return figure_; }
    QBoxLayout* column() const { return column_; }
    // Below them, the figure's construction step by step.
    ConstructionPanel* construction() const { return construction_; }
    QCheckBox* diagonalsBox() const { return diagonals_; }
    // Ctrl+C, Ctrl+S, Ctrl+P, Ctrl+D (diagonals on or off); Escape closes.
    QAction* copyAction() const { return copy_; }
    QAction* saveAction() const { return save_; }
    QAction* printAction() const { return print_; }
    QAction* diagonalsAction() const { return toggleDiagonals_; }
    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }

    // The figure with its marks and the numbers, on the clipboard as PNG and SVG.
    void CopyLesson();
    void SaveLessonAs();
    void PrintLesson();

private:
    QAction* Command(const QString& text, const QKeySequence& key);
    // The available area less the window's frame.
    QSize Room() const;
    void Arrange(bool beside);
    // Fonts and least sizes at `percent`; whether the window's least size fits `room`; the
    // largest percentage up to the zoom at which it does.
    void ApplyPercent(int percent);
    bool Fits(QSize room) const;
    void Place(const QRect& area);
    void KeepNumbersWhole(int percent);
    int FittedPercent(QSize room);

    const ListBox& radii_;
    const ListBox& counts_;
    Lesson lesson_;
    SceneView* figure_ = nullptr;
    QBoxLayout* page_ = nullptr;
    QBoxLayout* column_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* givens_ = nullptr;
    std::vector<QLabel*> numbers_;
    QCheckBox* diagonals_ = nullptr;
    ConstructionPanel* construction_ = nullptr;
    std::vector<QPushButton*> buttons_;
    FocusRing* focusRing_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* save_ = nullptr;
    QAction* print_ = nullptr;
    QAction* toggleDiagonals_ = nullptr;
    SavePathChooser chooseSavePath_;
    QString saveFolder_;
    AreaMeasure availableArea_;
    ZoomStyle* buttonStyle_ = nullptr;   // a child, at the texts' size
    int percent_ = 100;
    int shownPercent_ = 0;   // 0 until first laid out
    bool beside_ = false;
};

// The lesson's page as an image, one pixel a canvas unit (LessonPageWidth wide), and as PNG
// and SVG clipboard contents (with the lesson's text as plain text).
QImage LessonToImage(const Lesson& lesson);
QMimeData* LessonToMimeData(const Lesson& lesson);

}  // namespace tamirel
