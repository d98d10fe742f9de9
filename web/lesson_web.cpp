// The browser face's side of the lesson: the lesson, its construction's player, the views of
// their figures and the pictures in the core's formats, a WebAssembly module of its own that the
// page loads when the lesson, or a picture, is first asked for. It reads the window's radius and
// vertex-count lists as the page shows them (tamirel_lists) and the window's drawing as the page
// hands it over (tamirel_drawing), so it never needs the window's module.
//
// A new export of the lesson's: an extern "C" EMSCRIPTEN_KEEPALIVE function here, its name with a
// leading '_' added to lesson_exports in web/CMakeLists.txt (the single file's one module takes
// that list too), called from the page's lesson scripts, once app.late() has resolved, as
// app.lessonProgram._tamirel_NAME(...); the page brings the lists up to date before every call.
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "controls/drawing.h"
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

EM_JS(void, LessonReport, (const char* text), { Module.page.report(UTF8ToString(text)); });
EM_JS(void, LessonSelect, (int list, int row), { Module.page.select(list, row); });

// A list of the window's as the page shows it: its items, and the row the page last said is chosen.
class ShownList : public ListBox {
public:
    explicit ShownList(int index) : items_(ListItems(index)) {}

    std::int16_t ListIndex() const override { return selected_; }
    void SetListIndex(std::int16_t index) override {
        if (index < -1 || index >= static_cast<int>(items_.size())) throw RuntimeError::InvalidPropertyValue();
        selected_ = index;
    }
    std::string List(std::int16_t index) const override {
        return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index] : std::string();
    }

private:
    std::vector<std::string> items_;
    std::int16_t selected_ = -1;
};

// The window's state the lesson reads: the radius (1) and vertex-count (2) lists, and the drawing
// with the canvas's scale and description.
struct Window {
    ShownList radius{1}, count{2};
    Drawing drawing;
    double width = 0, height = 0;
    std::string description;
};

Window& TheWindow() {
    static Window window;
    return window;
}

// Runs `handler` as the window's form runs its handlers: a run-time error goes to the page's
// report, and the handler is abandoned at that point.
template <typename Handler>
void Notify(Handler handler) {
    try {
        handler();
    } catch (const RuntimeError& error) {
        LessonReport(ErrorMessage(error).c_str());
    }
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
    std::string json;
    AppendJsonStrings(json, {{"{\"title\":", picture.title}, {",\"heading\":", picture.description}});
    json += ",\"pages\":[";
    const char* separator = "";
    for (const Page& page : picture.pages) {
        AppendJsonStrings(json, {{separator, PageToSvg(page, picture.title, picture.description)}});
        separator = ",";
    }
    json += "]}";
    return (Kept() = std::move(json)).c_str();
}

// The attempt file's bytes as the page hands them in.
std::string& AttemptBytes() {
    static std::string bytes;
    return bytes;
}

// List `index` of the window's (`list` here) chooses the row that reads as `value`, and the page
// shows it chosen; no change where no row does.
void ShowValue(int index, ShownList& list, double value) {
    for (std::int16_t row = 0; !list.List(row).empty(); ++row) {
        if (TextToNumber(list.List(row)) != value) continue;
        list.SetListIndex(row);
        LessonSelect(index, row);
        return;
    }
}

const char* Run(Command command) {
    RunPlayerCommand(command, Player());
    return PlayerJson();
}

}  // namespace

