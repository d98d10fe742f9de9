// The browser face's side of the window: the form, the retained canvas and the lists, reached
// from the page's script through a few exported functions. The page carries the window built
// from the layout table (page_builder), paints the retained drawing, and calls in when the user
// clicks or chooses. The lesson, its construction and the pictures are a module of their own
// (lesson_web.cpp), loaded when first asked for.
#include <emscripten.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "controls/retained_picture_box.h"
#include "form/layout.h"
#include "form/tamirel_form.h"

namespace {

using namespace tamirel;

// Calls out to the page's script: each hands a change to the page, which shows it later.
EM_JS(void, PageRepaint, (int cleared), { Module.page.repaint(cleared !== 0); });
EM_JS(void, PageSelect, (int list, int row), { Module.page.select(list, row); });
EM_JS(void, PageDescribe, (const char* text), { Module.page.describe(UTF8ToString(text)); });
EM_JS(void, PageReport, (const char* text), { Module.page.report(UTF8ToString(text)); });

class PageCanvas : public RetainedPictureBox {
public:
    PageCanvas() : RetainedPictureBox(Rgb(240, 240, 240)) {}

protected:
    // Painting waits for the page's next frame.
    void DrawingChanged(bool cleared) override { PageRepaint(cleared ? 1 : 0); }
};

// A list whose items live here and whose selection the page mirrors. A write from code shows
// in the page without notifying; a choice by the user comes in through Choose.
class PageList : public ListBox {
public:
    PageList(int index, std::vector<std::string> items) : index_(index), items_(std::move(items)) {}

    std::int16_t ListIndex() const override { return selected_; }
    void SetListIndex(std::int16_t index) override {
        if (index < -1 || index >= static_cast<int>(items_.size())) throw RuntimeError::InvalidPropertyValue();
        selected_ = index;
        PageSelect(index_, index);
    }
    std::string List(std::int16_t index) const override {
        return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index] : std::string();
    }
    // The user's choice; false when it is the item already selected, which is no change.
    bool Choose(int row) {
        if (row == selected_ || row < 0 || row >= static_cast<int>(items_.size())) return false;
        selected_ = static_cast<std::int16_t>(row);
        return true;
    }

private:
    int index_;
    std::vector<std::string> items_;
    std::int16_t selected_ = -1;
};

struct Program {
    PageCanvas canvas;
    std::array<PageList, 3> lists{PageList(0, ListItems(0)), PageList(1, ListItems(1)), PageList(2, ListItems(2))};
    TamirelForm form{canvas, {&lists[0], &lists[1], &lists[2]}};
};

Program& TheProgram() {
    static Program program;
    return program;
}

}  // namespace

extern "C" {

// Creates the form and runs its load handler; reports and descriptions go to the page.
EMSCRIPTEN_KEEPALIVE void tamirel_start() {
    Program& p = TheProgram();
    p.form.SetErrorReporter([](const RuntimeError& e) { PageReport(ErrorMessage(e).c_str()); });
    p.form.SetDescriptionListener([](const std::string& text) { PageDescribe(text.c_str()); });
    PageDescribe(p.form.Description().c_str());
    p.form.Notify([&p] { p.form.Form_Load(); });
}

// A press of button Command1(index).
EMSCRIPTEN_KEEPALIVE void tamirel_click(int index) {
    Program& p = TheProgram();
    p.form.Notify([&p, index] { p.form.Command1_Click(static_cast<std::int16_t>(index)); });
}

// The user chose `row` in List1(list); a change notifies as the desktop's lists do.
EMSCRIPTEN_KEEPALIVE void tamirel_choose(int list, int row) {
    Program& p = TheProgram();
    if (list < 0 || list > 2 || !p.lists[list].Choose(row)) return;
    p.form.Notify([&p, list] { p.form.List1_Click(static_cast<std::int16_t>(list)); });
}

EMSCRIPTEN_KEEPALIVE int tamirel_primitive_count() { return static_cast<int>(TheProgram().canvas.drawing().primitives.size()); }

// Field `field` of primitive `i`: 0 kind (0 circle, 1 point, 2 line), 1 style, 2 x1, 3 y1,
// 4 x2, 5 y2, as fractions of the drawing area.
EMSCRIPTEN_KEEPALIVE double tamirel_primitive(int i, int field) {
    const Primitive& p = TheProgram().canvas.drawing().primitives.at(i);
    const double fields[] = {static_cast<double>(p.kind), static_cast<double>(p.style), p.x1, p.y1, p.x2, p.y2};
    return fields[field];
}

// Element `i` of the dash pattern of line style `style`, in pen widths; 0 past its end.
EMSCRIPTEN_KEEPALIVE double tamirel_dash(int style, int i) {
    const std::vector<double>& pattern = DashPattern(static_cast<std::int16_t>(style));
    return i >= 0 && i < static_cast<int>(pattern.size()) ? pattern[i] : 0.0;
}

EMSCRIPTEN_KEEPALIVE int tamirel_background() { return static_cast<int>(TheProgram().canvas.drawing().background); }

// The canvas's user scale: its width when `vertical` is 0, else its height, in its own units
// (the drawing's pictures are written at it).
EMSCRIPTEN_KEEPALIVE double tamirel_scale(int vertical) {
    const PageCanvas& canvas = TheProgram().canvas;
    return std::abs(vertical ? canvas.ScaleHeight() : canvas.ScaleWidth());
}

}  // extern "C"
