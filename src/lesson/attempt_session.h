// The pupil's attempt as a face shows it: the tool in hand, the points picked for it so far,
// the target the keyboard has reached, what was last said, and the figure as a scene. One
// state machine for both faces: they turn clicks, taps and keys into these calls and show
// View() and said() after each.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/attempt.h"
#include "lesson/page.h"
#include "lesson/scene.h"

namespace tamirel {

// What a pick may reach: a made point, or a crossing where none is made yet.
struct AttemptTarget {
    Spot at;
    std::optional<std::size_t> point;   // index into points(); none for a crossing
    std::string said;                   // "Точка A₁", "Пресечна точка на k и k₁"
};

struct AttemptView {
    Scene scene;
    std::string title;    // "Построй сам: правилен петоъгълник"
    std::string prompt;   // what the tool waits for: "Линийка: изберете втората точка на правата."; empty when done
    std::string status;   // "Ходове: 3 (в урока: 11). Построени върхове: 2 от 5."
    std::string said;     // the last thing said: a move, a refusal, a hint, the verdict
};

// A finger's reach on a touch screen, and a mouse's, in pixels; a face divides by its scale.
inline constexpr double kTouchReachPixels = 24;
inline constexpr double kMouseReachPixels = 10;

class AttemptSession {
public:
    // Follows the figure the lists choose; a new figure ends the attempt. Returns whether the
    // figure changed.
    bool Follow(double radius, double n);

    // "Построй сам": a fresh attempt at the figure; false without one. Leave goes back to the
    // worked construction.
    bool Start();
    void Leave();
    bool active() const { return attempt_.has_value(); }
    const Attempt& attempt() const { return *attempt_; }

    AttemptTool tool() const { return tool_; }
    // Takes up a tool and drops the points picked so far.
    void SetTool(AttemptTool tool);
    const std::vector<std::size_t>& picked() const { return picked_; }

    // What the tool in hand can pick, in the order the keyboard walks it: made points, the
    // newest first; or crossings, those of the newest object first, each object's top to
    // bottom, left to right. After a move the walk starts again from the first.
    std::vector<AttemptTarget> Targets() const;
    std::optional<std::size_t> focus() const { return focus_; }
    // Moves the keyboard's focus `delta` targets on, round at either end, and says the target.
    void MoveFocus(int delta);
    // Picks the focused target.
    void Choose();
    // Picks the target nearest to `at` within `reach` canvas units (a click or a tap).
    void PickAt(Spot at, double reach);

    void Undo();
    void Redo();
    void Restart();
    void Hint();   // says the hint and highlights what it uses in View()

    // Opens an attempt file's text: the figure becomes the file's (the caller sets its lists
    // to it); throws AttemptFileError and changes nothing when the file is no attempt.
    void Open(std::string_view text);

    const std::string& said() const { return said_; }
    AttemptView View() const;

private:
    void Pick(const AttemptTarget& target);
    void Said(const MoveOutcome& outcome);
    std::string Prompt() const;

    double radius_ = 0, n_ = 0;
    std::optional<Attempt> attempt_;
    AttemptTool tool_ = AttemptTool::Straightedge;
    std::vector<std::size_t> picked_;
    std::optional<std::size_t> focus_;
    std::optional<AttemptHint> hint_;
    std::string said_;
};

// The attempt's page in canvas units, as the step's page: the figure, then its title, its
// moves one a line, numbered, and where it is done, the verdict.
Page AttemptPage(const AttemptSession& session);
Picture AttemptPicture(const AttemptSession& session);

// For the browser face: {"active", "exact", "tool", "title", "prompt", "status", "said",
// "focus": index or -1, "targets": [{"x", "y", "said"}], "canUndo", "canRedo", "done",
// "scene": SceneToJson}.
std::string AttemptToJson(const AttemptSession& session);

}  // namespace tamirel
