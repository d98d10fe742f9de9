// The browser face's side of the program: the form, the retained canvas and the lists,
// reached from the page's script through a few exported functions. The page carries the
// window built from the layout table (page_builder), paints the retained drawing, and calls
// in when the user clicks or chooses.
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "controls/retained_picture_box.h"
#include "form/layout.h"
#include "form/svg_writer.h"
#include "form/tamirel_form.h"
#include "geometry/numeric.h"
#include "lesson/attempt.h"
#include "lesson/attempt_session.h"
#include "lesson/construction_player.h"
#include "lesson/lesson.h"
#include "lesson/lesson_commands.h"
#include "lesson/page.h"
#include "lesson/picture_formats.h"
#include "lesson/scene_draw.h"
#include "lesson/view_zoom.h"

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

// How far the user has enlarged and moved each figure of the lesson dialog: 0 the lesson's, 1 the
// construction's; with the frame (focus, reach) of the scene it last showed.
struct View {
    Scene frame;
    ViewZoom zoom;

    // Takes the frame of the scene about to be shown; a new frame, or `reset`, starts unzoomed.
    void Show(const Scene& scene, bool reset) {
        if (reset || scene.focus.x != frame.focus.x || scene.focus.y != frame.focus.y || scene.reach != frame.reach) zoom.Reset();
        frame.focus = scene.focus;
        frame.reach = scene.reach;
    }
};

std::array<View, 2>& Views() {
    static std::array<View, 2> views;
    return views;
}

View* FindView(int view) { return view == 0 || view == 1 ? &Views()[static_cast<std::size_t>(view)] : nullptr; }

// The square a view shows; all 0 for an unknown view.
struct Square {
    double factor = 0;
    ScenePoint focus{0, 0};
    double reach = 0;
};

Square Shown(int view) {
    const View* v = FindView(view);
    return v ? Square{v->zoom.factor(), v->zoom.Focus(v->frame), v->zoom.Reach(v->frame)} : Square{};
}

std::string& Kept() {   // the last text handed to the page, valid until the next call
    static std::string text;
    return text;
}

ConstructionPlayer& Player() {
    static ConstructionPlayer player;
    return player;
}

// The player's state as PlayerToJson writes it, its figure handed to the construction's view
// (`newFigure` starts it unzoomed); valid until the next call.
const char* PlayerJson(bool newFigure = false) {
    const ConstructionPlayer& player = Player();
    // The pupil's attempt is framed as the worked construction of the same figure.
    if (!player.steps().empty()) Views()[1].Show(player.steps().View().scene, newFigure);
    return (Kept() = PlayerToJson(player)).c_str();
}

// A picture's pages for the printer: {"title", "heading", "pages": [SVG document, …]}; valid
// until the next call.
const char* PagesJson(const Picture& picture) {
    std::string json = "{\"title\":" + JsonString(picture.title) + ",\"heading\":" + JsonString(picture.description) +
                       ",\"pages\":[";
    for (const Page& page : picture.pages) {
        if (&page != &picture.pages.front()) json += ',';
        json += JsonString(PageToSvg(page, picture.title, picture.description));
    }
    return (Kept() = json + "]}").c_str();
}

// The attempt file's bytes as the page hands them in.
std::string& AttemptBytes() {
    static std::string bytes;
    return bytes;
}

// List List1(list) chooses the item that reads as `value`, as the user would choose it: the
// page shows it and the window answers the click; no change where it is chosen already.
void ChooseValue(int list, double value) {
    Program& p = TheProgram();
    PageList& box = p.lists[static_cast<std::size_t>(list)];
    for (std::int16_t row = 0; !box.List(row).empty(); ++row) {
        if (TextToNumber(box.List(row)) != value) continue;
        if (!box.Choose(row)) return;
        PageSelect(list, row);
        p.form.Notify([&p, list] { p.form.List1_Click(static_cast<std::int16_t>(list)); });
        return;
    }
}

const char* Run(Command command) {
    RunPlayerCommand(command, Player());
    return PlayerJson();
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

// The lesson for the lists' current radius and vertex count, as LessonToJson writes it, with
// the diagonals from A when `diagonals` is not 0; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tamirel_lesson(int diagonals) {
    Program& p = TheProgram();
    Lesson lesson;
    p.form.Notify([&] { lesson = MakeLesson(p.lists[1], p.lists[2], diagonals != 0); });
    static std::string shown;   // the figure the lesson's view shows: another one starts unzoomed
    Views()[0].Show(lesson.scene, lesson.title + lesson.givens != shown);
    shown = lesson.title + lesson.givens;
    return (Kept() = LessonToJson(lesson)).c_str();
}

