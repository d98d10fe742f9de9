// The lesson window: the chosen figure with its marks and its numbers worked out, and its
// construction, on a page that scrolls, beside the main window, following its radius and
// vertex-count lists. It only lays out what the lesson
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
class QScrollArea;

namespace tamirel {

class ConstructionPanel;
class KeyRows;
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

    // Reads `radii` and `counts` (which outlive it) now and at every Refresh, and chooses in them
    // the figure of an attempt opened from a file; texts at
    // `percent` of their normal size, as the main window's zoom, within `area` (placed beside
    // `parent`, the main window). Deletes itself when closed.
    LessonWindow(ListBox& radii, ListBox& counts, int percent, QWidget* parent, AreaMeasure area = {});

    const Lesson& lesson() const { return lesson_; }
    // Reads the lists again and shows their figure.
    void Refresh();
    // Texts and figures at `percent` of the normal size, never less: texts at least the main
    // window's (kTextPixels x percent), each figure at least the side at which its letters are
    // kMinimumLabelPixels x percent high. The window stands beside the main window where the
    // screen has room for it (see Place), and its page scrolls where it holds more than the
    // window shows.
    void SetZoom(int percent);
    // Places the window again for another area.
    void setAvailableArea(AreaMeasure measure);

    // How the page is arranged for the window's width: the construction beside the numbers
    // (three columns), below the figure and its numbers (two rows), or everything in one
    // column.
    enum class Arrangement { ThreeColumns, TwoRows, OneColumn };
    Arrangement arrangement() const { return arrangement_; }
    // The scrolling page that holds every control.
    QScrollArea* scrollArea() const { return scroll_; }
    QWidget* page() const { return page_; }

    // The figure, a view of any scene; the column beside it, where more panels may go (under
    // the numbers, above the commands; their parent is page()).
    SceneView* figure() const { return figure_; }
    QBoxLayout* column() const { return column_; }
    // Below them, the figure's construction step by step.
    ConstructionPanel* construction() const { return construction_; }
    QCheckBox* diagonalsBox() const { return diagonals_; }
    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }

    // The figure with its marks and the numbers, on the clipboard as PNG and SVG; while the
    // construction's controls have the focus, its step or the pupil's attempt.
    void CopyLesson();
    void SaveLessonAs();
    void PrintLesson();

private:
    // Beside the main window, on the side with more room, as tall as the available area; where
    // neither side holds the page's least width (or half the area), the main window moves to
    // the area's right edge (its lists are at its right) and the lesson takes the left, over
    // the main window's drawing where it must.
    void Place();
    // The page's least width, pixels: both figures whole at their readable sides, with the
    // margins and a vertical scroll bar (texts and keys break into more lines and rows).
    int LeastWidth() const;
    // Arranges the page for the scroll area's width and height.
    void Relayout();
    int NaturalColumnWidth() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:

    // Chooses the figure in the lists, refreshing once for both.
    void ChooseFigure(double radius, int n);

    ListBox& radii_;
    ListBox& counts_;
    bool choosing_ = false;   // the lists are being set: one Refresh after both
    Lesson lesson_;
    SceneView* figure_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* page_ = nullptr;
    QBoxLayout* rows_ = nullptr;   // the lesson's row and the construction
    QBoxLayout* body_ = nullptr;   // the figure and its column
    QBoxLayout* column_ = nullptr;
    std::vector<QAction*> scrolling_;   // Up and Down, given to the picks while the pupil builds
    QLabel* title_ = nullptr;
    QLabel* givens_ = nullptr;
    std::vector<QLabel*> numbers_;
    QCheckBox* diagonals_ = nullptr;
    ConstructionPanel* construction_ = nullptr;
    KeyRows* commands_ = nullptr;
    FocusRing* focusRing_ = nullptr;
    SavePathChooser chooseSavePath_;
    QString saveFolder_;
    AreaMeasure availableArea_;
    ZoomStyle* buttonStyle_ = nullptr;   // a child, at the texts' size
    int percent_ = 100;
    Arrangement arrangement_ = Arrangement::OneColumn;
    bool arranging_ = false;
};

}  // namespace tamirel
