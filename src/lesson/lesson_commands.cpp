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

std::string Joined(const std::vector<Key>& keys, const char* ctrl, const char* separator, std::string_view KeyText::*part) {
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
    }
    return "";
}

}  // namespace

const std::vector<CommandEntry>& LessonCommands() {
    using C = Command;
    using G = CommandGroup;
    using K = KeyName;
    using M = Message;
    static const std::vector<CommandEntry> table = {
        {C::LessonFold, "fold", G::LessonHead, Say(M::CommandFold), Say(M::CommandUnfold), {}, Say(M::CommandFoldHint), kBrowserFace},
        {C::LessonDiagonals, "diagonals", G::Lesson, Say(M::CommandDiagonals), {}, {{K::D, true}}, {}, kBothFaces, true},
        {C::LessonCopy, "copy", G::Lesson, Say(M::CommandCopy), {}, {{K::C, true}}, {}},
        {C::LessonSave, "save", G::Lesson, Say(M::CommandSave), {}, {{K::S, true}}, {}},
        {C::LessonPrint, "print", G::Lesson, Say(M::CommandPrint), {}, {{K::P, true}}, {}, kDesktopFace},
        {C::LessonClose, "close", G::Lesson, Say(M::CommandClose), {}, {{K::Escape}}, {}},
        {C::StepHome, "home", G::Moves, Say(M::CommandHome), {}, {{K::Home}}, {}},
        {C::StepBack, "back", G::Moves, Say(M::CommandBack), {}, {{K::Left}, {K::PageUp}}, {}},
        {C::StepPlay, "play", G::Moves, Say(M::CommandPlay), Say(M::CommandStop), {{K::Space}}, {}},
        {C::StepForward, "forward", G::Moves, Say(M::CommandForward), {}, {{K::Right}, {K::PageDown}}, {}},
        {C::StepEnd, "end", G::Moves, Say(M::CommandEnd), {}, {{K::End}}, {}},
        {C::StepCopy, "copy", G::StepFiles, Say(M::CommandCopyStep), {}, {{K::C, true}}, {}},
        {C::StepSave, "save", G::StepFiles, Say(M::CommandSaveStep), {}, {{K::S, true}}, {}},
        {C::StepPrint, "print", G::StepFiles, Say(M::CommandPrintHandout), {}, {{K::P, true}}, {}},
    };
    return table;
}

const CommandEntry& CommandOf(Command command) {
    const std::vector<CommandEntry>& table = LessonCommands();
    return *std::find_if(table.begin(), table.end(), [command](const CommandEntry& entry) { return entry.command == command; });
}

bool IsStepCommand(const CommandEntry& entry) {
    return entry.group == CommandGroup::Moves || entry.group == CommandGroup::StepFiles;
}

std::string KeyWords(const std::vector<Key>& keys) { return Joined(keys, "Ctrl+", ", ", &KeyText::words); }
std::string KeyShortcuts(const std::vector<Key>& keys) { return Joined(keys, "Control+", " ", &KeyText::name); }
std::string CommandTitle(const CommandEntry& entry) { return entry.keys.empty() ? entry.hint : KeyWords(entry.keys); }
std::string CheckBoxText(const CommandEntry& entry) { return entry.caption + " (" + KeyWords(entry.keys) + ")"; }

bool CommandEnabled(Command command, const ConstructionPlayer& player) {
    const ConstructionSteps& steps = player.steps();
    const bool playing = player.playing();
    switch (command) {
        case Command::StepHome:
        case Command::StepBack: return playing || steps.step() > 1;
        case Command::StepForward: return steps.step() < steps.steps();
        case Command::StepEnd: return playing || steps.step() < steps.steps();
        case Command::StepPlay: return steps.steps() > 1;
        case Command::StepCopy:
        case Command::StepSave:
        case Command::StepPrint: return !steps.empty();
        default: return true;
    }
}

std::string CommandCaption(Command command, const ConstructionPlayer& player) {
    const CommandEntry& entry = CommandOf(command);
    return command == Command::StepPlay && player.playing() ? entry.onCaption : entry.caption;
}

bool RunPlayerCommand(Command command, ConstructionPlayer& player) {
    switch (command) {
        case Command::StepHome: return player.Home();
        case Command::StepBack: return player.Back();
        case Command::StepPlay: return player.Play();
        case Command::StepForward: return player.Forward();
        case Command::StepEnd: return player.End();
        default: return false;
    }
}

std::string PlayerToJson(const ConstructionPlayer& player) {
    std::string json = ConstructionToJson(player.steps());
    json.pop_back();   // its closing brace
    Append(json, {",\"playing\":", player.playing() ? "true" : "false", ",\"commands\":["});
    const char* separator = "";
    for (const CommandEntry& entry : LessonCommands()) {
        if (!IsStepCommand(entry) || !(entry.faces & kBrowserFace)) continue;
        Append(json, {separator, "{\"id\":", JsonString(entry.id), ",\"caption\":", JsonString(CommandCaption(entry.command, player)),
                      ",\"enabled\":", CommandEnabled(entry.command, player) ? "true}" : "false}"});
        separator = ",";
    }
    return json + "]}";
}

std::string CommandTableJson() {
    std::string json = "{\"commands\":[";
    const char* separator = "";
    for (const CommandEntry& entry : LessonCommands()) {
        if (!(entry.faces & kBrowserFace)) continue;
        Append(json, {separator, "{\"id\":", JsonString(entry.id), ",\"group\":", JsonString(GroupName(entry.group)),
                      ",\"caption\":", JsonString(entry.caption), ",\"on\":", JsonString(entry.onCaption), ",\"keys\":["});
        for (std::size_t i = 0; i < entry.keys.size(); ++i)
            Append(json, {i ? "," : "", JsonString(KeyShortcuts({entry.keys[i]}))});
        Append(json, {"],\"title\":", JsonString(CommandTitle(entry)), "}"});
        separator = ",";
    }
    return json + "]}";
}

}  // namespace tamirel