// The construction of the lists' current figure, played as ConstructionPlayer plays it. Each
// returns the state after it, as PlayerToJson writes it, valid until the next call. Follow
// reads the lists: a new figure stops playing and shows its first step. The page calls tick
// every "play" milliseconds while "playing" is true.
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_follow() {
    Program& p = TheProgram();
    bool newFigure = false;
    p.form.Notify([&] { newFigure = Player().Follow(p.lists[1], p.lists[2]); });
    return PlayerJson(newFigure);
}
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_home() { return Run(Command::StepHome); }
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_back() { return Run(Command::StepBack); }
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_play() { return Run(Command::StepPlay); }
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_forward() { return Run(Command::StepForward); }
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_end() { return Run(Command::StepEnd); }
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_stop() {
    Player().Stop();
    return PlayerJson();
}
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_tick() {
    Player().Tick();
    return PlayerJson();
}

// Runs command `index`, its place among the commands of the table the page carries
// (CommandTableJson's order), as RunPlayerCommand runs it: a move, "Построй сам", a tool, an
// edit or a pick by keyboard; the others change nothing here.
EMSCRIPTEN_KEEPALIVE const char* tamirel_player_command(int index) {
    for (const CommandEntry& entry : LessonCommands())
        if ((entry.faces & kBrowserFace) && index-- == 0) return Run(entry.command);
    return PlayerJson();
}

// The pupil's attempt. A click or a tap picks what lies nearest to the canvas point (x, y)
// within `reach` canvas units: tamirel_pick_reach pixels (of a finger where `touch` is not 0,
// else of a mouse) over the figure's pixels per canvas unit.
EMSCRIPTEN_KEEPALIVE double tamirel_pick_reach(int touch) { return touch ? kTouchReachPixels : kMouseReachPixels; }
EMSCRIPTEN_KEEPALIVE const char* tamirel_attempt_pick(double x, double y, double reach) {
    Player().attempt().PickAt({x, y}, reach);
    return PlayerJson();
}

// An attempt file's bytes come in through a buffer: the page reads at most
// tamirel_attempt_largest() + 1 bytes of the file (enough to refuse a larger one), writes them
// where tamirel_attempt_space(bytes) says, and opens them. On success the lists choose the
// file's figure, as the user would, and the main window and the lesson follow it; the attempt
// goes on there. Returns "" on success, else why the file cannot be opened (nothing changed);
// valid until the next call.
EMSCRIPTEN_KEEPALIVE int tamirel_attempt_largest() { return static_cast<int>(kLargestAttemptFile); }
EMSCRIPTEN_KEEPALIVE char* tamirel_attempt_space(int bytes) {
    AttemptBytes().assign(static_cast<std::size_t>(std::clamp(bytes, 0, tamirel_attempt_largest() + 1)), '\0');
    return AttemptBytes().data();
}
EMSCRIPTEN_KEEPALIVE const char* tamirel_attempt_open() {
    Program& p = TheProgram();
    try {
        Player().attempt().Open(AttemptBytes());
    } catch (const AttemptFileError& e) {
        return (Kept() = e.what()).c_str();
    }
    const Attempt& attempt = Player().attempt().attempt();
    ChooseValue(1, attempt.radius());
    ChooseValue(2, attempt.n());
    p.form.Notify([&p] { Player().Follow(p.lists[1], p.lists[2]); });
    return "";
}

// The attempt's file, as AttemptToText writes it; "" without an attempt. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tamirel_attempt_text() {
    const AttemptSession& session = Player().attempt();
    return session.active() ? (Kept() = AttemptToText(session.attempt())).c_str() : "";
}

// The square view `view` (0 the lesson's figure, 1 the construction's) shows, as ViewZoom
// gives it for the scene last handed out: its enlargement (1..ViewZoom::kMaxFactor), its
// centre and its reach in canvas units; 0 for an unknown view.
EMSCRIPTEN_KEEPALIVE double tamirel_view_factor(int view) { return Shown(view).factor; }
EMSCRIPTEN_KEEPALIVE double tamirel_view_x(int view) { return Shown(view).focus.x; }
EMSCRIPTEN_KEEPALIVE double tamirel_view_y(int view) { return Shown(view).focus.y; }
EMSCRIPTEN_KEEPALIVE double tamirel_view_reach(int view) { return Shown(view).reach; }
// The enlargement of one step (a wheel notch), ViewZoom::kStepFactor.
EMSCRIPTEN_KEEPALIVE double tamirel_view_step_factor() { return ViewZoom::kStepFactor; }

