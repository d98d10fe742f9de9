#include "lesson/lesson_commands.h"

#include <algorithm>

#include "form/messages.h"
#include "lesson/lesson.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

struct KeyText {
    std::string_view words;   // as a tooltip reads it
    std::string_view name;    // as KeyboardEvent.key and aria-keyshortcuts name it
};

KeyText TextOf(KeyName key) {
    switch (key) {
        case KeyName::Home: return {"Home", "Home"};
        case KeyName::End: return {"End", "End"};
        case KeyName::Left: return {Template(Message::KeyLeft), "ArrowLeft"};
        case KeyName::Right: return {Template(Message::KeyRight), "ArrowRight"};
        case KeyName::Up: return {Template(Message::KeyUp), "ArrowUp"};
        case KeyName::Down: return {Template(Message::KeyDown), "ArrowDown"};
        case KeyName::Enter: return {"Enter", "Enter"};
        case KeyName::O: return {"O", "O"};
        case KeyName::Y: return {"Y", "Y"};
        case KeyName::Z: return {"Z", "Z"};
        case KeyName::One: return {"1", "1"};
        case KeyName::Two: return {"2", "2"};
        case KeyName::Three: return {"3", "3"};
        case KeyName::Four: return {"4", "4"};
        case KeyName::Five: return {"5", "5"};
        case KeyName::Six: return {"6", "6"};
        case KeyName::PageUp: return {"Page Up", "PageUp"};
        case KeyName::PageDown: return {"Page Down", "PageDown"};
        case KeyName::Space: return {Template(Message::KeySpace), "Space"};
        case KeyName::Escape: return {"Escape", "Escape"};
        case KeyName::C: return {"C", "C"};
        case KeyName::D: return {"D", "D"};
        case KeyName::P: return {"P", "P"};
        case KeyName::S: return {"S", "S"};
    }
    return {"", ""};
}

std::string Joined(const Keys& keys, const char* ctrl, const char* separator, std::string_view KeyText::*part) {
    std::string text;
    for (const Key& key : keys) Append(text, {text.empty() ? "" : separator, key.ctrl ? ctrl : "", TextOf(key.name).*part});
    return text;
}

const char* GroupName(CommandGroup group) {
    switch (group) {
        case CommandGroup::LessonHead: return "head";
        case CommandGroup::Lesson: return "lesson";
        case CommandGroup::Moves: return "moves";
        case CommandGroup::StepFiles: return "files";
        case CommandGroup::Build: return "build";
        case CommandGroup::Tools: return "tools";
        case CommandGroup::AttemptEdits: return "edits";
        case CommandGroup::AttemptFiles: return "attemptFiles";
        case CommandGroup::Keys: return "keys";
    }
    return "";
}

using C = Command;
using G = CommandGroup;
using K = KeyName;
using M = Message;

