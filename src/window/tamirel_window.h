// The main window: its controls, and the handlers that connect buttons and lists to the
// drawing.
#pragma once

#include <QtWidgets/QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "controls/runtime_error.h"
#include "geometry/figure_description.h"
#include "window/layout.h"

class QAction;

namespace tamirel {

class Tamirel : public QWidget {
    Q_OBJECT

public:
    // Shows a run-time error to the user; the window's default is a message box.
    using ErrorReporter = std::function<void(const RuntimeError&)>;
    // Asks where to save the drawing, starting in `folder`; the empty string cancels. The
    // window's default is a file dialog.
    using SavePathChooser = std::function<QString(const QString& folder)>;

    explicit Tamirel(QWidget* parent = nullptr);

    const Controls& controls() const { return controls_; }
    void setErrorReporter(ErrorReporter reporter) { reportError_ = std::move(reporter); }
    void setSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }

    // The canvas's context menu commands, also on Ctrl+C (canvas focused) and Ctrl+S.
    QAction* copyAction() const { return copy_; }
    QAction* saveAction() const { return save_; }
    // Puts the drawing on the clipboard as an image and as SVG.
    void CopyDrawing();
    // Asks for a file name and writes the drawing there; a failure is shown in a message box.
    void SaveDrawingAs();

    // Handlers, each run to completion on the event thread. Called directly they let a
    // RuntimeError through; run by a notification, the error is reported and the handler
    // abandoned at that point (drawing done before it stays, the program goes on).
    void Form_Load();
    void Command1_Click(std::int16_t index);
    void List1_Click(std::int16_t index);

    // Runs a handler as a notification does.
    void Notify(const std::function<void()>& handler);

private:
    void ResetAll();
    void DrawPolygon();

    void ShowCanvasMenu(const QPoint& at);
    // Tells assistive technology and the tooltip what the canvas shows.
    void DescribeCanvas();
    QString Description() const;

    Controls controls_;
    ErrorReporter reportError_;
    SavePathChooser chooseSavePath_;
    QAction* copy_ = nullptr;
    QAction* save_ = nullptr;
    std::vector<FigureChoice> shown_;   // the visible figures drawn since the last clear
    QString saveFolder_;                // where the last save went, for this session only
    bool menuOpen_ = false;             // the canvas's menu is showing
};

// The message shown for a run-time error.
QString ErrorMessage(const RuntimeError& error);

}  // namespace tamirel
