// The main window: builds the controls from the layout table, hands them to the form and runs
// the form's handlers on the user's clicks; owns copy, save and the canvas's menu.
#pragma once

#include <QtWidgets/QWidget>
#include <functional>
#include <memory>

#include "controls/runtime_error.h"
#include "form/tamirel_form.h"
#include "window/build_controls.h"

class QAction;

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

    // The canvas's context menu commands, also on Ctrl+C (canvas focused) and Ctrl+S.
    QAction* copyAction() const { return copy_; }
    QAction* saveAction() const { return save_; }
    // Puts the drawing on the clipboard as an image and as SVG.
    void CopyDrawing();
    // Asks for a file name and writes the drawing there; a failure is shown in a message box.
    void SaveDrawingAs();

private:
    void ShowCanvasMenu(const QPoint& at);

    Controls controls_;
    std::unique_ptr<TamirelForm> form_;
    SavePathChooser chooseSavePath_;
    QAction* copy_ = nullptr;
    QAction* save_ = nullptr;
    QString saveFolder_;      // where the last save went, for this session only
    bool menuOpen_ = false;   // the canvas's menu is showing
};

}  // namespace tamirel