constexpr CommandEntry kCommands[] = {
    {C::LessonFold, "fold", G::LessonHead, M::CommandFold, M::CommandUnfold, {}, M::CommandFoldHint, kBrowserFace},
    {C::LessonDiagonals, "diagonals", G::Lesson, M::CommandDiagonals, {}, {{K::D, true}}, {}, kBothFaces, true},
    {C::LessonCopy, "copy", G::Lesson, M::CommandCopy, {}, {{K::C, true}}, {}},
    {C::LessonSave, "save", G::Lesson, M::CommandSave, {}, {{K::S, true}}, {}},
    {C::LessonPrint, "print", G::Lesson, M::CommandPrint, {}, {{K::P, true}}, {}, kDesktopFace},
    {C::LessonClose, "close", G::Lesson, M::CommandClose, {}, {{K::Escape}}, {}},
    {C::StepHome, "home", G::Moves, M::CommandHome, {}, {{K::Home}}, {}},
    {C::StepBack, "back", G::Moves, M::CommandBack, {}, {{K::Left}, {K::PageUp}}, {}},
    {C::StepPlay, "play", G::Moves, M::CommandPlay, M::CommandStop, {{K::Space}}, {}},
    {C::StepForward, "forward", G::Moves, M::CommandForward, {}, {{K::Right}, {K::PageDown}}, {}},
    {C::StepEnd, "end", G::Moves, M::CommandEnd, {}, {{K::End}}, {}},
    {C::StepCopy, "copy", G::StepFiles, M::CommandCopyStep, {}, {{K::C, true}}, {}},
    {C::StepSave, "save", G::StepFiles, M::CommandSaveStep, {}, {{K::S, true}}, {}},
    {C::StepPrint, "print", G::StepFiles, M::CommandPrintHandout, {}, {{K::P, true}}, {}},
    {C::Build, "build", G::Build, M::CommandBuild, M::CommandWatch, {}, M::CommandBuildHint},
    {C::AttemptOpen, "open-attempt", G::Build, M::CommandOpenAttempt, {}, {{K::O, true}}, {}},
    {C::ToolStraightedge, "straightedge", G::Tools, M::CommandStraightedge, {}, {{K::One}}, {}},
    {C::ToolCompass, "compass", G::Tools, M::CommandCompass, {}, {{K::Two}}, {}},
    {C::ToolOpening, "opening", G::Tools, M::CommandOpening, {}, {{K::Three}}, {}},
    {C::ToolCrossing, "crossing", G::Tools, M::CommandCrossing, {}, {{K::Four}}, {}},
    {C::ToolSides, "sides", G::Tools, M::CommandSides, {}, {{K::Five}}, {}},
    {C::ToolProtractor, "protractor", G::Tools, M::CommandProtractor, {}, {{K::Six}}, {}},
    {C::AttemptUndo, "undo", G::AttemptEdits, M::CommandUndo, {}, {{K::Z, true}}, {}},
    {C::AttemptRedo, "redo", G::AttemptEdits, M::CommandRedo, {}, {{K::Y, true}}, {}},
    {C::AttemptRestart, "restart", G::AttemptEdits, M::CommandRestart, {}, {}, M::CommandRestartHint},
    {C::AttemptHint, "hint", G::AttemptEdits, M::CommandHint, {}, {}, M::CommandHintHint},
    {C::PickPrevious, "pick-previous", G::Keys, M::CommandPickPrevious, {}, {{K::Left}, {K::Up}}, {}},
    {C::PickNext, "pick-next", G::Keys, M::CommandPickNext, {}, {{K::Right}, {K::Down}}, {}},
    {C::Pick, "pick", G::Keys, M::CommandPick, {}, {{K::Enter}, {K::Space}}, {}},
    {C::AttemptCopy, "copy-attempt", G::AttemptFiles, M::CommandCopyAttempt, {}, {{K::C, true}}, {}},
    {C::AttemptSave, "save-attempt", G::AttemptFiles, M::CommandSaveAttempt, {}, {{K::S, true}}, {}},
    {C::AttemptPrint, "print-attempt", G::AttemptFiles, M::CommandPrintAttempt, {}, {{K::P, true}}, {}},
};

}  // namespace

std::span<const CommandEntry> LessonCommands() { return kCommands; }

const CommandEntry& CommandOf(Command command) {
    return *std::find_if(std::begin(kCommands), std::end(kCommands),
                         [command](const CommandEntry& entry) { return entry.command == command; });
}

bool IsStepCommand(const CommandEntry& entry) {
    return entry.group == CommandGroup::Moves || entry.group == CommandGroup::StepFiles;
}

bool IsAttemptCommand(const CommandEntry& entry) {
    return entry.group == CommandGroup::Tools || entry.group == CommandGroup::AttemptEdits ||
           entry.group == CommandGroup::AttemptFiles || entry.group == CommandGroup::Keys;
}

bool IsConstructionCommand(const CommandEntry& entry) {
    return IsStepCommand(entry) || IsAttemptCommand(entry) || entry.group == CommandGroup::Build;
}

namespace {

constexpr std::pair<Command, AttemptTool> kToolCommands[] = {
    {Command::ToolStraightedge, AttemptTool::Straightedge}, {Command::ToolCompass, AttemptTool::Compass},
    {Command::ToolOpening, AttemptTool::Opening},           {Command::ToolCrossing, AttemptTool::Crossing},
    {Command::ToolSides, AttemptTool::Sides},               {Command::ToolProtractor, AttemptTool::Protractor}};

const AttemptTool* ToolOf(Command command) {
    for (const auto& [c, tool] : kToolCommands)
        if (c == command) return &tool;
    return nullptr;
}

}  // namespace

std::string KeyWords(const Keys& keys) { return Joined(keys, "Ctrl+", ", ", &KeyText::words); }
std::string KeyShortcuts(const Keys& keys) { return Joined(keys, "Control+", " ", &KeyText::name); }
std::string CommandTitle(const CommandEntry& entry) { return entry.keys.empty() ? std::string(entry.hint()) : KeyWords(entry.keys); }
std::string CheckBoxText(const CommandEntry& entry) {
    std::string text;
    Append(text, {entry.caption(), " (", KeyWords(entry.keys), ")"});
    return text;
}

