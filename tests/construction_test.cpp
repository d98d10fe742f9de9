#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fakes.h"
#include "form/layout.h"
#include "geometry/draw_polygon.h"
#include "lesson/construction.h"
#include "lesson/construction_scene.h"
#include "lesson/construction_steps.h"
#include "lesson/label_layout.h"
#include "lesson/polygon_construction.h"
#include "lesson/scene_draw.h"

namespace tamirel {
namespace {

using testing::Call;
using testing::CallLog;
using testing::FakeListBox;
using testing::RecordingPictureBox;

struct Xy {
    double x, y;
};

// The main window's vertices for the list texts: the PSet's point, then each line's end, the
// last of which closes the outline on the first.
std::vector<Xy> MainWindowVertices(const std::string& radius, const std::string& count) {
    CallLog log;
    RecordingPictureBox picture(log);
    FakeListBox radii("radii", log, {radius}, 0);
    FakeListBox counts("counts", log, {count}, 0);
    DrawPolygon(picture, radii, counts);
    std::vector<Xy> vertices;
    for (const Call& c : log)
        if (c.what == "PSet" || c.what == "Line") vertices.push_back({c.args[0], c.args[1]});
    vertices.pop_back();
    return vertices;
}

// The main window draws clockwise on the screen from the bottom-right vertex; the construction
// letters counter-clockwise from the bottom-left one, so Aⱼ is the main window's vertex 2 - j.
void ExpectMainWindowVertices(const Replay& replay, const std::string& radius, int n) {
    const std::vector<Xy> expected = MainWindowVertices(radius, std::to_string(n));
    ASSERT_EQ(replay.vertices.size(), expected.size());
    for (int j = 1; j <= n; ++j) {
        const Xy& e = expected[static_cast<std::size_t>(((2 - j) % n + n) % n)];
        const Spot& got = replay.vertices[static_cast<std::size_t>(j - 1)];
        EXPECT_NEAR(got.x, e.x, 0.01) << "A" << j;
        EXPECT_NEAR(got.y, e.y, 0.01) << "A" << j;
    }
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Every count and radius the lists offer: the checker accepts the construction and it ends on
// the main window's vertices; straightedge and compass where Gauss and Wantzel allow it, the
// statement and the protractor elsewhere.
TEST(Construction, EveryFigureTheListsOfferEndsOnTheMainWindowsVertices) {
    for (const std::string& count : ListItems(2)) {
        const int n = std::stoi(count);
        const bool exact = n == 3 || n == 4 || n == 5 || n == 6 || n == 8 || n == 10 || n == 12 || n == 15 ||
                           n == 16 || n == 17 || n == 20;
        EXPECT_EQ(Constructible(n), exact) << n;
        for (const std::string& radius : ListItems(1)) {
            SCOPED_TRACE("R = " + radius + ", N = " + count);
            const Construction c = BuildConstruction(std::stod(radius), n);
            Replay replay;
            ASSERT_NO_THROW(replay = ReplayConstruction(c));
            ExpectMainWindowVertices(replay, radius, n);
            bool protractor = false;
            for (const Step& step : c.steps) protractor = protractor || step.tool == Tool::Protractor;
            EXPECT_EQ(protractor, !exact);
            EXPECT_EQ(Contains(c.statement, "не може да се построи само с линийка и пергел"), !exact);
            EXPECT_EQ(Contains(replay.sentences[0], "не може да се построи"), !exact);
        }
    }
}

TEST(Construction, ReasonNamesTheFactorThatIsNotAFermatPrime) {
    EXPECT_TRUE(Contains(BuildConstruction(300, 7).statement, "7 е просто число, но не е число на Ферма"));
    EXPECT_TRUE(Contains(BuildConstruction(300, 14).statement, "14 = 2 · 7 се дели на 7"));
    EXPECT_TRUE(Contains(BuildConstruction(300, 18).statement, " 18 = 2 · 3 · 3 съдържа простото число на Ферма 3 два пъти. "));
    EXPECT_TRUE(Contains(BuildConstruction(300, 7).statement, "360° : 7 ≈ 51,43°"));
    EXPECT_TRUE(Contains(BuildConstruction(300, 9).statement, "360° : 9 = 40°"));
    // The heptagon's approximation by half the triangle's side: 2·asin(√3/4) = 51,32°.
    EXPECT_TRUE(Contains(BuildConstruction(300, 7).statement, "около 0,11° по-малък"));
}

TEST(Construction, SentencesSayWhatEachStepDoes) {
    const Construction c = BuildConstruction(300, 6);
    const Replay replay = ReplayConstruction(c);
    ASSERT_EQ(replay.sentences.size(), 6u);
    EXPECT_EQ(replay.sentences[0], "Дадена е окръжност k(O; R), R = 300.");
    EXPECT_TRUE(Contains(replay.sentences[1], "Избираме точка A₁ от k."));
    EXPECT_EQ(replay.sentences[2], "Построяваме правата A₁O. Втората пресечна точка на k и правата A₁O означаваме с A₄.");
    EXPECT_EQ(replay.sentences[3], "Построяваме окръжност k₁ с център A₁ и радиус A₁O. Пресечните точки на k и k₁ "
                                   "означаваме с A₂ и A₆. A₂ е вдясно от правата A₁O, а A₆ — вляво от нея. Страната на правилния "
                                   "шестоъгълник е равна на радиуса R.");
    EXPECT_TRUE(Contains(replay.sentences[5], "Свързваме последователно точките A₁, A₂, A₃, A₄, A₅ и A₆."));
}

// A construction in which every kind of bad step can be tried: O and k given, A on k, the
// diameter through A with its other end B.
Construction Base() {
    Construction c;
    c.n = 4;
    c.radius = 300;
    Step given;
    given.draws = "k";
    given.value = 300;
    given.x = given.y = 500;
    given.makes = {{"O", {}, {}, {}}};
    Step chosen;
    chosen.value = 90;
    chosen.makes = {{"A", "k", {}, {}}};
    Step line;
    line.tool = Tool::Straightedge;
    line.draws = "AO";
    line.uses = {"A", "O"};
    line.makes = {{"B", "k", "AO", {Pick::Rule::OtherThan, "A", {}}}};
    c.steps = {given, chosen, line};
    return c;
}

Step Compass(std::string name, std::vector<std::string> uses, std::vector<NewPoint> makes = {}) {
    Step s;
    s.tool = Tool::Compass;
    s.draws = std::move(name);
    s.uses = std::move(uses);
    s.makes = std::move(makes);
    return s;
}

// How two objects meet, for every kind of pair: lines crossing or side by side; a line
// missing, touching or cutting a circle; circles apart, nested, touching from outside or from
// inside, concentric, or crossing. Radii 100 about (500, 500) unless said.
TEST(Construction, EveryPairOfObjectsMeetsWhereItTrulyDoes) {
    using K = Meeting::Kind;
    const auto line = [](double ax, double ay, double bx, double by) {
        return ReplayedObject{"l", ReplayedObject::Kind::Line, {ax, ay}, {bx, by}, 0, 0};
    };
    const auto circle = [](double x, double y, double r) {
        return ReplayedObject{"k", ReplayedObject::Kind::Circle, {x, y}, {x, y}, r, 0};
    };
    const struct {
        const char* what;
        ReplayedObject f, g;
        K kind;
        std::vector<Spot> at;   // in either order
    } pairs[] = {
        {"lines crossing", line(0, 0, 10, 10), line(0, 10, 10, 0), K::Once, {{5, 5}}},
        {"lines side by side", line(0, 0, 10, 10), line(0, 1, 10, 11), K::None, {}},
        {"line missing a circle", line(0, 650, 1, 650), circle(500, 500, 100), K::None, {}},
        {"line touching a circle", line(0, 600, 1, 600), circle(500, 500, 100), K::Tangent, {{500, 600}}},
        {"line cutting a circle", line(0, 500, 1, 500), circle(500, 500, 100), K::Twice, {{400, 500}, {600, 500}}},
        {"circle cut by a line", circle(500, 500, 100), line(500, 0, 500, 1), K::Twice, {{500, 400}, {500, 600}}},
        {"circles apart", circle(500, 500, 100), circle(800, 500, 100), K::None, {}},
        {"circle inside another", circle(500, 500, 100), circle(520, 500, 30), K::None, {}},
        {"circle holding another", circle(520, 500, 30), circle(500, 500, 100), K::None, {}},
        {"circles touching outside", circle(500, 500, 100), circle(700, 500, 100), K::Tangent, {{600, 500}}},
        {"circles touching inside", circle(500, 500, 100), circle(550, 500, 50), K::Tangent, {{600, 500}}},
        {"the larger touching inside", circle(550, 500, 50), circle(500, 500, 100), K::Tangent, {{600, 500}}},
        {"concentric circles", circle(500, 500, 100), circle(500, 500, 50), K::None, {}},
        {"one circle twice", circle(500, 500, 100), circle(500, 500, 100), K::None, {}},
        {"circles crossing", circle(500, 500, 100), circle(600, 500, 100), K::Twice, {{550, 500 - 86.60254037844386}, {550, 500 + 86.60254037844386}}},
    };
    for (const auto& p : pairs) {
        const Meeting m = Meet(p.f, p.g, 1e-7);
        EXPECT_EQ(m.kind, p.kind) << p.what;
        ASSERT_EQ(m.at.size(), p.at.size()) << p.what;
        for (const Spot want : p.at)
            EXPECT_TRUE(std::any_of(m.at.begin(), m.at.end(), [&](Spot got) { return std::hypot(got.x - want.x, got.y - want.y) < 1e-9; }))
                << p.what << ": " << want.x << ", " << want.y;
    }
}

TEST(Construction, CheckerRefusesEachKindOfBadStep) {
    using Reason = ConstructionRefused::Reason;
    using Rule = Pick::Rule;
    Step protractor;
    protractor.tool = Tool::Protractor;
    protractor.draws = "OC";
    protractor.uses = {"O", "A"};
    protractor.value = 90;
    Step late = Base().steps[1];
    late.makes[0].name = "C";
    Step segment;
    segment.tool = Tool::Straightedge;
    segment.draws = "AA";
    segment.uses = {"A", "A"};
    const struct {
        const char* what;
        Step step;
        Reason reason;
    } cases[] = {
        {"a circle about a point not yet made", Compass("k₁", {"C", "O"}), Reason::UnknownPoint},
        {"a line through one point twice", segment, Reason::BadObject},
        {"a crossing with a circle not drawn", Compass("k₁", {"A", "O"}, {{"C", "k", "k₉", {}}}), Reason::NotACrossing},
        {"circles that do not meet", Compass("k₁", {"O", "A", "O"}, {{"C", "k", "k₁", {}}}), Reason::NotACrossing},
        {"two crossings, none picked", Compass("k₁", {"A", "O"}, {{"C", "k", "k₁", {}}}), Reason::NotACrossing},
        {"the other crossing than a point not on both",
         Compass("k₁", {"A", "O"}, {{"C", "k", "k₁", {Rule::OtherThan, "B", {}}}}), Reason::NotACrossing},
        {"a point chosen after the tools were used", late, Reason::GivenTooLate},
        {"a name used twice", Compass("k", {"A", "O"}), Reason::NameTaken},
        {"a protractor where only straightedge and compass are allowed", protractor, Reason::ToolNotAllowed},
    };
    for (const auto& c : cases) {
        Construction bad = Base();
        bad.steps.push_back(c.step);
        try {
            ReplayConstruction(bad);
            ADD_FAILURE() << "accepted " << c.what;
        } catch (const ConstructionRefused& refused) {
            EXPECT_EQ(refused.reason(), c.reason) << c.what;
            EXPECT_EQ(refused.step(), 3u) << c.what;
            EXPECT_FALSE(refused.description().empty());
        }
    }
    // The same picks, well made, are accepted: the circle about A through O meets k twice.
    Construction good = Base();
    good.steps.push_back(Compass("k₁", {"A", "O"}, {{"C", "k", "k₁", {Rule::LeftOf, "O", "A"}},
                                                    {"D", "k", "k₁", {Rule::RightOf, "O", "A"}}}));
    EXPECT_NO_THROW(ReplayConstruction(good));
}

TEST(Construction, SceneShowsTheStepsWorkHighlightedAndEarlierWorkFaint) {
    const Construction c = BuildConstruction(300, 5);
    const Replay replay = ReplayConstruction(c);
    const auto count = [](const ConstructionView& view, SceneItem::Kind kind, Ink ink) {
        int found = 0;
        for (const SceneItem& item : view.scene.items) found += item.kind == kind && item.ink == ink;
        return found;
    };
    const ConstructionView first = ConstructionAtStep(c, replay, 1);
    EXPECT_EQ(first.caption, "Стъпка 1 от " + std::to_string(c.steps.size()));
    EXPECT_EQ(count(first, SceneItem::Kind::Circle, Ink::Highlight), 1);
    EXPECT_EQ(count(first, SceneItem::Kind::Label, Ink::Highlight), 1);   // O

    // Step 4: the circle about A₁ through O is new, drawn as arcs through the crossings K and L,
    // as a pupil draws it; k stays the figure, the diameter turns faint.
    const ConstructionView fourth = ConstructionAtStep(c, replay, 4);
    EXPECT_EQ(fourth.sentence, replay.sentences[3]);
    EXPECT_EQ(count(fourth, SceneItem::Kind::Arc, Ink::Highlight), 2);
    EXPECT_EQ(count(fourth, SceneItem::Kind::Circle, Ink::Figure), 1);
    EXPECT_EQ(count(fourth, SceneItem::Kind::Segment, Ink::Faint), 1);
    EXPECT_EQ(count(fourth, SceneItem::Kind::Point, Ink::Highlight), 2);   // K and L

    const ConstructionView last = ConstructionAtStep(c, replay, c.steps.size());
    EXPECT_EQ(count(last, SceneItem::Kind::Segment, Ink::Highlight), 5);   // the sides
    EXPECT_GT(last.scene.items.size(), fourth.scene.items.size());
    // Every point a step's sentence names, and that is there by then, carries its letter.
    for (std::size_t step = 1; step <= c.steps.size(); ++step) {
        const ConstructionView view = ConstructionAtStep(c, replay, step);
        for (const ReplayedPoint& point : replay.points) {
            if (point.step >= step || view.sentence.find(point.name) == std::string::npos) continue;
            const bool lettered = std::any_of(view.scene.items.begin(), view.scene.items.end(), [&](const SceneItem& item) {
                return item.kind == SceneItem::Kind::Label && item.text == point.name;
            });
            EXPECT_TRUE(lettered) << point.name << " at step " << step;
        }
    }
    EXPECT_THROW(ConstructionAtStep(c, replay, 0), std::out_of_range);
    EXPECT_THROW(ConstructionAtStep(c, replay, c.steps.size() + 1), std::out_of_range);
}

// The lesson beside the construction names the centre O, the vertices Aⱼ and the side's
// midpoint M, and writes P and S for the perimeter and the area: no other point of a
// construction takes one of those letters.
TEST(Construction, NoPointTakesALetterTheLessonGivesAnotherPoint) {
    for (int n = 3; n <= 20; ++n) {
        const Construction c = BuildConstruction(300, n);
        const std::vector<std::string>& vertices = c.steps.back().uses;
        for (const ReplayedPoint& point : ReplayConstruction(c).points) {
            const bool vertex = std::find(vertices.begin(), vertices.end(), point.name) != vertices.end();
            if (point.name == "O" || vertex) continue;
            EXPECT_EQ(std::string("AMOPS").find(point.name[0]), std::string::npos) << point.name << ", N = " << n;
        }
    }
}

// Where a sentence says a point lies, "над правата A₁O", "вляво от правата OA₃", "по-близо до
// A₁", against the replayed drawing; `other` is the other point made with it.
bool Holds(const Replay& replay, const std::string& said, const std::string& name, const std::string& other) {
    const Spot at = replay.Point(name)->at;
    const std::string nearer = "по-близо до ";
    if (said.starts_with(nearer)) {
        const Spot to = replay.Point(said.substr(nearer.size()))->at, away = replay.Point(other)->at;
        return std::hypot(at.x - to.x, at.y - to.y) < std::hypot(away.x - to.x, away.y - to.y);
    }
    const std::size_t line = said.find("правата ");
    if (line == std::string::npos) return false;
    const std::string called = said.substr(line + std::string("правата ").size());
    Spot p{}, q{};
    if (const ReplayedObject* drawn = replay.Object(called)) {
        p = drawn->a, q = drawn->b;
    } else {
        bool found = false;   // two made points, e.g. "OA₃"
        for (std::size_t cut = 1; cut < called.size() && !found; ++cut) {
            const ReplayedPoint *a = replay.Point(called.substr(0, cut)), *b = replay.Point(called.substr(cut));
            if (a && b) p = a->at, q = b->at, found = true;
        }
        if (!found) return false;
    }
    const double crossY = p.y + (q.y - p.y) * (at.x - p.x) / (q.x - p.x), crossX = p.x + (q.x - p.x) * (at.y - p.y) / (q.y - p.y);
    if (said.starts_with("над ")) return at.y < crossY;
    if (said.starts_with("под ")) return at.y > crossY;
    if (said.starts_with("вляво от ")) return at.x < crossX;
    if (said.starts_with("вдясно от ")) return at.x > crossX;
    return false;
}

// Every sentence that names two crossings at once says which is which ("K е вдясно от правата
// A₁O, а L — вляво от нея"), and what it says is true of the drawing.
TEST(Construction, TwoPointsMadeAtOnceAreToldApartTruly) {
    int pairs = 0;
    for (int n = 3; n <= 20; ++n) {
        const Construction c = BuildConstruction(300, n);
        const Replay replay = ReplayConstruction(c);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const std::string& sentence = replay.sentences[i];
            const std::size_t pair = sentence.find("Пресечните точки");
            if (pair == std::string::npos) continue;
            const std::size_t named = sentence.find("означаваме с ", pair);
            const std::size_t both = sentence.find(" и ", named);
            SCOPED_TRACE(sentence);
            const std::size_t start = named + std::string("означаваме с ").size();
            const std::string first = sentence.substr(start, both - start);
            const std::size_t end = sentence.find('.', both);
            const std::string second = sentence.substr(both + std::string(" и ").size(), end - both - std::string(" и ").size());
            // "X е <where>[, а Y — <where>|нея]."
            const std::size_t told = sentence.find(first + " е ", end);
            ASSERT_NE(told, std::string::npos);
            const std::string is = first + " е ", then = ", а " + second + " — ";
            const std::size_t stop = sentence.find('.', told), comma = sentence.find(then, told);
            const std::string where = sentence.substr(told + is.size(), std::min(stop, comma) - told - is.size());
            EXPECT_TRUE(Holds(replay, where, first, second)) << first << " " << where;
            if (comma < stop) {
                std::string other = sentence.substr(comma + then.size(), stop - comma - then.size());
                if (other.ends_with("нея")) other = other.substr(0, other.size() - std::string("нея").size()) + where.substr(where.find("правата "));
                if (other.starts_with("до ")) other = "по-близо " + other;
                EXPECT_TRUE(Holds(replay, other, second, first)) << second << " " << other;
            }
            ++pairs;
        }
    }
    EXPECT_GT(pairs, 50);
}

// In every figure, every step is shown in one frame, the same for all steps, that holds every
// point and every line and arc drawn; no letter covers another letter, a line, an arc or a
// point. Up to R = 400 the frame and the marks grow with the radius, so that every radius the
// list offers up to there gives the same picture as 300; from 450 the frame stops at the page's
// margin, and 500 leaves the least room round the circle.
TEST(Construction, EveryStepInOneFrameWithLettersClearOfEverything) {
    for (const std::string radius : {"300", "500"})
        for (int n = 3; n <= 20; ++n) {
            SCOPED_TRACE("R = " + radius + ", N = " + std::to_string(n));
            const Construction c = BuildConstruction(std::stod(radius), n);
            const Replay replay = ReplayConstruction(c);
            const Scene frame = ConstructionAtStep(c, replay, 1).scene;
            const auto inside = [&](ScenePoint p) {
                return std::fabs(p.x - frame.focus.x) <= frame.reach + 1e-6 && std::fabs(p.y - frame.focus.y) <= frame.reach + 1e-6;
            };
            for (const ReplayedPoint& point : replay.points) EXPECT_TRUE(inside({point.at.x, point.at.y})) << point.name;
            for (std::size_t step = 1; step <= c.steps.size(); ++step) {
                const Scene scene = ConstructionAtStep(c, replay, step).scene;
                EXPECT_EQ(scene.focus.x, frame.focus.x);
                EXPECT_EQ(scene.focus.y, frame.focus.y);
                EXPECT_EQ(scene.reach, frame.reach);
                EXPECT_EQ(scene.markScale, frame.markScale);
                for (const SceneItem& item : scene.items) {
                    if (item.kind == SceneItem::Kind::Segment) {
                        EXPECT_TRUE(inside(item.a) && inside(item.b)) << step;
                    }
                    for (const double t : {0.0, 0.5, 1.0}) {
                        if (item.kind != SceneItem::Kind::Arc) break;
                        EXPECT_TRUE(inside(OnCircle(item.a, item.radius, item.startDegrees + t * item.sweepDegrees))) << step;
                    }
                }
                for (const LabelCollision& hit : LabelCollisions(scene))
                    ADD_FAILURE() << "step " << step << ": " << scene.items[hit.label].text << " covers item " << hit.other;
            }
        }
}

// A protractor step shows the ray it measures from, the angle's arc and its value, and names the ray.
TEST(Construction, ProtractorStepShowsTheAngleAndTheRay) {
    const Construction c = BuildConstruction(300, 7);
    const Replay replay = ReplayConstruction(c);
    const ConstructionView view = ConstructionAtStep(c, replay, 4);
    EXPECT_TRUE(Contains(view.sentence, "С транспортир нанасяме от лъча OA₂ обратно на часовниковата стрелка ъгъл ≈ 51,43° с връх O."));
    const auto has = [&](SceneItem::Kind kind, const std::string& text) {
        return std::any_of(view.scene.items.begin(), view.scene.items.end(), [&](const SceneItem& item) {
            return item.kind == kind && item.ink == Ink::Highlight && item.text == text &&
                   (kind != SceneItem::Kind::Arc || std::fabs(item.sweepDegrees - 360.0 / 7) < 1e-9);
        });
    };
    EXPECT_TRUE(has(SceneItem::Kind::Arc, ""));
    EXPECT_TRUE(has(SceneItem::Kind::Label, "51,43°"));
    const Spot o = replay.Point("O")->at, a2 = replay.Point("A₂")->at;
    EXPECT_TRUE(std::any_of(view.scene.items.begin(), view.scene.items.end(), [&](const SceneItem& item) {
        return item.kind == SceneItem::Kind::Segment && item.ink == Ink::Highlight && item.a.x == o.x && item.a.y == o.y &&
               std::fabs((item.b.x - o.x) * (a2.y - o.y) - (item.b.y - o.y) * (a2.x - o.x)) < 1e-6 * 300 * 300;
    }));
}

int Occurrences(const std::string& text, const std::string& part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

TEST(ConstructionSteps, MoveWithinTheStepsAndStartAgainForANewFigure) {
    ConstructionSteps steps;
    steps.Follow(300, 5);
    ASSERT_EQ(steps.step(), 1u);
    EXPECT_FALSE(steps.Back());
    EXPECT_TRUE(steps.Forward());
    EXPECT_TRUE(steps.End());
    EXPECT_FALSE(steps.Forward());
    EXPECT_EQ(steps.step(), steps.steps());
    steps.Follow(300, 5);   // the same figure keeps its place
    EXPECT_EQ(steps.step(), steps.steps());
    steps.Follow(250, 5);
    EXPECT_EQ(steps.step(), 1u);
    steps.Follow(300, 2.5);
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(ConstructionToJson(steps), "{\"steps\":0}");
}

TEST(ConstructionSteps, SvgHoldsTheFigureAtTheStepAndItsSentence) {
    ConstructionSteps steps;
    steps.Follow(300, 5);
    const std::string home = ConstructionToSvg(steps);
    steps.End();
    const std::string end = ConstructionToSvg(steps);
    EXPECT_LT(Occurrences(home, "<circle") + Occurrences(home, "<line"), Occurrences(end, "<circle") + Occurrences(end, "<line"));
    EXPECT_EQ(Occurrences(home, "r=\"300\""), 1);   // k, in canvas units
    EXPECT_EQ(Occurrences(end, "<polygon"), 0);
    EXPECT_TRUE(Contains(end, "Стъпка 14 от 14"));
    EXPECT_TRUE(Contains(end, "Свързваме последователно точките"));

    steps.Follow(300, 7);
    steps.Forward();
    // The lines of text read as one: the tags and the blanks between them become one blank.
    std::string text;
    bool inTag = false;
    for (const char c : ConstructionToSvg(steps)) {
        if (c == '<' || c == '>') inTag = c == '<';
        const bool blank = inTag || c == '>' || c == ' ' || c == '\n';
        if (!blank) text += c;
        else if (!text.empty() && text.back() != ' ') text += ' ';
    }
    EXPECT_TRUE(Contains(text, "Правилен седмоъгълник не може да се построи само с линийка и пергел."));
    for (const std::string& line : WrapText(steps.View().sentence, 20)) EXPECT_LE(line.size(), 20u * 2);
}

}  // namespace
}  // namespace tamirel
