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
class FocusRing;
class SceneView;

class LessonWindow : public QWidget {
    Q_OBJECT

public:
    // Asks where to save, starting in `folder`; the empty string cancels.
    using SavePathChooser = std::function<QString(const QString& folder)>;

    // Reads `radii` and `counts` (which outlive it) now and at every Refresh; texts at
    // `percent` of their normal size, as the main window's zoom. Deletes itself when closed.
    LessonWindow(const ListBox& radii, const ListBox& counts, int percent, QWidget* parent);

    const Lesson& lesson() const { return lesson_; }
    // Reads the lists again and shows their figure.
    void Refresh();
    // Texts and the figure's least size at `percent` of the normal size.
    void SetZoom(int percent);

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

    const ListBox& radii_;
    const ListBox& counts_;
    Lesson lesson_;
    SceneView* figure_ = nullptr;
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
    int percent_ = 100;
};

// The lesson's page as an image, one pixel a canvas unit (LessonPageWidth wide), and as PNG
// and SVG clipboard contents (with the lesson's text as plain text).
QImage LessonToImage(const Lesson& lesson);
QMimeData* LessonToMimeData(const Lesson& lesson);

}  // namespace tamirel
