// The main window: its controls, and the handlers that connect buttons and lists to the
// drawing.
#pragma once

#include <QtWidgets/QWidget>
#include <cstdint>
#include <functional>

#include "controls/runtime_error.h"
#include "window/layout.h"

namespace tamirel {

class Tamirel : public QWidget {
    Q_OBJECT

public:
    // Shows a run-time error to the user; the window's default is a message box.
    using ErrorReporter = std::function<void(const RuntimeError&)>;

    explicit Tamirel(QWidget* parent = nullptr);

    const Controls& controls() const { return controls_; }
    void setErrorReporter(ErrorReporter reporter) { reportError_ = std::move(reporter); }

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

    Controls controls_;
    ErrorReporter reportError_;
};

// The message shown for a run-time error.
QString ErrorMessage(const RuntimeError& error);

}  // namespace tamirel
