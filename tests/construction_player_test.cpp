// The construction's player and the lesson's command table, which both faces follow.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lesson/construction_player.h"
#include "lesson/lesson_commands.h"

namespace tamirel {
namespace {

// Runs "home", "back", "play", "forward", "end" (from the table), "stop", "tick" or
// "follow R N"; returns what the player returned.
bool Apply(ConstructionPlayer& player, const std::string& what) {
    std::istringstream words(what);
    std::string word;
    words >> word;
    if (word == "tick") return player.Tick();
    if (word == "stop") return player.Stop();
    if (word == "follow") {
        double radius = 0, n = 0;
        words >> radius >> n;
        return player.Follow(radius, n);
    }
    for (const CommandEntry& entry : LessonCommands())
        if (entry.group == CommandGroup::Moves && word == entry.id) return RunPlayerCommand(entry.command, player);
    ADD_FAILURE() << "no command " << what;
    return false;
}

// Each from the pentagon of radius 300 (14 steps) at its first step, not playing.
TEST(ConstructionPlayer, CommandsMoveAndPlayAsATeacherExpects) {
    const struct {
        std::vector<std::string> commands;
        std::size_t step;
        bool playing;
    } cases[] = {
        {{"tick"}, 1, false},
        {{"play", "tick", "tick"}, 3, true},
        {{"play", "tick", "play"}, 2, false},             // play again stops
        {{"play", "tick", "stop"}, 2, false},
        {{"play", "forward"}, 2, true},                    // forward plays on
        {{"play", "tick", "back"}, 1, false},             // back, home and end stop
        {{"play", "tick", "tick", "home"}, 1, false},
        {{"play", "end"}, 14, false},
        {{"end", "play"}, 1, true},                        // from the first at the last
        {{"end", "back", "play", "tick"}, 14, false},     // stops on the last
        {{"end", "back", "play", "forward"}, 14, false},
        {{"end", "forward", "back", "back"}, 12, false},
        {{"play", "tick", "follow 250 5"}, 1, false},     // a new figure stops at its first step
        {{"play", "tick", "follow 300 17"}, 1, false},
        {{"play", "tick", "follow 300 5"}, 2, true},      // the same figure plays on
        {{"end", "follow 300 5"}, 14, false},
        {{"follow 300 2.5", "play", "end", "tick"}, 0, false},   // no figure, no steps
    };
    for (const auto& c : cases) {
        ConstructionPlayer player;
        player.Follow(300, 5);
        ASSERT_EQ(player.steps().steps(), 14u);
        std::string trail;
        for (const std::string& command : c.commands) {
            Apply(player, command);
            trail += command + "; ";
        }
        EXPECT_EQ(player.steps().step(), c.step) << trail;
        EXPECT_EQ(player.playing(), c.playing) << trail;
    }
}

// A command is enabled exactly where running it changes the step or playing, and it says so;
// play's caption turns to "Спри" while playing.
TEST(ConstructionPlayer, EnabledWhereACommandChangesSomethingAndPlayTurnsToStop) {
    const std::vector<std::vector<std::string>> states = {
        {}, {"forward"}, {"end"}, {"play"}, {"play", "tick"}, {"end", "back", "play"}, {"follow 300 2.5"}};
    for (const std::vector<std::string>& state : states) {
        ConstructionPlayer player;
        player.Follow(300, 5);
        for (const std::string& command : state) Apply(player, command);
        EXPECT_EQ(CommandCaption(Command::StepPlay, player), player.playing() ? "Спри" : "Пусни");
        EXPECT_EQ(CommandEnabled(Command::StepCopy, player), !player.steps().empty());
        for (const CommandEntry& entry : LessonCommands()) {
            if (entry.group != CommandGroup::Moves) continue;
            ConstructionPlayer after = player;
            const bool returned = Apply(after, entry.id);
            const bool changed = after.steps().step() != player.steps().step() || after.playing() != player.playing();
            EXPECT_EQ(returned, changed) << entry.id << " after " << state.size() << " commands";
            EXPECT_EQ(CommandEnabled(entry.command, player), changed) << entry.id << " after " << state.size() << " commands";
        }
    }
    const std::string json = [] {
        ConstructionPlayer player;
        player.Follow(300, 5);
        player.Play();
        return PlayerToJson(player);
    }();
    EXPECT_NE(json.find("\"step\":1,\"steps\":14"), std::string::npos);
    EXPECT_NE(json.find("\"playing\":true,\"commands\":[{\"id\":\"home\",\"caption\":\"Начало\",\"enabled\":true,\"on\":false}"),
              std::string::npos);
    EXPECT_NE(json.find("{\"id\":\"play\",\"caption\":\"Спри\",\"enabled\":true,\"on\":false}"), std::string::npos);
    EXPECT_EQ(PlayerToJson(ConstructionPlayer()).rfind("{\"steps\":0,\"playing\":false,", 0), 0u);
}

// While the pupil builds, the worked construction's moves rest and the attempt's commands act;
// a new figure ends the attempt, the same figure keeps it.
TEST(ConstructionPlayer, BuildingTakesTheKeysAndANewFigureEndsIt) {
    ConstructionPlayer player;
    player.Follow(300, 5);
    player.Play();
    EXPECT_FALSE(CommandEnabled(Command::AttemptUndo, player));
    ASSERT_TRUE(RunPlayerCommand(Command::Build, player));
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(CommandCaption(Command::Build, player), "Към стъпките");
    for (const Command c : {Command::StepHome, Command::StepPlay, Command::StepForward, Command::StepCopy, Command::ToolProtractor,
                            Command::AttemptUndo, Command::AttemptRestart})
        EXPECT_FALSE(CommandEnabled(c, player)) << static_cast<int>(c);
    for (const Command c : {Command::ToolCompass, Command::PickNext, Command::AttemptHint, Command::AttemptCopy})
        EXPECT_TRUE(CommandEnabled(c, player)) << static_cast<int>(c);
    RunPlayerCommand(Command::ToolCompass, player);
    EXPECT_TRUE(CommandOn(Command::ToolCompass, player));
    for (const Command c : {Command::PickNext, Command::Pick, Command::PickNext, Command::Pick})
        RunPlayerCommand(c, player);
    EXPECT_EQ(player.attempt().said().rfind("Начертахте окръжността k₁ с център A₁ през O.", 0), 0u) << player.attempt().said();
    EXPECT_TRUE(CommandEnabled(Command::AttemptUndo, player));
    player.Follow(300, 5);
    EXPECT_TRUE(player.attempt().active());
    player.Follow(300, 7);
    EXPECT_FALSE(player.attempt().active());
    EXPECT_TRUE(CommandEnabled(Command::StepForward, player));
}

// Every command has its words, and no key runs two commands where both act: the lesson's and
// the moves' keys act anywhere in the window; the construction's files take the lesson's keys
// while its controls have the focus.
TEST(LessonCommands, EveryCommandHasWordsAndKeysActOnceWhereTheyAct) {
    // Keys act once in each mode: while the pupil watches the steps and while they build.
    std::set<std::string> ids[2], window[2], construction[2];
    for (const CommandEntry& entry : LessonCommands()) {
        EXPECT_FALSE(entry.caption().empty()) << entry.id;
        EXPECT_FALSE(CommandTitle(entry).empty()) << entry.id;
        EXPECT_TRUE(ids[IsConstructionCommand(entry)].insert(entry.id).second) << entry.id;
        const bool files = entry.group == CommandGroup::StepFiles || entry.group == CommandGroup::AttemptFiles;
        for (const int building : {0, 1}) {
            if ((building && IsStepCommand(entry)) || (!building && IsAttemptCommand(entry))) continue;
            for (const Key& key : entry.keys) {
                const std::string name = KeyShortcuts({key});
                if (!files) {
                    EXPECT_TRUE(window[building].insert(name).second) << entry.id << " " << name;
                }
                if (entry.group != CommandGroup::Lesson || entry.command == Command::LessonClose ||
                    entry.command == Command::LessonDiagonals) {
                    EXPECT_TRUE(construction[building].insert(name).second) << entry.id << " " << name;
                }
            }
        }
    }
    const struct {
        Command command;
        const char* words;
        const char* shortcuts;
    } keys[] = {
        {Command::StepBack, "Стрелка наляво, Page Up", "ArrowLeft PageUp"},
        {Command::StepPlay, "Интервал", "Space"},
        {Command::StepCopy, "Ctrl+C", "Control+C"},
        {Command::LessonClose, "Escape", "Escape"},
    };
    for (const auto& k : keys) {
        EXPECT_EQ(KeyWords(CommandOf(k.command).keys), k.words);
        EXPECT_EQ(KeyShortcuts(CommandOf(k.command).keys), k.shortcuts);
    }
    EXPECT_EQ(CheckBoxText(CommandOf(Command::LessonDiagonals)), "Диагонали от A₁ (Ctrl+D)");
    const std::string table = CommandTableJson();
    EXPECT_NE(table.find("{\"id\":\"back\",\"group\":\"moves\",\"caption\":\"Назад\",\"on\":\"\",\"keys\":[\"ArrowLeft\","
                         "\"PageUp\"],\"title\":\"Стрелка наляво, Page Up\"}"),
              std::string::npos);
    EXPECT_EQ(table.find("Печат…"), std::string::npos) << "the browser does not print the lesson";
}

}  // namespace
}  // namespace tamirel
