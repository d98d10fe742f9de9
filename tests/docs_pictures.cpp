// Writes the lesson's, the construction's and a pupil's attempt's pictures for the README, with the very functions
// the lesson window copies and saves them with: docs_pictures FOLDER. tools/make-docs runs it.
#include <QtWidgets/QApplication>
#include <cstdio>
#include <optional>
#include <string>

#include "fakes.h"
#include "lesson/attempt_session.h"
#include "lesson/construction_steps.h"
#include "lesson/lesson.h"
#include "window/construction_panel.h"
#include "window/drawing_files.h"
#include "window/lesson_window.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: docs_pictures FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    using namespace tamirel;
    using namespace tamirel::testing;

    // The lesson for R = 300, N = 6.
    CallLog log;
    const FakeListBox radii("List1(1)", log, {"300"}, 0);
    const FakeListBox counts("List1(2)", log, {"6"}, 0);
    const bool lesson = PictureImage(LessonPicture(MakeLesson(radii, counts, false))).save(folder + QStringLiteral("/lesson.png"));

    // The pentagon's construction at its last step.
    ConstructionSteps pentagon;
    pentagon.Follow(300, 5);
    pentagon.End();
    const bool construction = PictureImage(StepPicture(pentagon, pentagon.step())).save(folder + QStringLiteral("/construction.png"));

    // A pupil's pentagon under way: the worked construction's first moves, picked as a pupil
    // picks them, and the hint for the next one showing.
    AttemptSession attempt;
    attempt.Follow(300, 5);
    attempt.Start();
    for (int move = 0; move < 4; ++move) {
        const std::optional<AttemptHint> next = attempt.attempt().PeekHint();
        if (!next) break;
        attempt.SetTool(next->move.tool);
        if (next->move.tool == AttemptTool::Crossing) attempt.PickAt(next->move.at, 1);
        for (const std::string& name : next->move.points)
            for (const AttemptPoint& point : attempt.attempt().points())
                if (point.name == name) attempt.PickAt(point.at, 0.001);
    }
    attempt.Hint();
    const bool built = PictureImage(AttemptPicture(attempt)).save(folder + QStringLiteral("/attempt.png"));
    if (lesson && construction && built) return 0;
    std::fprintf(stderr, "docs_pictures: could not write the pictures in %s\n", argv[1]);
    return 1;
}
