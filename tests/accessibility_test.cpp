// What a screen reader is told: the step a key or a button shows, what "Чертай" drew, the
// chosen item of a list the focus enters. The toolkit hands its events to an update handler only while a platform bridge is
// active, which a headless run never has; so each case checks what the Focus event carries:
// the name of the window's news label and the list's focused child.
#include <gtest/gtest.h>

#include <QtGui/QAccessible>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <functional>

#include "window/construction_panel.h"
#include "window/lesson_window.h"
#include "window/scene_view.h"
#include "window/startup.h"
#include "window_driver.h"

namespace tamirel {
namespace {

QString NameOf(QObject* object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); }

// The window's last news: the one news label with a name; empty when there is none.
QString NewsOf(QWidget* window) {
    QStringList named;
    for (QLabel* label : window->findChildren<QLabel*>(QStringLiteral("News")))
        if (!label->isVisible() && !label->accessibleName().isEmpty()) named << label->accessibleName();
    EXPECT_LE(named.size(), 1) << named.join(QStringLiteral(" | ")).toStdString();
    return named.value(0);
}

class AccessibilityTest : public ::testing::Test, protected testing::WindowDriver {
protected:
    static void SetUpTestSuite() { ConfigureApplication(*qApp); }

    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get())); }

    LessonWindow* OpenLesson() {
        ChooseByMouse(1, 4);   // "300"
        ChooseByMouse(2, 2);   // "5"
        window->lessonAction()->trigger();
        LessonWindow* lesson = window->lesson();
        QApplication::setActiveWindow(lesson);
        EXPECT_TRUE(QTest::qWaitForWindowActive(lesson));
        return lesson;
    }
};

// Each key and button that changes the step, with the focus on the construction's figure, on
// the button or elsewhere in the window, tells the step's number and sentence as the window's
// news, and leaves the controls' own names alone.
TEST_F(AccessibilityTest, EveryStepShownIsToldAsTheWindowsNews) {
    LessonWindow* lesson = OpenLesson();
    ConstructionPanel* panel = lesson->construction();
    const auto button = [&](const char* text) -> QWidget* {
        for (auto* b : lesson->page()->findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(text)) return b;
        ADD_FAILURE() << text;
        return nullptr;
    };
    QWidget* number = lesson->findChild<QLabel*>(QStringLiteral("Number0"));
    const QString numberName = NameOf(number);
    const auto key = [&](Qt::Key k) { return [k] { QTest::keyClick(QApplication::focusWidget(), k); }; };
    const auto press = [&](const char* text) { return [&, text] { static_cast<QPushButton*>(button(text))->click(); }; };
    const std::size_t last = panel->steps().steps();
    const struct {
        const char* what;
        std::function<QWidget*()> focus;
        std::function<void()> act;
        std::size_t step;
    } cases[] = {
        {"Right", [&] { return panel->figure(); }, key(Qt::Key_Right), 2},
        {"End", [&] { return panel->figure(); }, key(Qt::Key_End), last},
        {"Left", [&] { return panel->figure(); }, key(Qt::Key_Left), last - 1},
        {"Home", [&] { return panel->figure(); }, key(Qt::Key_Home), 1},
        {"Напред", [&] { return button("Напред"); }, press("Напред"), 2},
        {"Назад", [&] { return button("Назад"); }, press("Назад"), 1},
        {"Right on a number of the lesson", [&] { return number; }, key(Qt::Key_Right), 2},
        {"a tick of play", [&] { return panel->figure(); },
         [&] {
             panel->Run(Command::StepPlay);
             ASSERT_TRUE(QTest::qWaitFor([&] { return panel->steps().step() == 3u; }, 2 * kPlayMilliseconds));
             panel->Run(Command::StepPlay);
         },
         3},
    };
    for (const auto& c : cases) {
        QWidget* focused = c.focus();
        focused->setFocus();
        c.act();
        ASSERT_EQ(panel->steps().step(), c.step) << c.what;
        const QString step = QStringLiteral("Стъпка %1 от %2. ").arg(c.step).arg(last) +
                             QString::fromStdString(panel->steps().View().sentence);
        EXPECT_EQ(NewsOf(lesson), step) << c.what;
    }
    EXPECT_EQ(NameOf(button("Напред")), QStringLiteral("Напред"));
    EXPECT_EQ(NameOf(number), numberName);
}

TEST_F(AccessibilityTest, WhatChertayDrewOrClearedIsTold) {
    ChooseByMouse(1, 4);
    ChooseByMouse(2, 3);
    QPushButton* draw = c().Command1[0];
    draw->setFocus();
    QTest::mouseClick(draw, Qt::LeftButton);
    EXPECT_EQ(NewsOf(window.get()), QString::fromStdString(window->form().Description()));
    EXPECT_EQ(NameOf(draw), QStringLiteral("Чертай"));
    c().Command1[1]->setFocus();
    QTest::mouseClick(c().Command1[1], Qt::LeftButton);   // "Чисти"
    EXPECT_EQ(NewsOf(window.get()), QString::fromStdString(window->form().Description()));
}

// The focus entering a list is on its chosen item, which becomes the current one where it was
// not; the choice itself stays, so nothing is drawn.
TEST_F(AccessibilityTest, TabIntoAListFocusesItsChosenItemAndChoosesNothing) {
    for (int i = 0; i < 3; ++i) {
        QtListBox& list = *c().List1[i];
        list.SetListIndex(2);
        list.selectionModel()->setCurrentIndex(list.model()->index(5, 0), QItemSelectionModel::NoUpdate);
        c().Command1[0]->setFocus();
        const QImage before = Canvas();
        const std::vector<std::string> chosen = Selected();
        list.setFocus(Qt::TabFocusReason);
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(&list)->focusChild();
        ASSERT_NE(item, nullptr) << i;
        EXPECT_EQ(item->text(QAccessible::Name), QString::fromStdString(list.List(2))) << i;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&list)->indexOfChild(item), 2) << i;
        EXPECT_EQ(Selected(), chosen) << i;
        EXPECT_EQ(Canvas(), before) << i;
    }
}

}  // namespace
}  // namespace tamirel
