// Writes the lesson's and the construction's pictures for the README, with the very functions
// the lesson window copies and saves them with: docs_pictures FOLDER. tools/make-docs runs it.
#include <QtWidgets/QApplication>
#include <cstdio>

#include "fakes.h"
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
    if (lesson && construction) return 0;
    std::fprintf(stderr, "docs_pictures: could not write the pictures in %s\n", argv[1]);
    return 1;
}
