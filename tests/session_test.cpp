// A long, seeded random session of user actions on the real window, checking after every
// action what must hold. TAMIREL_SESSION_SEED=n replays another session; a failure names
// the seed and the step.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <cstdlib>
#include <random>
#include <sstream>

#include "window_driver.h"

namespace tamirel {
namespace {

using testing::AllWhite;
using testing::WindowDriver;

constexpr int kSteps = 5000;

// Every pixel black in `before` is still black in `after`.
bool KeepsAllOf(const QImage& after, const QImage& before) {
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) == qRgb(0, 0, 0) && after.pixel(x, y) != qRgb(0, 0, 0)) return false;
    return true;
}

class Session {
public:
    explicit Session(unsigned seed) : rng_(seed) {}

    // Runs one random action and checks its outcome; returns what went wrong, or "".
    std::string Step() {
        const QImage before = w_.Canvas();
        const std::int16_t styleBefore = w_.canvas().DrawStyle();
        const std::vector<std::string> selectedBefore = w_.Selected();
        const int roll = Uniform(0, 99);

        if (roll < 55) {   // a list choice, by mouse (30 in 100) or keyboard (25)
            const int list = Uniform(0, 2);
            const int rowBefore = w_.c().List1[list]->ListIndex();
            const int rows = w_.c().List1[list]->count();
            int expected = rowBefore;
            if (roll < 30) {
                expected = Uniform(0, rows - 1);
                Describe("mouse choice of row ", expected, " in list ", list);
                w_.ChooseByMouse(list, expected);
            } else {
                static constexpr Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End};
                const Qt::Key key = keys[Uniform(0, 3)];
                if (key == Qt::Key_Down) expected = std::min(rowBefore + 1, rows - 1);
                if (key == Qt::Key_Up) expected = std::max(rowBefore - 1, 0);
                if (key == Qt::Key_Home) expected = 0;
                if (key == Qt::Key_End) expected = rows - 1;
                Describe("key ", QKeySequence(key).toString().toStdString(), " in list ", list);
                w_.Key(list, key);
            }
            if (w_.c().List1[list]->ListIndex() != expected) return "the list did not select row " + std::to_string(expected);
            if (list == 0 && expected != rowBefore) {
                if (w_.canvas().DrawStyle() != expected) return "the line style is not the chosen one";
                if (w_.Canvas() != w_.Expected({w_.Current()})) return "the canvas is not the current figure alone";
            } else if (w_.Canvas() != before || w_.canvas().DrawStyle() != styleBefore) {
                return "a choice that draws nothing changed the canvas";
            }
        } else if (roll < 75) {
            Describe("Чертай");
            w_.Press(0);
            if (!KeepsAllOf(w_.Canvas(), before)) return "drawing lost what was there";
            if (styleBefore != kTransparent && w_.Canvas() == before && !FigureAlreadyThere(before))
                return "nothing was drawn";
        } else if (roll < 83) {
            Describe("Чисти");
            w_.Press(1);
            if (w_.Selected() != std::vector<std::string>{"0 - Solid", "500", "3"}) return "the lists are not reset";
            if (w_.canvas().DrawStyle() != kSolid) return "the style is not reset";
            if (!AllWhite(w_.Canvas())) return "the canvas is not white";
        } else {
            QWidget* targets[] = {w_.c().Label1[0], w_.c().Label1[1], w_.c().Label1[2], w_.c().Label1[3],
                                  w_.c().Picture1, w_.c().Text1->viewport()};
            QWidget* target = targets[Uniform(0, 5)];
            const QPoint at(Uniform(0, target->width() - 1), Uniform(0, target->height() - 1));
            Describe("click on ", target->objectName().toStdString(), " at ", at.x(), ",", at.y());
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            if (w_.Canvas() != before || w_.Selected() != selectedBefore) return "the click changed something";
        }
        if (!w_.errors.empty()) return "a run-time error was reported";
        return {};
    }

    const std::string& action() const { return action_; }

private:
    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    template <typename... Parts>
    void Describe(const Parts&... parts) {
        std::ostringstream out;
        (out << ... << parts);
        action_ = out.str();
    }

    // Drawing the same figure again in the same style adds no new pixel.
    bool FigureAlreadyThere(const QImage& before) const {
        return KeepsAllOf(before, w_.Expected({w_.Current()}));
    }

    std::mt19937 rng_;
    WindowDriver w_;
    std::string action_;
};

TEST(RandomSession, EveryActionLeavesWhatMustHold) {
    ConfigureApplication(*qApp);
    const char* seedText = std::getenv("TAMIREL_SESSION_SEED");
    const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261208u;
    Session session(seed);
    for (int step = 1; step <= kSteps; ++step) {
        const std::string fault = session.Step();
        ASSERT_EQ(fault, "") << "seed " << seed << ", step " << step << " (" << session.action() << ")";
    }
}

}  // namespace
}  // namespace tamirel
