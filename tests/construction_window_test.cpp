// The lesson window's construction, driven by keys as a user drives it: the steps, the copy of
// the current step and the printed handout; the pupil's own attempt by keys, clicks and taps,
// and its files.
#include <gtest/gtest.h>

#include <QtCore/QMimeData>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPointingDevice>
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <functional>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>

#include "lesson/attempt.h"
#include "window/construction_panel.h"
#include "window/drawing_files.h"
#include "window/lesson_window.h"
#include "window/scene_view.h"
#include "window_driver.h"

namespace tamirel {
namespace {

class ConstructionWindowTest : public ::testing::Test, protected testing::WindowDriver {
protected:
    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ChooseByMouse(1, 4);   // "300"
        ChooseByMouse(2, 2);   // "5"
        window->lessonAction()->trigger();
        lesson = window->lesson();
        ASSERT_NE(lesson, nullptr);
        panel = lesson->construction();
        QApplication::setActiveWindow(lesson);   // keys go to the focused control of the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(lesson));
        lesson->figure()->setFocus();
    }

    // To the focused control, as the keyboard sends it; the window's shortcuts see it first.
    void Key(Qt::Key key) const { QTest::keyClick(lesson->focusWidget() ? lesson->focusWidget() : lesson, key); }
    std::string Caption() const { return panel->caption()->text().toStdString(); }
    // The construction's button showing `text`.
    QPushButton* Button(const char* text) const {
        for (auto* button : lesson->page()->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
            if (button->text() == QString::fromUtf8(text)) return button;
        ADD_FAILURE() << "no button " << text;
        return nullptr;
    }

    // Ctrl+C with the focus on the construction's figure: the SVG on the clipboard.
    QByteArray CopiedSvg() const {
        panel->figure()->setFocus();
        QTest::keyClick(panel->figure(), Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml"));
    }

    LessonWindow* lesson = nullptr;
    ConstructionPanel* panel = nullptr;
};

// The wiring: each key reaches its command and the page shows the step; the timer plays; the
// buttons follow the player; a new choice in the main window reaches it. What the commands do
// is the player's, tested with it.
TEST_F(ConstructionWindowTest, KeysReachTheirCommandsAndTheTimerPlays) {
    const std::size_t steps = panel->steps().steps();
    EXPECT_EQ(Caption(), "Построяване на правилен петоъгълник — Стъпка 1 от " + std::to_string(steps));
    const struct {
        Qt::Key key;
        std::size_t step;
    } keys[] = {{Qt::Key_Right, 2}, {Qt::Key_PageDown, 3}, {Qt::Key_Left, 2}, {Qt::Key_End, steps},
                {Qt::Key_PageUp, steps - 1}, {Qt::Key_Home, 1}};
    for (const auto& k : keys) {
        Key(k.key);
        EXPECT_EQ(panel->steps().step(), k.step) << QKeySequence(k.key).toString().toStdString();
    }
    Key(Qt::Key_End);
    EXPECT_EQ(Caption(), "Построяване на правилен петоъгълник — Стъпка " + std::to_string(steps) + " от " +
                             std::to_string(steps));
    EXPECT_EQ(panel->sentence()->text().toStdString(), panel->steps().View().sentence);
    EXPECT_FALSE(Button("Напред")->isEnabled());

    Key(Qt::Key_Left);
    Key(Qt::Key_Space);
    EXPECT_TRUE(panel->playing());
    EXPECT_NE(Button("Спри"), nullptr) << "play turns to stop";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->playing(); }, 3 * kPlayMilliseconds));
    EXPECT_EQ(panel->steps().step(), steps);
    // Space on a focused button presses that button.
    Button("Начало")->setFocus();
    Key(Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->steps().step() == 1u; }, 1000));
    EXPECT_FALSE(panel->playing());

    Key(Qt::Key_Space);
    ChooseByMouse(2, 14);   // "17"
    EXPECT_EQ(panel->steps().construction().n, 17);
    EXPECT_FALSE(panel->playing());
}