bool CommandEnabled(Command command, const ConstructionPlayer& player) {
    const ConstructionSteps& steps = player.steps();
    const AttemptSession& session = player.attempt();
    const bool playing = player.playing(), building = session.active();
    if (building && IsStepCommand(CommandOf(command))) return false;
    if (!building && IsAttemptCommand(CommandOf(command))) return false;
    switch (command) {
        case Command::StepHome:
        case Command::StepBack: return playing || steps.step() > 1;
        case Command::StepForward: return steps.step() < steps.steps();
        case Command::StepEnd: return playing || steps.step() < steps.steps();
        case Command::StepPlay: return steps.steps() > 1;
        case Command::StepCopy:
        case Command::StepSave:
        case Command::StepPrint:
        case Command::Build: return !steps.empty();
        case Command::ToolProtractor: return !session.attempt().exact();
        case Command::AttemptUndo: return session.attempt().CanUndo();
        case Command::AttemptRedo: return session.attempt().CanRedo();
        case Command::AttemptRestart: return session.attempt().CanUndo() || session.attempt().CanRedo();
        case Command::AttemptHint: return !session.attempt().Done();
        default: return true;
    }
}

bool CommandOn(Command command, const ConstructionPlayer& player) {
    const AttemptSession& session = player.attempt();
    if (command == Command::Build) return session.active();
    const AttemptTool* tool = ToolOf(command);
    return tool && session.active() && session.tool() == *tool;
}

std::string CommandCaption(Command command, const ConstructionPlayer& player) {
    const CommandEntry& entry = CommandOf(command);
    const bool on = command == Command::StepPlay ? player.playing() : command == Command::Build && player.attempt().active();
    return std::string(on ? entry.onCaption() : entry.caption());
}

bool RunPlayerCommand(Command command, ConstructionPlayer& player) {
    if (!CommandEnabled(command, player)) return false;
    AttemptSession& session = player.attempt();
    if (const AttemptTool* tool = ToolOf(command)) {
        session.SetTool(*tool);
        return true;
    }
    switch (command) {
        case Command::StepHome: return player.Home();
        case Command::StepBack: return player.Back();
        case Command::StepPlay: return player.Play();
        case Command::StepForward: return player.Forward();
        case Command::StepEnd: return player.End();
        case Command::Build:
            if (session.active()) {
                session.Leave();
                return true;
            }
            player.Stop();
            return session.Start();
        case Command::AttemptUndo: session.Undo(); return true;
        case Command::AttemptRedo: session.Redo(); return true;
        case Command::AttemptRestart: session.Restart(); return true;
        case Command::AttemptHint: session.Hint(); return true;
        case Command::PickPrevious: session.MoveFocus(-1); return true;
        case Command::PickNext: session.MoveFocus(1); return true;
        case Command::Pick: session.Choose(); return true;
        default: return false;
    }
}

std::string PlayerToJson(const ConstructionPlayer& player) {
    std::string json = ConstructionToJson(player.steps());
    json.pop_back();   // its closing brace
    Append(json, {",\"playing\":", player.playing() ? "true" : "false", ",\"commands\":["});
    const char* separator = "";
    for (const CommandEntry& entry : LessonCommands()) {
        if (!IsConstructionCommand(entry) || !(entry.faces & kBrowserFace)) continue;
        json += separator;
        AppendJsonStrings(json, {{"{\"id\":", entry.id}, {",\"caption\":", CommandCaption(entry.command, player)}});
        Append(json, {",\"enabled\":", CommandEnabled(entry.command, player) ? "true" : "false",
                      ",\"on\":", CommandOn(entry.command, player) ? "true}" : "false}"});
        separator = ",";
    }
    Append(json, {"],\"attempt\":", AttemptToJson(player.attempt()), "}"});
    return json;
}

std::string CommandTableJson() {
    std::string json = "{\"commands\":[";
    const char* separator = "";
    for (const CommandEntry& entry : LessonCommands()) {
        if (!(entry.faces & kBrowserFace)) continue;
        Append(json, {separator, "{\"id\":", JsonString(entry.id), ",\"group\":", JsonString(GroupName(entry.group)),
                      ",\"caption\":", JsonString(entry.caption()), ",\"on\":", JsonString(entry.onCaption()), ",\"keys\":["});
        for (std::size_t i = 0; i < entry.keys.size(); ++i)
            Append(json, {i ? "," : "", JsonString(KeyShortcuts({entry.keys[i]}))});
        Append(json, {"],\"title\":", JsonString(CommandTitle(entry)), "}"});
        separator = ",";
    }
    return json + "]}";
}

}  // namespace tamirel