// Enlarges view `view` by `ratio`, keeping the canvas point (x, y) where it is on the screen;
// returns 1 when the view changed.
EMSCRIPTEN_KEEPALIVE int tamirel_view_zoom(int view, double ratio, double x, double y) {
    View* v = FindView(view);
    return v && v->zoom.ZoomBy(v->frame, ratio, {x, y}) ? 1 : 0;
}

// View `view` back to its scene's own square; returns 1 when it changed.
EMSCRIPTEN_KEEPALIVE int tamirel_view_reset(int view) {
    View* v = FindView(view);
    if (!v) return 0;
    const bool zoomed = v->zoom.factor() != 1 || v->zoom.Focus(v->frame).x != v->frame.focus.x ||
                        v->zoom.Focus(v->frame).y != v->frame.focus.y;
    v->zoom.Reset();
    return zoomed ? 1 : 0;
}

// One step of view `view`: in when `direction` is positive, else out, about the shown square's
// centre; returns 1 when the view changed.
EMSCRIPTEN_KEEPALIVE int tamirel_view_step(int view, int direction) {
    View* v = FindView(view);
    return v && (direction > 0 ? v->zoom.ZoomIn(v->frame) : v->zoom.ZoomOut(v->frame)) ? 1 : 0;
}

// Moves the square view `view` shows by (dx, dy) canvas units; returns 1 when it moved.
EMSCRIPTEN_KEEPALIVE int tamirel_view_pan(int view, double dx, double dy) {
    View* v = FindView(view);
    return v && v->zoom.Pan(v->frame, dx, dy) ? 1 : 0;
}

// The formats a picture is offered in, in the save dialog's order, as PictureFormatsJson
// writes them: [{"id", "name", "extension", "mime", "text"}, …]; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tamirel_formats() { return (Kept() = PictureFormatsJson()).c_str(); }

// How wide, in metres, a picture's PNG is to print: the resolution its file records.
EMSCRIPTEN_KEEPALIVE double tamirel_printed_width() { return kPrintedWidthMetres; }

// Picture `what` in format `format` (its index in tamirel_formats' list): 0 the drawing,
// 1 the lesson for the lists' current choice (with the diagonals when `option` is not 0), 2
// its construction at step `option` (1..steps), 3 the handout, 4 the pupil's attempt. The
// contents for the formats the core writes ("text": true); "" for the others (PNG and PDF,
// which the page makes from the same page's SVG) and for an unknown `what` or format, or the
// attempt while there is none. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tamirel_picture(int what, int option, int format) {
    Program& p = TheProgram();
    const std::span<const PictureFormat> formats = PictureFormats();
    if (format < 0 || format >= static_cast<int>(formats.size()) || !formats[format].write) return "";
    Picture picture;
    switch (what) {
        case 0:
            picture = DrawingPicture(p.canvas.drawing(), std::abs(p.canvas.ScaleWidth()), std::abs(p.canvas.ScaleHeight()),
                                     p.form.Description());
            break;
        case 1: {
            Lesson lesson;
            p.form.Notify([&] { lesson = MakeLesson(p.lists[1], p.lists[2], option != 0); });
            picture = LessonPicture(lesson);
            break;
        }
        case 2:
        case 3: {
            ConstructionSteps steps;
            p.form.Notify([&] { steps.Follow(p.lists[1], p.lists[2]); });
            while (static_cast<int>(steps.step()) < option && steps.Forward()) continue;
            picture = what == 2 ? StepPicture(steps, steps.step()) : HandoutPicture(steps);
            break;
        }
        case 4:
            if (!Player().attempt().active()) return "";
            picture = AttemptPicture(Player().attempt());
            break;
        default:
            return "";
    }
    return (Kept() = formats[format].write(picture)).c_str();
}

// The printed construction for the lists' current choice: {"title", "heading", "pages": [SVG
// document, …]}, each page HandoutPages lays out (A4 within kSheetMargin, in millimetres: print
// it at 180 mm x 267 mm), six steps a page under the heading; no pages without a figure. Valid
// until the next call.
EMSCRIPTEN_KEEPALIVE const char* tamirel_handout_pages() {
    Program& p = TheProgram();
    ConstructionSteps steps;
    p.form.Notify([&] { steps.Follow(p.lists[1], p.lists[2]); });
    return PagesJson(HandoutPicture(steps));
}

// The pupil's attempt to print, as tamirel_handout_pages gives the handout: its one page (the
// figure above its moves, fitted within the same 180 mm x 267 mm); no pages without an attempt.
EMSCRIPTEN_KEEPALIVE const char* tamirel_attempt_pages() {
    return PagesJson(Player().attempt().active() ? AttemptPicture(Player().attempt()) : Picture{});
}

}  // extern "C"
