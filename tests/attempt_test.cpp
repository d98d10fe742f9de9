// The pupil's own construction: every route that makes the vertices counts, however it goes;
// nothing is made where nothing crosses; hints can always be taken; files replay or say why not.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "form/layout.h"
#include "form/polygon_names.h"
#include "lesson/attempt.h"
#include "lesson/attempt_session.h"
#include "lesson/polygon_construction.h"

namespace tamirel {
namespace {

using T = AttemptTool;

// Plays the worked construction as a pupil's moves, its points renamed as the attempt names
// them; the first `count` of its moves (lines, circles, points, sides), all by default.
void PlayWorked(Attempt& attempt, std::size_t count = static_cast<std::size_t>(-1)) {
    std::map<std::string, std::string> ours{{"O", "O"}, {VertexName(1), VertexName(1)}};
    const auto take = [&](AttemptMove move) {
        if (count == 0) return false;
        --count;
        for (std::string& p : move.points) p = ours.at(p);
        const MoveOutcome outcome = attempt.Take(move);
        EXPECT_TRUE(outcome.taken) << outcome.said;
        return true;
    };
    for (const Step& step : attempt.worked().steps) {
        if (step.tool == Tool::Given) continue;
        if (step.tool == Tool::Sides) {
            for (std::size_t i = 0; i < step.uses.size(); ++i)
                if (!take({T::Sides, {step.uses[i], step.uses[(i + 1) % step.uses.size()]}, {}})) return;
            continue;
        }
        const std::vector<std::string>& u = step.uses;
        const AttemptMove move = step.tool == Tool::Straightedge ? AttemptMove{T::Straightedge, u, {}}
                                 : step.tool == Tool::Protractor ? AttemptMove{T::Protractor, u, {}}
                                 : u.size() == 2                 ? AttemptMove{T::Compass, u, {}}
                                                                 : AttemptMove{T::Opening, {u[1], u[2], u[0]}, {}};
        if (!take(move)) return;
        for (const NewPoint& made : step.makes) {
            if (!take({T::Crossing, {}, attempt.workedReplay().Point(made.name)->at})) return;
            ours[made.name] = attempt.points().back().name;
        }
    }
}

TEST(Attempt, EveryWorkedConstructionPlayedAsMovesBuildsThePolygonInItsMoveCount) {
    int figures = 0;
    for (const std::string& count : ListItems(2))
        for (const std::string& radius : ListItems(1)) {
            const int n = std::stoi(count);
            SCOPED_TRACE("R = " + radius + ", N = " + count);
            Attempt attempt(std::stod(radius), n);
            PlayWorked(attempt);
            ASSERT_TRUE(attempt.Done());
            EXPECT_EQ(attempt.LinesAndCircles(), attempt.WorkedLinesAndCircles());
            for (const AttemptPoint& p : attempt.points())
                if (p.vertex) {
                    EXPECT_EQ(p.name, VertexName(p.vertex));
                }
            if (attempt.exact()) ++figures;
        }
    EXPECT_EQ(figures, 88);
}

struct Route {
    const char* what;
    int n;
    std::vector<AttemptMove> moves;
    bool done;
    int lines;
};

// Other routes, named as the attempt names their points (B, C, … in the order made).
TEST(Attempt, OtherRoutesCountAndNearMissesDoNot) {
    const double r = 300;
    // Where the main window puts the vertices (A₁ bottom-left, counter-clockwise on screen).
    const auto vertex = [&](int n, int k) { return Attempt(r, n).vertices()[static_cast<std::size_t>(k - 1)]; };
    std::vector<AttemptMove> hexagon;
    const std::vector<std::string> a{"", "A₁", "A₂", "A₃", "A₄", "A₅", "A₆"};
    // Stepping the radius round the circle: each circle through O about the vertex before.
    for (int k = 1; k <= 5; ++k) {
        hexagon.push_back({T::Compass, {a[k], "O"}, {}});
        hexagon.push_back({T::Crossing, {}, vertex(6, k + 1)});
    }
    for (int k = 1; k <= 6; ++k) hexagon.push_back({T::Sides, {a[k], a[k % 6 + 1]}, {}});
    // The square by the perpendicular bisector of the diameter A₁A₃.
    std::vector<AttemptMove> square{{T::Straightedge, {"A₁", "O"}, {}},   {T::Crossing, {}, vertex(4, 3)},
                                    {T::Compass, {"A₁", "A₃"}, {}},      {T::Compass, {"A₃", "A₁"}, {}},
                                    {T::Crossing, {}, {700, 700}},        {T::Crossing, {}, {300, 300}}};
    // The crossings of the two circles lie on the bisector, far out along it (±R√3 from O).
    const Spot o{500, 500}, a1 = vertex(4, 1), a3 = vertex(4, 3);
    const Spot along{-(a3.y - a1.y) / 2, (a3.x - a1.x) / 2};   // R, perpendicular to A₁A₃
    const double root3 = 1.7320508075688772;
    square[4].at = {o.x + root3 * along.x, o.y + root3 * along.y};
    square[5].at = {o.x - root3 * along.x, o.y - root3 * along.y};
    square.push_back({T::Straightedge, {"B", "C"}, {}});
    square.push_back({T::Crossing, {}, vertex(4, 2)});
    square.push_back({T::Crossing, {}, vertex(4, 4)});
    for (int k = 1; k <= 4; ++k) square.push_back({T::Sides, {a[k], a[k % 4 + 1]}, {}});
    // A heptagon's side taken as half the inscribed triangle's side (a classic approximation):
    // the point it gives beside A₂ is 0.54 units off and is no vertex.
    // The circle about A₁ through O meets k 60° either side of A₁.
    const Spot h1 = vertex(7, 1);
    const auto turned = [&](double degrees) {
        const double c = std::cos(degrees * 3.14159265358979323846 / 180), s = std::sin(degrees * 3.14159265358979323846 / 180);
        return Spot{500 + (h1.x - 500) * c + (h1.y - 500) * s, 500 - (h1.x - 500) * s + (h1.y - 500) * c};
    };
    const Spot k1 = turned(60), l1 = turned(-60);
    std::vector<AttemptMove> heptagon{{T::Compass, {"A₁", "O"}, {}},   {T::Crossing, {}, k1},       {T::Crossing, {}, l1},
                                      {T::Straightedge, {"B", "C"}, {}}, {T::Straightedge, {"A₁", "O"}, {}},
                                      {T::Crossing, {}, {(k1.x + l1.x) / 2, (k1.y + l1.y) / 2}},
                                      {T::Opening, {"B", "D", "A₁"}, {}},  {T::Crossing, {}, vertex(7, 2)}};
    const Route routes[] = {
        {"hexagon, the radius stepped round", 6, hexagon, true, 5},
        {"square, another perpendicular", 4, square, true, 4},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.what);
        Attempt attempt(r, route.n);
        for (const AttemptMove& move : route.moves) {
            const MoveOutcome outcome = attempt.Take(move);
            ASSERT_TRUE(outcome.taken) << outcome.said;
        }
        EXPECT_EQ(attempt.Done(), route.done);
        EXPECT_EQ(attempt.LinesAndCircles(), route.lines);
        EXPECT_NE(attempt.Verdict().find(std::to_string(route.lines) + " хода (в урока: "), std::string::npos) << attempt.Verdict();
    }
    Attempt near(r, 7);
    for (std::size_t i = 0; i + 1 < heptagon.size(); ++i) ASSERT_TRUE(near.Take(heptagon[i]).taken) << i;
    const MoveOutcome last = near.Take({T::Crossing, {}, vertex(7, 2)});
    EXPECT_FALSE(last.taken) << "nothing crosses within reach of A₂ itself";
    const std::vector<AttemptCrossing> open = near.Crossings();
    const AttemptCrossing* closest = &open[0];
    for (const AttemptCrossing& c : open)
        if (std::hypot(c.at.x - vertex(7, 2).x, c.at.y - vertex(7, 2).y) <
            std::hypot(closest->at.x - vertex(7, 2).x, closest->at.y - vertex(7, 2).y))
            closest = &c;
    ASSERT_TRUE(near.Take({T::Crossing, {}, closest->at}).taken);
    EXPECT_EQ(near.points().back().vertex, 0) << near.points().back().name;
    EXPECT_EQ(near.VerticesMade(), 1);
}

// Moves the tools refuse, each leaving the attempt as it was.
TEST(Attempt, RefusedMovesChangeNothing) {
    Attempt attempt(300, 5);
    ASSERT_TRUE(attempt.Take({T::Compass, {"A₁", "O"}, {}}).taken);
    const struct {
        AttemptMove move;
        const char* says;
    } refused[] = {
        {{T::Crossing, {}, {500, 500}}, "Тук не се пресичат"},         // O itself is made already
        {{T::Crossing, {}, {100, 100}}, "Тук не се пресичат"},
        {{T::Straightedge, {"A₁", "B"}, {}}, "Точка B още не е построена."},
        {{T::Straightedge, {"O", "O"}, {}}, "две различни точки"},
        {{T::Opening, {"O", "A₁", "A₁"}, {}}, "вече е начертана: k₁"},
        {{T::Compass, {"O", "A₁"}, {}}, "вече е начертана: k."},
        {{T::Protractor, {"O", "A₁"}, {}}, "транспортирът не е нужен"},
        {{T::Sides, {"O"}, {}}, "Ходът не е пълен."},
    };
    for (const auto& r : refused) {
        const MoveOutcome outcome = attempt.Take(r.move);
        EXPECT_FALSE(outcome.taken);
        EXPECT_NE(outcome.said.find(r.says), std::string::npos) << outcome.said;
    }
    EXPECT_EQ(attempt.moves().size(), 1u);
    EXPECT_EQ(attempt.objects().size(), 2u);
    EXPECT_EQ(attempt.Crossings().size(), 2u);
}

// A hint is a move that can be taken, from the start and halfway; followed hint by hint it
// builds the polygon in the worked construction's number of moves.
TEST(Attempt, HintsCanBeTakenAndLeadToThePolygon) {
    for (const std::string& count : ListItems(2)) {
        const int n = std::stoi(count);
        SCOPED_TRACE("N = " + count);
        Attempt half(400, n);
        PlayWorked(half, half.WorkedLinesAndCircles());
        std::optional<AttemptHint> hint = half.Hint();
        ASSERT_TRUE(hint);
        EXPECT_TRUE(half.Take(hint->move).taken) << hint->said;

        Attempt attempt(400, n);
        int hints = 0;
        while ((hint = attempt.Hint())) {
            const MoveOutcome outcome = attempt.Take(hint->move);
            ASSERT_TRUE(outcome.taken) << hint->said << " " << outcome.said;
            ASSERT_LT(++hints, 1000);
        }
        EXPECT_TRUE(attempt.Done());
        EXPECT_EQ(attempt.LinesAndCircles(), attempt.WorkedLinesAndCircles());
        EXPECT_NE(attempt.Verdict().find("Използвани подсказки: " + std::to_string(hints)), std::string::npos);
    }
}

TEST(Attempt, UndoRedoAndRestart) {
    Attempt attempt(300, 6);
    PlayWorked(attempt, 5);
    const std::string all = AttemptToText(attempt);
    ASSERT_TRUE(attempt.Undo());
    ASSERT_TRUE(attempt.Undo());
    EXPECT_EQ(attempt.moves().size(), 3u);
    ASSERT_TRUE(attempt.Redo());
    ASSERT_TRUE(attempt.Redo());
    EXPECT_FALSE(attempt.Redo());
    EXPECT_EQ(AttemptToText(attempt), all);
    attempt.Restart();
    EXPECT_EQ(attempt.points().size(), 2u);
    EXPECT_FALSE(attempt.CanUndo());
}

// A saved attempt opens to the same figure; a file that is not one says why and makes nothing.
TEST(AttemptFile, ReplaysOrSaysWhy) {
    Attempt attempt(300, 5);
    PlayWorked(attempt);
    attempt.Hint();
    const std::string text = AttemptToText(attempt);
    const Attempt opened = AttemptFromText(text);
    EXPECT_TRUE(opened.Done());
    EXPECT_EQ(AttemptToText(opened), text);
    EXPECT_EQ(opened.Verdict(), attempt.Verdict());

    const std::string head = "tamirel-attempt 1\nfigure 300 5\nhints 0\n";
    const struct {
        std::string text;
        const char* says;
    } bad[] = {
        {"<svg/>", "не е файл с построяване"},
        {"tamirel-attempt 2\n", "по-нова версия на Tamirel (версия 2)"},
        {text.substr(0, text.size() / 2), "непълен"},
        {head, "непълен"},
        {"tamirel-attempt 1\nfigure 301 5\nhints 0\nend 0\n", "фигура, която списъците не предлагат"},
        {head + "line A₁ O\nend 2\n", "ред 5"},
        {head + "line A₁\nend 1\n", "Ход 1 от файла (ред 4) не може да се повтори: Ходът не е пълен."},
        {head + "point 100 100\nend 1\n", "Тук не се пресичат"},
        {head + "line A₁ Q\nend 1\n", "Точка Q още не е построена"},
        {head + "arc A₁ O\nend 1\n", "ред 4"},
        {head + "end 0\nline A₁ O\n", "ред 5"},
        {head + "point -0x1 5\nend 1\n", "ред 4"},
        {head + "point 0 66663333503333333332342\nend 1\n", "Тук не се пресичат"},
        {head + "point 51615 6653363630-3333\nend 1\n", "ред 4"},
        {head + "point 1.2.3 5\nend 1\n", "ред 4"},
    };
    for (const auto& b : bad) {
        try {
            AttemptFromText(b.text);
            ADD_FAILURE() << b.text;
        } catch (const AttemptFileError& e) {
            EXPECT_NE(std::string(e.what()).find(b.says), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace tamirel

namespace tamirel {
namespace {

// The session turns picks by place and by keyboard into the same moves, and says each one.
TEST(AttemptSession, PicksByPlaceAndByKeyboardMakeTheSameMovesAndSayThem) {
    AttemptSession byPlace, byKeys;
    for (AttemptSession* s : {&byPlace, &byKeys}) {
        s->Follow(300, 6);
        ASSERT_TRUE(s->Start());
        s->SetTool(AttemptTool::Compass);
    }
    const Spot o = byPlace.attempt().points()[0].at, a1 = byPlace.attempt().points()[1].at;
    byPlace.PickAt({a1.x + 8, a1.y - 5}, 10);   // a click beside A₁
    EXPECT_EQ(byPlace.said(), "Избрана е точка A₁. Пергел: изберете точка, през която минава окръжността.");
    byPlace.PickAt({o.x + 40, o.y}, 10);         // nothing there
    EXPECT_EQ(byPlace.said(), "Тук няма построена точка.");
    byPlace.PickAt({o.x + 20, o.y + 10}, 24);    // a finger reaches farther
    byKeys.MoveFocus(1);   // the newest point first
    EXPECT_EQ(byKeys.said(), "Точка A₁");
    byKeys.Choose();
    byKeys.MoveFocus(1);
    byKeys.Choose();
    EXPECT_EQ(AttemptToText(byKeys.attempt()), AttemptToText(byPlace.attempt()));
    EXPECT_EQ(byKeys.said().rfind("Начертахте окръжността k₁ с център A₁ през O.", 0), 0u) << byKeys.said();

    // The crossings of k and k₁, walked top to bottom; the second is A₂, the vertex.
    byKeys.SetTool(AttemptTool::Crossing);
    ASSERT_EQ(byKeys.Targets().size(), 2u);
    EXPECT_EQ(byKeys.Targets()[0].said, "Пресечна точка на k и k₁");
    byKeys.MoveFocus(-1);
    byKeys.Choose();
    EXPECT_NE(byKeys.said().find("Това е връх на правилния шестоъгълник: построени са 2 от 6 върха."), std::string::npos)
        << byKeys.said();
    byPlace.SetTool(AttemptTool::Crossing);
    byPlace.PickAt({500, 100}, 24);
    EXPECT_EQ(byPlace.said(), "Тук не се пресичат начертани линии.");

    // A hint takes up its tool and rings what it uses; the attempt's page lists the moves.
    byKeys.Hint();
    EXPECT_EQ(byKeys.said(), "Подсказка: начертайте правата през A₁ и O.");
    EXPECT_EQ(byKeys.tool(), AttemptTool::Straightedge);
    const Page page = AttemptPage(byKeys);
    std::string lines;
    for (const PageText& t : page.texts) lines += t.text + "\n";
    EXPECT_NE(lines.find("Построй сам: правилен шестоъгълник\nХодове: 1 (в урока: "), std::string::npos) << lines;
    EXPECT_NE(lines.find("1. Окръжност k₁ с център A₁ през O\n2. Точка A₂ — пресечна точка на k и k₁\n"), std::string::npos) << lines;
}

}  // namespace
}  // namespace tamirel