TEST_F(ConstructionWindowTest, CopyHoldsTheFigureAtTheCurrentStep) {
    const auto objects = [](const QByteArray& svg) { return svg.count("<circle") + svg.count("<line"); };
    Key(Qt::Key_Home);
    const QByteArray home = CopiedSvg();
    Key(Qt::Key_End);
    const QByteArray end = CopiedSvg();
    ASSERT_FALSE(home.isEmpty());
    EXPECT_LT(objects(home), objects(end));
    EXPECT_TRUE(end.contains("Свързваме последователно точките"));
    EXPECT_TRUE(end.contains("viewBox=\"0 0 1000 1000\""));
    // Elsewhere in the window Ctrl+C copies the lesson, as before.
    lesson->figure()->setFocus();
    QTest::keyClick(lesson->figure(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml")).contains("Стъпка"));
}

// The construction's figure is enlarged by the keys, Ctrl with the wheel and two fingers, moved
// by a drag; the wheel alone scrolls the page; Ctrl+0 and a new figure show it whole again.
// Pens keep their width on screen; letters never get smaller.
TEST_F(ConstructionWindowTest, ItsFigureIsEnlargedAndMovedAndTheMainWindowKeepsItsZoom) {
    SceneView* figure = panel->figure();
    figure->setFocus();
    const double letters = figure->labelPixels();
    const auto factor = [&] { return figure->zoom().factor(); };
    // Whether the figure took the turn; one it leaves goes on to the page, which scrolls.
    const auto wheel = [&](Qt::KeyboardModifiers modifiers, int angle) {
        QWheelEvent event(QPointF(figure->rect().center()), figure->mapToGlobal(QPointF(figure->rect().center())), QPoint(),
                          QPoint(0, angle), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(figure, &event);
        return event.isAccepted();
    };
    const struct {
        const char* what;
        std::function<void()> act;
        double expected;
    } cases[] = {
        {"Ctrl+Plus", [&] { QTest::keyClick(figure, Qt::Key_Plus, Qt::ControlModifier); }, ViewZoom::kStepFactor},
        {"Ctrl+=", [&] { QTest::keyClick(figure, Qt::Key_Equal, Qt::ControlModifier); }, ViewZoom::kStepFactor * ViewZoom::kStepFactor},
        {"Ctrl+Shift+=, as a keyboard sends Ctrl++", [&] { QTest::keyClick(figure, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier); },
         ViewZoom::kStepFactor * ViewZoom::kStepFactor * ViewZoom::kStepFactor},
        {"Ctrl+Minus", [&] { QTest::keyClick(figure, Qt::Key_Minus, Qt::ControlModifier); }, ViewZoom::kStepFactor * ViewZoom::kStepFactor},
        {"the wheel alone, left to the page", [&] { EXPECT_FALSE(wheel(Qt::NoModifier, -120)); }, ViewZoom::kStepFactor * ViewZoom::kStepFactor},
        {"Ctrl+wheel", [&] { wheel(Qt::ControlModifier, 120); }, ViewZoom::kStepFactor * ViewZoom::kStepFactor * ViewZoom::kStepFactor},
        {"Ctrl+0", [&] { QTest::keyClick(figure, Qt::Key_0, Qt::ControlModifier); }, 1},
    };
    for (const auto& c : cases) {
        c.act();
        EXPECT_DOUBLE_EQ(factor(), c.expected) << c.what;
        EXPECT_GE(figure->labelPixels(), letters) << c.what;
    }
    EXPECT_EQ(window->zoom(), 100);

    for (int i = 0; i < 4; ++i) QTest::keyClick(figure, Qt::Key_Plus, Qt::ControlModifier);
    const ScenePoint before = figure->zoom().Focus(figure->scene());
    QTest::mousePress(figure, Qt::LeftButton, {}, figure->rect().center());
    QTest::mouseMove(figure, figure->rect().center() + QPoint(40, 0));
    QTest::mouseRelease(figure, Qt::LeftButton, {}, figure->rect().center() + QPoint(40, 0));
    EXPECT_NEAR(figure->zoom().Focus(figure->scene()).x, before.x - 40 / figure->pixelsPerUnit(), 1e-6)
        << "the picture follows the pointer";

    // Two fingers drawn apart enlarge it further.
    lesson->scrollArea()->ensureWidgetVisible(figure, 0, 0);
    const QPoint centre = figure->rect().center();
    static QPointingDevice* screen = QTest::createTouchDevice();
    const double pinched = factor();
    QTest::touchEvent(figure, screen).press(0, centre - QPoint(20, 0)).press(1, centre + QPoint(20, 0));
    for (int step = 1; step <= 4; ++step)
        QTest::touchEvent(figure, screen).move(0, centre - QPoint(20 + 10 * step, 0)).move(1, centre + QPoint(20 + 10 * step, 0));
    QTest::touchEvent(figure, screen).release(0, centre - QPoint(60, 0)).release(1, centre + QPoint(60, 0));
    EXPECT_GT(factor(), pinched);

    Key(Qt::Key_End);
    EXPECT_GT(factor(), 1) << "the steps of one figure keep the enlargement";
    ChooseByMouse(2, 14);   // "17"
    EXPECT_EQ(factor(), 1);
}

TEST_F(ConstructionWindowTest, HandoutHasEveryStepWithItsSentence) {
    const ConstructionSteps& steps = panel->steps();
    const QByteArray pdf = PictureBytes(*FindPictureFormat("pdf"), HandoutPicture(steps));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("handout.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), file.fileName(), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_EQ(words.count(QStringLiteral("Построяване на правилен петоъгълник, R = 300 единици")), 3);   // 14 steps, 6 a page
    for (std::size_t step = 1; step <= steps.steps(); ++step) {
        const QString first = QString::fromStdString(steps.View(step).sentence).section(QLatin1Char(' '), 0, 2);
        EXPECT_TRUE(words.contains(QStringLiteral("%1. %2").arg(step).arg(first))) << step;
    }
}

// The attempt's wiring: a tool by its key or its button, a target by the arrows and Enter, by
// a click on it or by a finger's tap a little beside it; each way makes the same moves. What
// the moves do is the session's, tested with it.
TEST_F(ConstructionWindowTest, KeysClicksAndTapsMakeTheSameMoves) {
    ChooseByMouse(2, 3);   // "6"
    SceneView* figure = panel->figure();
    const AttemptSession& session = panel->attempt();
    static QPointingDevice* finger = QTest::createTouchDevice();
    const auto screen = [figure](Spot at, double dx = 0) {
        const QRectF area = figure->sceneArea();
        return QPointF(area.left() + at.x * area.width() / 1000 + dx, area.top() + at.y * area.width() / 1000).toPoint();
    };
    const auto target = [&session](const char* name) {   // a made point by name, or the first crossing
        const std::vector<AttemptTarget> targets = session.Targets();
        for (std::size_t i = 0; i < targets.size(); ++i)
            if (!name || targets[i].said == std::string("Точка ") + name) return i;
        ADD_FAILURE() << "no target " << (name ? name : "crossing");
        return std::size_t{0};
    };
    const struct {
        const char* way;
        std::function<void(Qt::Key key, const char* button)> tool;
        std::function<void(std::size_t target)> pick;
    } ways[] = {
        {"keys", [&](Qt::Key key, const char*) { Key(key); },
         [&](std::size_t i) {
             for (int n = 0; n < 20 && session.focus() != i; ++n) Key(Qt::Key_Right);
             Key(Qt::Key_Return);
         }},
        {"clicks", [&](Qt::Key, const char* button) { Button(button)->click(); },
         [&](std::size_t i) { QTest::mouseClick(figure, Qt::LeftButton, {}, screen(session.Targets()[i].at)); }},
        {"taps beside", [&](Qt::Key, const char* button) { Button(button)->click(); },
         [&](std::size_t i) {
             // Beyond a mouse's reach, within a finger's.
             const QPoint at = screen(session.Targets()[i].at, (kMouseReachPixels + kTouchReachPixels) / 2);
             const std::string before = AttemptToText(session.attempt());
             QTest::mouseClick(figure, Qt::LeftButton, {}, at);
             EXPECT_EQ(AttemptToText(session.attempt()), before);
             const QPoint inPage = figure->mapTo(lesson->page(), at);
             lesson->scrollArea()->ensureVisible(inPage.x(), inPage.y(), 50, 50);
             QTest::touchEvent(figure, finger).press(0, at);
             const std::string refused = session.said();
             QTest::touchEvent(figure, finger).release(0, at);
             // Picked when the finger is lifted, as the toolkit passes the touch on.
             EXPECT_TRUE(QTest::qWaitFor([&] { return session.said() != refused; }, 1000)) << "no tap";
         }},
    };
    std::string first;
    for (const auto& way : ways) {
        Button("Построй сам")->setFocus();
        Key(Qt::Key_Space);   // pressed once, not again when let go
        QTest::qWait(150);
        ASSERT_TRUE(panel->building()) << way.way;
        way.tool(Qt::Key_2, "Пергел");
        EXPECT_TRUE(Button("Пергел")->isChecked()) << way.way;
        way.pick(target("A₁"));
        way.pick(target("O"));
        way.tool(Qt::Key_4, "Пресечна точка");
        way.pick(target(nullptr));
        const std::string moves = AttemptToText(session.attempt());
        EXPECT_EQ(session.attempt().moves().size(), 2u) << way.way << "\n" << moves;
        if (first.empty()) first = moves;
        EXPECT_EQ(moves, first) << way.way;
        EXPECT_EQ(panel->sentence()->text().toStdString(), session.said()) << way.way;
        QStringList news;
        for (const QLabel* label : lesson->findChildren<QLabel*>(QStringLiteral("News"))) news << label->accessibleName();
        EXPECT_TRUE(news.contains(QString::fromStdString(session.said()))) << way.way;
        Button("Към стъпките")->click();
        EXPECT_FALSE(panel->building());
    }
    // A pick refused twice is told twice: the news moves to the other label, which a reader hears.
    Button("Построй сам")->click();
    const auto teller = [&] {
        for (QLabel* label : lesson->findChildren<QLabel*>(QStringLiteral("News")))
            if (label->accessibleName() == QString::fromStdString(session.said())) return label;
        return static_cast<QLabel*>(nullptr);
    };
    QTest::mouseClick(figure, Qt::LeftButton, {}, figure->rect().topLeft() + QPoint(2, 2));
    QLabel* once = teller();
    QTest::mouseClick(figure, Qt::LeftButton, {}, figure->rect().topLeft() + QPoint(2, 2));
    EXPECT_NE(teller(), once);
    EXPECT_NE(teller(), nullptr);
}

// Saved, the attempt is its file's text; opened at another figure, the lists choose that
// figure and it goes on; a damaged file is refused in a message box and changes nothing.
TEST_F(ConstructionWindowTest, AnAttemptIsSavedAndOpenedAndADamagedFileChangesNothing) {
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("опит.postroi")), damaged = dir.filePath(QStringLiteral("лош.postroi"));
    panel->setSavePathChooser([&](const QString&) { return saved; });
    ChooseByMouse(2, 3);   // "6"
    Button("Построй сам")->click();
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);   // a line through the first two points
    QTest::keyClick(panel->figure(), Qt::Key_S, Qt::ControlModifier);
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string text = file.readAll().toStdString();
    EXPECT_EQ(text, AttemptToText(panel->attempt().attempt()));
    EXPECT_EQ(panel->attempt().attempt().moves().size(), 1u);

    ChooseByMouse(2, 2);   // "5": the attempt ends
    EXPECT_FALSE(panel->building());
    QFile bad(damaged);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray::fromStdString(text).left(30));
    bad.close();
    const struct {
        QString path;
        std::string shown;   // the message box's text, or empty where the file opens
    } opened[] = {
        {damaged, "Опитът от „" + damaged.toStdString() + "“ не беше отворен.\nФайлът е непълен: краят му липсва."},
        {dir.filePath(QStringLiteral("няма.postroi")),
         "Опитът от „" + dir.filePath(QStringLiteral("няма.postroi")).toStdString() + "“ не беше отворен.\nФайлът „" +
             dir.filePath(QStringLiteral("няма.postroi")).toStdString() + "“ не може да бъде прочетен: няма го или нямате право да го четете."},
        {saved, ""},
    };
    for (const auto& o : opened) {
        panel->setOpenPathChooser([&](const QString&) { return o.path; });
        QApplication::setActiveWindow(lesson);   // back from the last message box
        ASSERT_TRUE(QTest::qWaitForWindowActive(lesson));
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        QTest::keyClick(panel->figure(), Qt::Key_O, Qt::ControlModifier);
        EXPECT_EQ(shown.toStdString(), o.shown);
        if (!o.shown.empty()) {
            EXPECT_FALSE(panel->building());
            EXPECT_EQ(Selected()[2], "5");
        }
    }
    EXPECT_EQ(Selected()[2], "6");
    ASSERT_TRUE(panel->building());
    EXPECT_EQ(AttemptToText(panel->attempt().attempt()), text);
    EXPECT_EQ(panel->steps().construction().n, 6);
}

}  // namespace
}  // namespace tamirel
