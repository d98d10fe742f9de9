// The lesson window as a user meets it: F1 from the main window, following the lists, its
// keys, copy and save; the main window's drawing and selections stay as they were.
#include "window/lesson_window.h"

#include <gtest/gtest.h>

#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QAccessible>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtTest/QTest>

#include "lesson/scene_draw.h"
#include "lesson/tikz_writer.h"
#include "window/construction_panel.h"
#include "window/scene_view.h"
#include "window/startup.h"
#include "window_driver.h"

namespace tamirel {
namespace {

class LessonWindowTest : public ::testing::Test, protected testing::WindowDriver {
protected:
    static void SetUpTestSuite() { ConfigureApplication(*qApp); }

    void SetUp() override {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ChooseByMouse(1, 4);   // "300"
        ChooseByMouse(2, 3);   // "6"
        Press(0);
        drawn = Canvas();
    }

    // F1 in the main window; the lesson window once it is shown.
    LessonWindow* OpenByF1() {
        QTest::keyClick(window->windowHandle(), Qt::Key_F1);
        LessonWindow* lesson = window->lesson();
        if (lesson) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(lesson));
        }
        return lesson;
    }

    void ExpectMainWindowUnchanged() {
        EXPECT_EQ(Canvas(), drawn);
        EXPECT_EQ(Selected(), (std::vector<std::string>{"0 - Solid", "300", "6"}));
        EXPECT_TRUE(errors.empty());
    }

    QImage drawn;
};

TEST_F(LessonWindowTest, F1OpensTheLessonForTheCurrentChoicesAndFollowsTheLists) {
    LessonWindow* lesson = OpenByF1();
    ASSERT_NE(lesson, nullptr);
    EXPECT_EQ(lesson->windowTitle(), QStringLiteral("Правилен шестоъгълник"));
    EXPECT_EQ(lesson->lesson().numbers[6].result, "≈ 233\u00A0829 кв. единици");
    ExpectMainWindowUnchanged();

    ChooseByMouse(2, 14);   // "17"
    EXPECT_EQ(lesson->windowTitle(), QStringLiteral("Правилен седемнадесетоъгълник"));
    ChooseByMouse(1, 0);    // "500"
    EXPECT_EQ(lesson->lesson().givens, "R = 500 единици, n = 17");
    EXPECT_EQ(c().Picture1->drawing().primitives.size(), 1u + 1u + 6u) << "the canvas is not drawn on";
    ChooseByMouse(1, 4);
    ChooseByMouse(2, 3);

    // A second F1 brings the same window forward; Escape closes it.
    EXPECT_EQ(OpenByF1(), lesson);
    lesson->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(lesson));
    QTest::keyClick(lesson->windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->lesson() == nullptr; }, 1000));
    ExpectMainWindowUnchanged();
}

TEST_F(LessonWindowTest, CanvasMenuOpensItToo) {
    window->lessonAction()->trigger();
    ASSERT_NE(window->lesson(), nullptr);
    EXPECT_TRUE(window->lesson()->isVisible());
    EXPECT_EQ(window->lessonAction()->text(), QStringLiteral("Урок…"));
}

