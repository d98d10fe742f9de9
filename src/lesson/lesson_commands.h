// The lesson's and its construction's commands as data: each one's words, keys and when it is
// enabled. The desktop builds its actions and buttons from the table; the browser's dialog is
// written from it when the page is built, and the page reads its keys from it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "form/messages.h"
#include "lesson/construction_player.h"

namespace tamirel {

enum class Command {
    LessonFold, LessonDiagonals, LessonCopy, LessonSave, LessonPrint, LessonClose,
    StepHome, StepBack, StepPlay, StepForward, StepEnd, StepCopy, StepSave, StepPrint,
    // The pupil's own construction: start or leave it, open one; the tools; undo, redo,
    // restart and a hint; the keyboard's walk over what can be picked; its files.
    Build, AttemptOpen,
    ToolStraightedge, ToolCompass, ToolOpening, ToolCrossing, ToolSides, ToolProtractor,
    AttemptUndo, AttemptRedo, AttemptRestart, AttemptHint,
    PickPrevious, PickNext, Pick,
    AttemptCopy, AttemptSave, AttemptPrint,
};

// Where a command's control stands, each a row in the table's order: the lesson's title bar,
// below its numbers, the construction's moves, and below them its files; then the row that
// starts the pupil's own construction, and while it is on (in place of the moves and files):
// its tools, its edits, and its files. Keys (pick by keyboard) have no control.
enum class CommandGroup { LessonHead, Lesson, Moves, StepFiles, Build, Tools, AttemptEdits, AttemptFiles, Keys };

enum class KeyName { Home, End, Left, Right, Up, Down, PageUp, PageDown, Space, Enter, Escape, C, D, O, P, S, Y, Z,
                     One, Two, Three, Four, Five, Six };
struct Key {
    KeyName name{};
    bool ctrl = false;   // Ctrl, or the Command key where that is the platform's
};

// A command's keys, none to two, kept in place so that the table is constant data.
class Keys {
public:
    constexpr Keys() = default;
    constexpr Keys(std::initializer_list<Key> keys) : count_(keys.size()) {
        if (keys.size() > keys_.size()) throw std::length_error("Команда има най-много два клавиша");
        std::copy(keys.begin(), keys.end(), keys_.begin());
    }
    constexpr const Key* begin() const { return keys_.data(); }
    constexpr const Key* end() const { return keys_.data() + count_; }
    constexpr std::size_t size() const { return count_; }
    constexpr bool empty() const { return count_ == 0; }
    constexpr const Key& operator[](std::size_t i) const { return keys_[i]; }

private:
    std::array<Key, 2> keys_{};
    std::size_t count_ = 0;
};

// The faces that offer a command.
inline constexpr unsigned kDesktopFace = 1, kBrowserFace = 2, kBothFaces = kDesktopFace | kBrowserFace;

struct CommandEntry {
    Command command;
    const char* id;           // unique within the lesson's commands and the construction's: "forward"
    CommandGroup group;
    Message captionWords;
    std::optional<Message> onCaptionWords;
    Keys keys;                // window-wide; the construction's files' keys act while its controls have the focus
    std::optional<Message> hintWords;
    unsigned faces = kBothFaces;
    bool checkBox = false;    // a check box that the key toggles, not a button

    // UTF-8, the button's text and accessible name.
    std::string_view caption() const { return Template(captionWords); }
    // The caption while the command is on ("Спри" while playing); empty for none.
    std::string_view onCaption() const { return onCaptionWords ? Template(*onCaptionWords) : std::string_view(); }
    // The tooltip of a command without keys; empty for none.
    std::string_view hint() const { return hintWords ? Template(*hintWords) : std::string_view(); }
};

// In the order of the controls.
std::span<const CommandEntry> LessonCommands();
const CommandEntry& CommandOf(Command command);
bool IsStepCommand(const CommandEntry& entry);   // the worked construction's moves and files

// The keys as a tooltip reads them: "Стрелка надясно, Page Down", "Ctrl+C".
std::string KeyWords(const Keys& keys);
// The keys as aria-keyshortcuts names them, which are KeyboardEvent.key's names with Space for
// the space bar and "Control+" for Ctrl: "ArrowRight PageDown", "Control+C".
std::string KeyShortcuts(const Keys& keys);
// The control's tooltip: its keys' words, else its hint.
std::string CommandTitle(const CommandEntry& entry);
// A check box's text: "Диагонали от A₁ (Ctrl+D)".
std::string CheckBoxText(const CommandEntry& entry);

// The tools, edits, keys and files shown only while the pupil builds (not the Build row).
bool IsAttemptCommand(const CommandEntry& entry);
// The construction's: the steps', the Build row, or the attempt's; not the lesson's.
bool IsConstructionCommand(const CommandEntry& entry);

// Whether running the command would change anything: a move away from where the pupil is, or
// one that stops playing; play with more than one step; the step's files with a construction;
// none of these while the pupil builds. "Построй сам" with a figure; the tools, the keyboard's
// picks and the attempt's files while the pupil builds (the protractor only where the figure
// cannot be constructed); undo and redo with a move to undo or redo; restart after a move; a
// hint until the polygon stands. The lesson's commands and opening an attempt always are.
// Where two commands share a key, at most one of them is enabled: the key runs that one.
bool CommandEnabled(Command command, const ConstructionPlayer& player);
// Whether a command's control shows as on: the tool in hand, "Построй сам" while building.
bool CommandOn(Command command, const ConstructionPlayer& player);
// The caption now: onCaption while playing, or while building.
std::string CommandCaption(Command command, const ConstructionPlayer& player);
// Runs a move, play, or an attempt's command that is not a file's; returns whether anything
// changed. False for the others, which the faces run themselves.
bool RunPlayerCommand(Command command, ConstructionPlayer& player);

// For the browser face: ConstructionToJson's object with "playing", "attempt" (AttemptToJson)
// and "commands": [{"id", "caption", "enabled", "on"}, …] for the construction's and the
// attempt's commands the browser offers.
std::string PlayerToJson(const ConstructionPlayer& player);
// For the page: {"commands": [{"id", "group" ("head", "lesson", "moves", "files", "build",
// "tools", "edits", "attemptFiles", "keys"), "caption",
// "on", "keys": [KeyShortcuts names], "title"}, …]}, the commands the browser offers.
std::string CommandTableJson();

}  // namespace tamirel
