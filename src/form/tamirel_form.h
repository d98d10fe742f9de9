// The main window's behaviour, free of any toolkit: the handlers that connect the buttons and
// lists to the drawing, over the canvas and list interfaces. Each face (the desktop window,
// the browser page) builds the controls, hands them over, and runs the handlers as the user
// clicks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/list_box.h"
#include "controls/picture_box.h"
#include "controls/runtime_error.h"
#include "form/figure_description.h"

namespace tamirel {

class TamirelForm {
public:
    // Shows a run-time error to the user.
    using ErrorReporter = std::function<void(const RuntimeError&)>;
    // Told the new description after every change of what the canvas shows.
    using DescriptionListener = std::function<void(const std::string&)>;

    // List1(0) line types, List1(1) radii, List1(2) vertex counts. The controls outlive the form.
    TamirelForm(PictureBox& picture1, const std::array<ListBox*, 3>& list1);

    void SetErrorReporter(ErrorReporter reporter) { reportError_ = std::move(reporter); }
    void SetDescriptionListener(DescriptionListener listener) { describe_ = std::move(listener); }

    // Handlers, each run to completion. Called directly they let a RuntimeError through; run
    // by Notify, as every notification runs them, the error goes to the reporter once and the
    // handler is abandoned at that point (drawing done before it stays, the program goes on).
    void Form_Load();
    void Command1_Click(std::int16_t index);
    void List1_Click(std::int16_t index);
    void Notify(const std::function<void()>& handler);

    // A Bulgarian sentence (UTF-8) for what the canvas shows, for assistive technology.
    std::string Description() const { return shown_.Description(); }

private:
    void ResetAll();
    void DrawPolygon();
    void Cls();
    void Described();

    PictureBox& picture1_;
    std::array<ListBox*, 3> list1_;
    ErrorReporter reportError_;
    DescriptionListener describe_;
    FigureTally shown_;   // the visible figures drawn since the last clear
};

// The message shown for a run-time error: "Грешка при изпълнение N:", a line break and the
// description.
std::string ErrorMessage(const RuntimeError& error);

}  // namespace tamirel