TEST_F(LessonWindowTest, CtrlCCopiesTheSvgAndAnImageAndCtrlDDrawsTheDiagonals) {
    LessonWindow* lesson = OpenByF1();
    ASSERT_NE(lesson, nullptr);
    lesson->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(lesson));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(lesson->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
    EXPECT_EQ(svg.toStdString(), LessonToSvg(lesson->lesson()));
    EXPECT_TRUE(svg.contains("<circle cx=\"500\" cy=\"500\" r=\"300\""));
    EXPECT_EQ(data->data(QStringLiteral("text/x-tex")).toStdString(), PictureToTikz(LessonPicture(lesson->lesson())));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.width(), qRound(LessonPageWidth()));
    // The centre O is a dot at (500, 500) of the figure, the page's margin in from its corner.
    const int centre = qRound(kLessonMargin + 500);
    EXPECT_LT(qGray(image.pixel(centre, centre)), 64);

    const auto faint = [&] {
        return std::count_if(lesson->lesson().scene.items.begin(), lesson->lesson().scene.items.end(),
                             [](const SceneItem& i) { return i.ink == Ink::Faint; });
    };
    EXPECT_EQ(faint(), 0);
    QTest::keyClick(lesson->windowHandle(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(lesson->diagonalsBox()->isChecked());
    EXPECT_EQ(faint(), 3) << "three diagonals cut the hexagon into four triangles";
    EXPECT_EQ(lesson->figure()->scene().items.size(), lesson->lesson().scene.items.size());
    ExpectMainWindowUnchanged();
}

TEST_F(LessonWindowTest, CtrlSSavesEachTypeWholeAndCtrlPShowsThePreview) {
    LessonWindow* lesson = OpenByF1();
    ASSERT_NE(lesson, nullptr);
    lesson->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(lesson));
    QTemporaryDir dir;
    QString next;
    lesson->setSavePathChooser([&](const QString&) { return dir.filePath(next); });
    for (const char* name : {"lesson.svg", "lesson.png", "lesson.pdf", "lesson.tex"}) {
        next = QString::fromLatin1(name);
        QTest::keyClick(lesson->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    }
    QFile svg(dir.filePath(QStringLiteral("lesson.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(svg.readAll().toStdString(), LessonToSvg(lesson->lesson()));
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("lesson.png"))).width(), qRound(LessonPageWidth()));
    QFile pdf(dir.filePath(QStringLiteral("lesson.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    QFile tex(dir.filePath(QStringLiteral("lesson.tex")));
    ASSERT_TRUE(tex.open(QIODevice::ReadOnly));
    EXPECT_EQ(tex.readAll().toStdString(), PictureToTikz(LessonPicture(lesson->lesson())));

    bool previewed = false;
    QTimer poll;   // the preview runs a loop of its own
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            previewed = dialog->inherits("QPrintPreviewDialog");
            dialog->reject();
        }
    });
    poll.start(10);
    QTest::keyClick(lesson->windowHandle(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(previewed);
    ExpectMainWindowUnchanged();
}

TEST_F(LessonWindowTest, NumbersAreTextAScreenReaderReadsInAWindowTheFocusIsMarkedAndTheFigureIsAPicture) {
    LessonWindow* lesson = OpenByF1();
    ASSERT_NE(lesson, nullptr);
    QStringList read;
    for (QLabel* label : lesson->findChildren<QLabel*>()) {
        if (!label->isVisible()) continue;
        EXPECT_NE(label->focusPolicy() & Qt::TabFocus, 0) << label->text().toStdString();
        QAccessibleInterface* text = QAccessible::queryAccessibleInterface(label);
        read << text->text(QAccessible::Name);
        ASSERT_NE(text->textInterface(), nullptr) << label->text().toStdString();   // by character and in braille
        EXPECT_EQ(text->textInterface()->text(0, text->textInterface()->characterCount()), label->text());
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(lesson)->role(), QAccessible::Window);
    EXPECT_TRUE(read.contains(QStringLiteral("Апотема r, радиусът на вписаната окръжност: r = R·cos(180° : n) = 300·cos(180° : 6) ≈ 259,81 единици"))) << read.join('|').toStdString();
    // The keyboard walks the controls with the focus ring round the focused one.
    lesson->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(lesson));
    QTest::keyClick(lesson->windowHandle(), Qt::Key_Tab);
    auto* ring = lesson->findChild<QWidget*>(QStringLiteral("FocusRing"));
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(lesson->focusWidget()->geometry()));
    QAccessibleInterface* figure = QAccessible::queryAccessibleInterface(lesson->figure());
    EXPECT_EQ(figure->role(), QAccessible::Graphic);
    EXPECT_TRUE(figure->text(QAccessible::Description).startsWith(QStringLiteral("Правилен шестоъгълник. R = 300")));
}

TEST_F(LessonWindowTest, FollowsTheMainWindowsZoom) {
    window->setAvailableArea([] { return QSize(4000, 3000); });
    LessonWindow* lesson = OpenByF1();
    ASSERT_NE(lesson, nullptr);
    const int normal = lesson->font().pixelSize();
    window->zoomInAction()->trigger();
    window->zoomInAction()->trigger();   // 150 %
    EXPECT_EQ(lesson->font().pixelSize(), (normal * 150 + 50) / 100);
    EXPECT_GE(lesson->figure()->labelPixels(), kMinimumLabelPixels * 1.5);
    window->zoomNormalAction()->trigger();
    EXPECT_EQ(lesson->font().pixelSize(), normal);
    ExpectMainWindowUnchanged();
}

// Where every widget of the page stands, relative to the page, for comparing two layouts.
std::string PageGeometry(const LessonWindow& lesson) {
    std::string rects;
    for (QWidget* w : lesson.page()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect r = w->geometry();
        if (w->isVisible() && w->objectName() != QStringLiteral("FocusRing"))
            rects += QStringLiteral("%1 %2,%3 %4x%5\n").arg(w->objectName()).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
    }
    return rects;
}

// The page laid out again for a step's longer sentence, as the event loop does it.
void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

// A laptop, a projector and a wide screen, at the normal size and as large as each allows:
// the window stays inside the area, beside the main window's lists, and every text is whole
// on the page, shown or scrolled to, at least the main window's text size; each figure's
// letters are at least that high too.
TEST_F(LessonWindowTest, EveryTextIsWholeAndReadableOnTheScrollingPage) {
    for (const QSize area : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)}) {
        window->setAvailableArea([area] { return area; });
        window->zoomNormalAction()->trigger();
        ChooseByMouse(2, 4);   // "7", whose construction is one long sentence
        window->lessonAction()->trigger();
        LessonWindow* lesson = window->lesson();
        ASSERT_NE(lesson, nullptr);
        for (int zoom = 0; zoom < 2; ++zoom, window->zoomFitAction()->trigger()) {
            for (const int row : {4, 10, 14}) {   // 7, 13 and 17 vertices
                ChooseByMouse(2, row);
                lesson->construction()->Run(Command::StepEnd);
                Settle();
                SCOPED_TRACE(::testing::Message() << area.width() << "x" << area.height() << " at " << window->zoom()
                                                  << " %, n = " << row + 3);
                const double percent = window->zoom() / 100.0;
                const QRect frame = lesson->frameGeometry();
                EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(frame)) << frame.width() << "x" << frame.height();
                if (window->zoom() == 100 && area.width() < 1920) {
                    for (QtListBox* list : c().List1)
                        EXPECT_FALSE(frame.intersects(QRect(list->mapToGlobal(QPoint(0, 0)), list->size())));
                }
                const QScrollArea& scroll = *lesson->scrollArea();
                const QSize reach = scroll.viewport()->size() + QSize(scroll.horizontalScrollBar()->maximum(),
                                                                      scroll.verticalScrollBar()->maximum());
                EXPECT_EQ(lesson->page()->size(), reach);
                for (QWidget* w : lesson->page()->findChildren<QWidget*>()) {
                    auto* label = qobject_cast<QLabel*>(w);
                    if (!w->isVisible() || !(label || qobject_cast<QAbstractButton*>(w))) continue;
                    const QSize whole = label && label->wordWrap() ? QSize(0, w->heightForWidth(w->width())) : w->sizeHint();
                    const std::string name = w->objectName().toStdString();
                    EXPECT_GE(w->width(), whole.width()) << name;
                    EXPECT_GE(w->height(), whole.height()) << name;
                    EXPECT_TRUE(lesson->page()->rect().contains(w->geometry())) << name;
                    EXPECT_GE(w->font().pixelSize(), 16 * percent) << name;
                }
                for (const SceneView* view : {lesson->figure(), lesson->construction()->figure()})
                    EXPECT_GE(view->labelPixels(), kMinimumLabelPixels * percent - 1e-9) << view->objectName().toStdString();
            }
        }
        // Opened on the 17-gon, the page is as it is when the lists led the window there.
        const std::string followed = PageGeometry(*lesson);
        lesson->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->lesson() == nullptr; }, 1000));
        window->lessonAction()->trigger();
        ASSERT_NE(window->lesson(), nullptr);
        window->lesson()->construction()->Run(Command::StepEnd);
        Settle();
        EXPECT_EQ(PageGeometry(*window->lesson()), followed);
        window->lesson()->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->lesson() == nullptr; }, 1000));
        ChooseByMouse(2, 3);
    }
}

}  // namespace
}  // namespace tamirel
