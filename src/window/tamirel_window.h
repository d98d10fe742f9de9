// The main window: builds the controls from the layout table, hands them to the form and runs
// the form's handlers on the user's clicks; owns copy, save and the canvas's menu.
#pragma once

#include <QtCore/QPointer>
#include <QtGui/QKeySequence>
#include <QtWidgets/QWidget>
#include <functional>
#include <memory>

#include "controls/runtime_error.h"
#include "form/tamirel_form.h"
#include "window/announcer.h"
#include "window/build_controls.h"
#include "window/lesson_window.h"

class QAction;

namespace tamirel {
class FocusRing;
}

namespace tamirel {

class Tamirel : public QWidget {
    Q_OBJECT

public:
    // Asks where to save the drawing, starting in `folder`; the empty string cancels. The
    // window's default is a file dialog.
    using SavePathChooser = std::function<QString(const QString& folder)>;

    explicit Tamirel(QWidget* parent = nullptr);
    ~Tamirel() override;

    const Controls& controls() const { return controls_; }
    TamirelForm& form() { return *form_; }
    // Run-time errors go to a message box unless a test takes them.
    void setErrorReporter(TamirelForm::ErrorReporter reporter) { form_->SetErrorReporter(std::move(reporter)); }
    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }

    // Gives the room the window may take on the screen; the default asks the window's screen.
    using AreaMeasure = std::function<QSize()>;
    void setAvailableArea(AreaMeasure measure) { availableArea_ = std::move(measure); }

    // The canvas's context menu commands, also on Ctrl+C (canvas focused), Ctrl+S, Ctrl+P,
    // Ctrl+Plus (and Ctrl+=), Ctrl+Minus, Ctrl+0 and Ctrl+9; Ctrl with the mouse wheel zooms
    // in and out a step a notch.
    QAction* copyAction() const { return copy_; }
    QAction* saveAction() const { return save_; }
    QAction* printAction() const { return print_; }
    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    QAction* zoomNormalAction() const { return zoomNormal_; }
    QAction* zoomFitAction() const { return zoomFit_; }
    // "Урок…" (F1, and in the canvas's menu): the lesson window for the current radius and
    // vertex count.
    QAction* lessonAction() const { return lessonAction_; }
    // The open lesson window, or nullptr.
    LessonWindow* lesson() const { return lesson_; }
    // The window's size in percent of the normal size: a step (100, 125, 150, 175, 200, 250,
    // 300) or the fitted size, the largest whole percentage the available area allows.
    int zoom() const { return zoom_; }
    // Puts the drawing on the clipboard as an image and as SVG.
    void CopyDrawing();
    // Asks for a file name and writes the drawing there; a failure is shown in a message box.
    void SaveDrawingAs();
    // The system's print dialog with a preview, printing the drawing with its caption.
    void PrintDrawing();
    // Opens the lesson window (or brings it forward); it reads the radius and vertex-count
    // lists and follows every change of their selection until it is closed. It never draws on
    // the canvas, and changes the selection only to an attempt's figure opened from a file.
    void ShowLesson();

private:
    void ShowCanvasMenu(const QPoint& at);
    QAction* WindowAction(const QString& text, const QList<QKeySequence>& keys);
    // Places every control at `percent` of the normal size; the drawing is repainted from its
    // primitives, and selections and focus stay.
    void SetZoom(int percent);
    // The next step up (+1) that fits in the available area, the fitted size when no further
    // step fits, or the next step down (-1).
    void StepZoom(int direction);
    // The largest size the available area allows, with the window's frame.
    int FittedZoom() const;

protected:
    // Ctrl+wheel anywhere in the window zooms; the canvas's tooltip is wrapped to its width.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:

    Controls controls_;
    std::unique_ptr<TamirelForm> form_;
    SavePathChooser chooseSavePath_;
    QAction* copy_ = nullptr;
    QAction* save_ = nullptr;
    QAction* print_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* zoomNormal_ = nullptr;
    QAction* zoomFit_ = nullptr;
    int wheelAngle_ = 0;   // eighths of a degree of Ctrl+wheel not yet turned into a step
    QAction* lessonAction_ = nullptr;
    QPointer<LessonWindow> lesson_;
    FocusRing* focusRing_ = nullptr;
    Announcer announcer_;
    AreaMeasure availableArea_;
    int zoom_ = 100;
    QString saveFolder_;      // where the last save went, for this session only
    bool menuOpen_ = false;   // the canvas's menu is showing
};

}  // namespace tamirel