extern "C" {

// The rows the window's radius and vertex-count lists show chosen (-1 none); the page calls it
// before each of the others.
EMSCRIPTEN_KEEPALIVE void tamirel_lists(int radius, int count) {
    Window& w = TheWindow();
    Notify([&] {
        w.radius.SetListIndex(static_cast<std::int16_t>(radius));
        w.count.SetListIndex(static_cast<std::int16_t>(count));
    });
}

// The window's drawing, for its pictures: starts it anew on `background` (a BGR colour) with the
// canvas's scale, and returns room for its description, `bytes` long and ended by a 0, for the
// page to write into; tamirel_drawing_add then adds its primitives in drawing order.
EMSCRIPTEN_KEEPALIVE char* tamirel_drawing(int background, double width, double height, int bytes) {
    Window& w = TheWindow();
    w.drawing = Drawing{static_cast<Colour>(background), {}};
    w.width = width;
    w.height = height;
    w.description.assign(static_cast<std::size_t>(bytes < 0 ? 0 : bytes) + 1, '\0');
    return w.description.data();
}
// Primitive fields as the window's module gives them: kind, style, x1, y1, x2, y2.
EMSCRIPTEN_KEEPALIVE void tamirel_drawing_add(int kind, int style, double x1, double y1, double x2, double y2) {
    TheWindow().drawing.primitives.push_back({static_cast<Primitive::Kind>(kind), static_cast<std::int16_t>(style), x1, y1, x2, y2});
}

// The lesson for the lists' current radius and vertex count, as LessonToJson writes it, with
// the diagonals from A when `diagonals` is not 0; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tamirel_lesson(int diagonals) {
    Window& w = TheWindow();
    Lesson lesson;
    Notify([&] { lesson = MakeLesson(w.radius, w.count, diagonals != 0); });
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
    Window& w = TheWindow();
    bool newFigure = false;
    Notify([&] { newFigure = Player().Follow(w.radius, w.count); });
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
// where tamirel_attempt_space(bytes) says, and opens them. On success the lists show the file's
// figure chosen (the page then has the window's module choose the same rows, as the user
// would) and the lesson follows it; the attempt goes on there. Returns "" on success, else why
// the file cannot be opened (nothing changed); valid until the next call.
EMSCRIPTEN_KEEPALIVE int tamirel_attempt_largest() { return static_cast<int>(kLargestAttemptFile); }
EMSCRIPTEN_KEEPALIVE char* tamirel_attempt_space(int bytes) {
    AttemptBytes().assign(static_cast<std::size_t>(std::clamp(bytes, 0, tamirel_attempt_largest() + 1)), '\0');
    return AttemptBytes().data();
}
EMSCRIPTEN_KEEPALIVE const char* tamirel_attempt_open() {
    Window& w = TheWindow();
    try {
        Player().attempt().Open(AttemptBytes());
    } catch (const AttemptFileError& e) {
        return (Kept() = e.what()).c_str();
    }
    const Attempt& attempt = Player().attempt().attempt();
    ShowValue(1, w.radius, attempt.radius());
    ShowValue(2, w.count, attempt.n());
    Notify([&] { Player().Follow(w.radius, w.count); });
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
    Window& w = TheWindow();
    const std::span<const PictureFormat> formats = PictureFormats();
    if (format < 0 || format >= static_cast<int>(formats.size()) || !formats[format].write) return "";
    Picture picture;
    switch (what) {
        case 0:
            picture = DrawingPicture(w.drawing, w.width, w.height, std::string(w.description.c_str()));
            break;
        case 1: {
            Lesson lesson;
            Notify([&] { lesson = MakeLesson(w.radius, w.count, option != 0); });
            picture = LessonPicture(lesson);
            break;
        }
        case 2:
        case 3: {
            ConstructionSteps steps;
            Notify([&] { steps.Follow(w.radius, w.count); });
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
    Window& w = TheWindow();
    ConstructionSteps steps;
    Notify([&] { steps.Follow(w.radius, w.count); });
    return PagesJson(HandoutPicture(steps));
}

// The pupil's attempt to print, as tamirel_handout_pages gives the handout: its one page (the
// figure above its moves, fitted within the same 180 mm x 267 mm); no pages without an attempt.
EMSCRIPTEN_KEEPALIVE const char* tamirel_attempt_pages() {
    return PagesJson(Player().attempt().active() ? AttemptPicture(Player().attempt()) : Picture{});
}

}  // extern "C"
