#include "window/tamirel_window.h"

#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtCore/QTemporaryDir>
#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QAction>
#include <QtWidgets/QMenu>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolTip>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QTreeView>
#include <QtCore/QRegularExpression>
#include <QtPrintSupport/QPrintDialog>
#include <QtPrintSupport/QPrintPreviewWidget>
#include <QtGui/QWheelEvent>
#include <QtGui/QAccessible>
#include <cmath>
#include <map>
#include <QtTest/QTest>
#include <memory>
#include <string>
#include <vector>

#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"
#include "geometry/draw_polygon.h"
#include "window/focus_ring.h"
#include "window/startup.h"
#include "window/zoom.h"
#include "window_driver.h"

namespace tamirel {
namespace {

// The focus ring and the hidden labels that carry news to a screen reader: marks, not controls.
bool IsMark(const QWidget& w) {
    return w.objectName() == QStringLiteral("FocusRing") || w.objectName() == QStringLiteral("News");
}

using testing::AllWhite;
using testing::Figure;

class WindowTest : public ::testing::Test, protected testing::WindowDriver {
protected:
    static void SetUpTestSuite() { ConfigureApplication(*qApp); }

    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get())); }
};

TEST_F(WindowTest, ControlsStandWhereTheLayoutPutsThem) {
    const struct {
        const char* name;
        QRect pixels;
    } expected[] = {
        {"Picture1", {8, 32, 267, 267}},    {"Command1(0)", {288, 216, 97, 25}},
        {"Label1(0)", {280, 32, 65, 27}},   {"Label1(1)", {352, 32, 65, 27}},
        {"Label1(2)", {80, 0, 393, 25}},    {"List1(0)", {424, 56, 113, 137}},
        {"Label1(3)", {424, 32, 113, 25}},  {"Command1(1)", {416, 264, 97, 25}},
        {"List1(1)", {280, 56, 65, 137}},   {"List1(2)", {352, 56, 65, 137}},
        {"Text1", {8, 304, 529, 121}},
    };
    for (const auto& e : expected) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(e.name), Qt::FindDirectChildrenOnly);
        ASSERT_NE(widget, nullptr) << e.name;
        EXPECT_EQ(widget->geometry(), e.pixels) << e.name;
        EXPECT_EQ(widget->font().family(), QStringLiteral("Times New Roman")) << e.name;
        EXPECT_EQ(widget->font().pixelSize(), 16) << e.name;
        EXPECT_FALSE(widget->font().bold() || widget->font().italic() || widget->font().underline()) << e.name;
        EXPECT_TRUE(widget->isVisible() && widget->isEnabled()) << e.name;
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tamirel"));
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST_F(WindowTest, WindowHasAFixedSizeAndOnlyACloseButton) {
    EXPECT_EQ(window->size(), QSize(547, 431));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->windowType(), Qt::Window);
}

TEST_F(WindowTest, ColoursShowAsDesigned) {
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixel(2, 2), qRgb(192, 192, 255)) << "form";
    for (QLabel* label : c().Label1) {
        EXPECT_EQ(shot.pixel(label->geometry().topLeft() + QPoint(3, 3)), qRgb(255, 192, 128))
            << label->text().toStdString();
    }
    EXPECT_EQ(shot.pixel(c().Command1[0]->geometry().topLeft() + QPoint(6, 6)), qRgb(128, 255, 128));
    EXPECT_EQ(shot.pixel(c().Command1[1]->geometry().topLeft() + QPoint(6, 6)), qRgb(255, 0, 0));
    // Where a list and its label overlap, the list is on top.
    const QRect overlap = c().Label1[0]->geometry() & c().List1[1]->geometry();
    ASSERT_FALSE(overlap.isEmpty());
    const QWidget* top = window->childAt(overlap.center());
    EXPECT_TRUE(top == c().List1[1] || c().List1[1]->isAncestorOf(top));
}

TEST_F(WindowTest, ListsHoldTheirItems) {
    const std::vector<std::vector<std::string>> expected = {
        {"0 - Solid", "1 - Dash", "2 - Dot", "3 - Dash-dot", "4 - Dash-dot-dot", "5 - Transparent", "6 - InsideSolid"},
        {"500", "450", "400", "350", "300", "250", "200", "150"},
        {"3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"}};
    for (int i = 0; i < 3; ++i) {
        std::vector<std::string> items;
        for (int row = 0; row < c().List1[i]->count(); ++row) items.push_back(c().List1[i]->List(row));
        EXPECT_EQ(items, expected[i]);
        EXPECT_EQ(c().List1[i]->horizontalScrollBar()->isVisible(), false);
    }
    EXPECT_FALSE(c().List1[0]->verticalScrollBar()->isVisible()) << "all seven line types fit";
    EXPECT_TRUE(c().List1[2]->verticalScrollBar()->isVisible());
}

TEST_F(WindowTest, TextBoxShowsTheExplanationReadOnlyAndWrapped) {
    QPlainTextEdit& box = *c().Text1;
    EXPECT_EQ(box.toPlainText(),
              QString::fromUtf8(ExplanationText().data(), qsizetype(ExplanationText().size())).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_FALSE(box.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(box.verticalScrollBar()->isVisible());
}

TEST_F(WindowTest, StartsWithFirstItemsSolidAndAWhiteEmptyCanvas) {
    EXPECT_EQ(Selected(), (std::vector<std::string>{"0 - Solid", "500", "3"}));
    EXPECT_EQ(canvas().DrawStyle(), kSolid);
    EXPECT_EQ(canvas().ScaleWidth(), 1000);
    EXPECT_EQ(canvas().ScaleHeight(), 1000);
    EXPECT_TRUE(canvas().drawing().primitives.empty());
    EXPECT_TRUE(AllWhite(Canvas()));
}

TEST_F(WindowTest, DrawAddsTheFigureAtTheRightPixels) {
    Press(0);
    const QImage area = Canvas();
    EXPECT_EQ(area, Expected({{"500", "3", kSolid}}));
    const auto black = [&](int x, int y) { return area.pixel(x, y) == qRgb(0, 0, 0); };
    EXPECT_TRUE(black(131, 0)) << "the apex, on the circle's top";
    EXPECT_TRUE(black(0, 131) && black(262, 131)) << "the circle touches left and right";
    EXPECT_TRUE(black(131, 196) || black(131, 197)) << "the bottom side at three quarters";
    EXPECT_FALSE(black(131, 131));
}

TEST_F(WindowTest, ClicksOnLabelsCanvasAndTextChangeNothing) {
    ChooseByMouse(1, 2);
    Press(0);
    const QImage before = Canvas();
    const std::vector<std::string> selected = Selected();
    for (QWidget* w : std::vector<QWidget*>{c().Label1[0], c().Label1[1], c().Label1[2], c().Label1[3],
                                            c().Picture1, c().Text1->viewport()}) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    }
    EXPECT_EQ(Canvas(), before);
    EXPECT_EQ(Selected(), selected);
    EXPECT_EQ(canvas().DrawStyle(), kSolid);
}

TEST_F(WindowTest, DefaultReportIsAMessageBoxInBulgarian) {
    EXPECT_EQ(ErrorMessage(RuntimeError::Overflow()), "Грешка при изпълнение 6:\nПрепълване");
    auto fresh = std::make_unique<Tamirel>();
    fresh->form().Form_Load();
    fresh->controls().List1[1]->item(0)->setText(QStringLiteral("1e39"));
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(fresh->controls().Command1[0], Qt::LeftButton);
    EXPECT_EQ(shown.toStdString(), ErrorMessage(RuntimeError::Overflow()));
    EXPECT_TRUE(fresh->controls().Picture1->drawing().primitives.empty());
}

// Runs `act` on each modal widget the application shows next, in turn, until it returns true
// (polled, as a modal dialog runs a loop of its own).
void OnModal(const std::function<bool(QWidget&)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && act(*modal)) poll->deleteLater();
    });
    poll->start(10);
}

// The texts of the popup menu that `open` brings up, which is then closed unchosen. The
// menu may open inside `open` or from an event handled after it.
QStringList MenuOpenedBy(const std::function<void()>& open) {
    QStringList texts;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions()) texts << action->text();
            menu->close();
        }
    });
    closer.start(10);
    open();
    if (!QTest::qWaitFor([&] { return !texts.isEmpty(); }, 1000)) return {};
    return texts;
}

class ExportFromWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->activateWindow();   // keys go to the focused control of the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ChooseByMouse(1, 4);   // "300"
        ChooseByMouse(2, 1);   // "4"
        Press(0);
        before = Canvas();
        selectedBefore = Selected();
    }

    void ExpectNothingChanged() {
        EXPECT_EQ(Canvas(), before);
        EXPECT_EQ(Selected(), selectedBefore);
        EXPECT_EQ(canvas().DrawStyle(), kSolid);
        EXPECT_TRUE(errors.empty());
    }

    QImage before;
    std::vector<std::string> selectedBefore;
};

TEST_F(ExportFromWindowTest, CanvasMenuOpensByMouseAndKeyboardAndChangesNothing) {
    const QStringList expected = {QStringLiteral("Копирай"), QStringLiteral("Запази като…"), QStringLiteral("Печат…"),
                                  QString(), QStringLiteral("Увеличи"), QStringLiteral("Намали"),
                                  QStringLiteral("Нормален размер"), QStringLiteral("По размера на екрана"), QString(),
                                  QStringLiteral("Урок…")};
    QWindow* handle = window->windowHandle();
    const auto focusCanvas = [&] {   // a closed popup leaves the window inactive here
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        canvas().setFocus();
    };
    focusCanvas();
    EXPECT_EQ(MenuOpenedBy([&] { QTest::keyClick(handle, Qt::Key_Menu); }), expected);
    focusCanvas();
    EXPECT_EQ(MenuOpenedBy([&] { QTest::keyClick(handle, Qt::Key_F10, Qt::ShiftModifier); }), expected);
    const QPoint inCanvas = canvas().geometry().center();
    EXPECT_EQ(MenuOpenedBy([&] { QTest::mouseClick(handle, Qt::RightButton, {}, inCanvas); }), expected);
    QTest::mouseClick(handle, Qt::LeftButton, {}, inCanvas);
    ExpectNothingChanged();
}

TEST_F(ExportFromWindowTest, ZoomAndPrintCommandsChangeNothingDrawn) {
    window->setAvailableArea([] { return QSize(4000, 3000); });
    window->zoomInAction()->trigger();
    window->zoomInAction()->trigger();
    window->zoomOutAction()->trigger();
    EXPECT_EQ(window->zoom(), 125);
    window->zoomNormalAction()->trigger();
    bool previewed = false;
    OnModal([&](QWidget& dialog) {
        previewed = dialog.inherits("QPrintPreviewDialog");
        qobject_cast<QDialog*>(&dialog)->reject();
        return true;
    });
    QTest::keyClick(window->windowHandle(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(previewed) << "Ctrl+P shows the print preview";
    ExpectNothingChanged();
}

TEST_F(ExportFromWindowTest, CtrlCOnTheCanvasCopiesImageAndSvg) {
    QGuiApplication::clipboard()->clear();
    canvas().setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasImage());
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    const QImage copied = qvariant_cast<QImage>(data->imageData());
    EXPECT_GE(copied.width(), 1000);
    EXPECT_EQ(qGray(copied.pixel(copied.width() / 2, copied.height() / 2)), 255) << "the square's middle is empty";
    ExpectNothingChanged();
}

TEST_F(ExportFromWindowTest, CtrlSAnywhereSavesAndRemembersTheFolder) {
    QTemporaryDir dir;
    QStringList askedIn;
    int n = 0;
    window->setSavePathChooser([&](const QString& folder) {
        askedIn << folder;
        ++n;
        return dir.filePath(n == 1 ? QStringLiteral("figure1.png") : QStringLiteral("figure2.svg"));
    });
    c().List1[2]->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(askedIn.size(), 2);
    EXPECT_EQ(askedIn[1], dir.path());
    EXPECT_FALSE(QImage(dir.filePath(QStringLiteral("figure1.png"))).isNull());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("figure2.svg"))));
    ExpectNothingChanged();
}

TEST_F(ExportFromWindowTest, FailedSaveIsReportedInBulgarian) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/figure.png"));
    window->setSavePathChooser([&](const QString&) { return path; });
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    window->saveAction()->trigger();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Чертежът не беше запазен"))) << shown.toStdString();
    EXPECT_FALSE(QFile::exists(path));
    ExpectNothingChanged();
}

TEST_F(WindowTest, CanvasTooltipAndDescriptionFollowTheDrawing) {
    const auto description = [&] {
        EXPECT_EQ(canvas().toolTip(), canvas().accessibleDescription());
        return canvas().accessibleDescription().toStdString();
    };
    EXPECT_EQ(description(), "Празен чертеж");
    Press(0);
    EXPECT_EQ(description(), "Окръжност с радиус 500 и вписан правилен триъгълник с вътрешен ъгъл 60°");
    Press(1);
    EXPECT_EQ(description(), "Празен чертеж");
}

TEST_F(WindowTest, EveryControlHasAnAccessibleName) {
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (IsMark(*w)) continue;
        const QString name = w->accessibleName().isEmpty() ? w->property("text").toString() : w->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
    }
    EXPECT_EQ(c().List1[0]->accessibleName(), QStringLiteral("Вид линия"));
    EXPECT_EQ(c().List1[1]->accessibleName(), QStringLiteral("Радиус"));
    EXPECT_EQ(c().List1[2]->accessibleName(), QStringLiteral("Върхове"));
}

}  // namespace
}  // namespace tamirel

namespace tamirel {
namespace {

QStringList ButtonTexts(QWidget& dialog) {
    QStringList texts;
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
        if (!b->text().isEmpty()) texts << b->text();
    }
    return texts;
}

TEST_F(WindowTest, SaveDialogAndItsOverwriteQuestionSpeakBulgarian) {
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("old.png"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
    file.close();
    QString lookIn, question;
    QStringList dialogButtons, questionButtons;
    OnModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (!dialog) return false;
        lookIn = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
        dialogButtons = ButtonTexts(*dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(existing);
        OnModal([&](QWidget& box) {
            auto* message = qobject_cast<QMessageBox*>(&box);
            if (!message) return false;
            question = message->text();
            questionButtons = ButtonTexts(*message);
            message->button(QMessageBox::No)->click();
            OnModal([](QWidget& again) {
                if (!qobject_cast<QFileDialog*>(&again)) return false;
                qobject_cast<QDialog*>(&again)->reject();
                return true;
            });
            return true;
        });
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        return true;
    });
    window->saveAction()->trigger();
    EXPECT_EQ(lookIn, QStringLiteral("Преглед на:"));
    EXPECT_TRUE(dialogButtons.contains(QStringLiteral("&Запазване")) && dialogButtons.contains(QStringLiteral("Отказ")))
        << dialogButtons.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(question, QStringLiteral("old.png вече съществува.\nИскате ли да го замените?"));
    EXPECT_EQ(questionButtons.size(), 2);
    EXPECT_TRUE(questionButtons.contains(QStringLiteral("&Да")) && questionButtons.contains(QStringLiteral("&Не")));
    QFile kept(existing);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
}

TEST_F(WindowTest, ReturnAndEnterPressAFocusedButtonButNoOther) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    c().List1[2]->setFocus();
    QTest::keyClick(c().List1[2], Qt::Key_Return);
    QTest::keyClick(c().List1[2], Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(AllWhite(Canvas())) << "Enter on a list presses no button";
    c().Command1[0]->setFocus();
    QTest::keyClick(c().Command1[0], Qt::Key_Return);
    EXPECT_EQ(Canvas(), Expected({{"500", "3", kSolid}}));
    QTest::keyClick(c().List1[0], Qt::Key_Down);   // "1 - Dash"
    c().Command1[1]->setFocus();
    QTest::keyClick(c().Command1[1], Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Selected(), (std::vector<std::string>{"0 - Solid", "500", "3"}));
    EXPECT_TRUE(AllWhite(Canvas()));
}

TEST_F(WindowTest, CanvasAndWindowHaveTheirRoles) {
    QAccessibleInterface* canvasRole = QAccessible::queryAccessibleInterface(c().Picture1);
    ASSERT_NE(canvasRole, nullptr);
    EXPECT_EQ(canvasRole->role(), QAccessible::Graphic);
    EXPECT_EQ(canvasRole->text(QAccessible::Name), QStringLiteral("Чертеж"));
    EXPECT_EQ(canvasRole->text(QAccessible::Description), QStringLiteral("Празен чертеж"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.get())->role(), QAccessible::Window);
}

// WCAG's contrast ratio of two colours.
double Contrast(QRgb a, QRgb b) {
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A point on each side of the ring the focus mark draws around `control`: 1 pixel of gap,
// then 2 of ring.
std::vector<QPoint> RingSides(const QWidget& control) {
    const QRect ring = control.geometry().adjusted(-3, -3, 2, 2);
    return {QPoint(ring.center().x(), ring.top()), QPoint(ring.center().x(), ring.bottom()),
            QPoint(ring.left(), ring.center().y()), QPoint(ring.right(), ring.center().y())};
}

TEST_F(WindowTest, KeyboardFocusIsMarkedAroundEachControlAndNeverInsideTheCanvas) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Press(0);
    c().Text1->setFocus();
    const QImage unfocused = window->grab().toImage();
    const QImage drawing = Canvas();
    const std::vector<QWidget*> controls = {c().Picture1, c().Command1[0], c().List1[0], c().Command1[1],
                                            c().List1[1], c().List1[2], c().Text1};
    for (QWidget* control : controls) {
        QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
        ASSERT_TRUE(QTest::qWaitFor([&] { return control->hasFocus(); }, 1000)) << control->objectName().toStdString();
        const QImage shot = window->grab().toImage();
        for (const QPoint p : RingSides(*control)) {
            EXPECT_GE(Contrast(shot.pixel(p), unfocused.pixel(p)), 3.0)
                << control->objectName().toStdString() << " at " << p.x() << "," << p.y();
        }
        if (control == c().Picture1) {
            EXPECT_EQ(Canvas(), drawing) << "the mark stays out of the drawing area";
        }
    }
    QTest::mouseClick(c().Label1[2], Qt::LeftButton);
    const QImage afterClick = window->grab().toImage();
    for (const QPoint p : RingSides(*c().Text1)) EXPECT_EQ(afterClick.pixel(p), unfocused.pixel(p)) << "a click puts the mark away";
}

TEST_F(ExportFromWindowTest, OneKeyBringingTwoMenuRequestsOpensOneMenu) {
    canvas().setFocus();
    int mostAtOnce = 0;
    const auto openMenus = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<QMenu*>(w) && w->isVisible();
        return n;
    };
    // The desktop's own request for the same key arrives while the first menu is open.
    QTimer::singleShot(30, [&] {
        const QPoint at = canvas().rect().center();
        QContextMenuEvent request(QContextMenuEvent::Keyboard, at, canvas().mapToGlobal(at));
        QApplication::sendEvent(&canvas(), &request);
    });
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        mostAtOnce = std::max(mostAtOnce, openMenus());
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()); menu && closer.property("ticks").toInt() > 6)
            menu->close();
        closer.setProperty("ticks", closer.property("ticks").toInt() + 1);
    });
    closer.start(10);
    QTest::keyClick(window->windowHandle(), Qt::Key_Menu);
    QTest::qWait(50);
    EXPECT_EQ(mostAtOnce, 1);
    EXPECT_EQ(openMenus(), 0) << "one Escape or close ends it";
    ExpectNothingChanged();
}

std::map<QString, QRect> Geometries(const QWidget& window) {
    std::map<QString, QRect> places;
    for (QWidget* w : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!IsMark(*w)) places[w->objectName()] = w->geometry();
    }
    return places;
}

void Keys(QWidget& window, QKeySequence keys, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keySequence(window.windowHandle(), keys);
}

TEST_F(WindowTest, ZoomScalesEveryControlAndKeepsDrawingSelectionsAndFocus) {
    window->setAvailableArea([] { return QSize(4000, 3000); });
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ChooseByMouse(1, 4);   // "300"
    ChooseByMouse(2, 1);   // "4"
    Press(0);
    c().List1[2]->setFocus();
    const std::map<QString, QRect> normal = Geometries(*window);

    Keys(*window, QKeySequence(Qt::CTRL | Qt::Key_Equal));
    EXPECT_EQ(window->zoom(), 125);
    Keys(*window, QKeySequence::ZoomIn, 3);
    ASSERT_EQ(window->zoom(), 200);
    EXPECT_EQ(window->size(), QSize(1094, 862));
    for (const auto& [name, place] : Geometries(*window)) {
        EXPECT_EQ(place, QRect(normal.at(name).topLeft() * 2, normal.at(name).size() * 2)) << name.toStdString();
    }
    EXPECT_EQ(c().Label1[0]->font().pixelSize(), 32);
    const auto* ring = window->findChild<FocusRing*>();
    ASSERT_EQ(ring->target(), c().List1[2]) << "the keys put the ring on";
    EXPECT_EQ(ring->geometry(), c().List1[2]->geometry().adjusted(-6, -6, 6, 6)) << "a ring of 4 pixels, 2 out";
    EXPECT_EQ(Canvas(), Expected({{"300", "4", kSolid}})) << "the drawing, repainted at the new size";
    EXPECT_EQ(Selected(), (std::vector<std::string>{"0 - Solid", "300", "4"}));
    EXPECT_TRUE(c().List1[2]->hasFocus());
    Press(0);
    EXPECT_EQ(Canvas(), Expected({{"300", "4", kSolid}, {"300", "4", kSolid}}));
    Press(1);
    EXPECT_TRUE(AllWhite(Canvas()));

    Keys(*window, QKeySequence::ZoomOut);
    EXPECT_EQ(window->zoom(), 175);
    Keys(*window, QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_EQ(window->size(), QSize(547, 431));
    EXPECT_EQ(Geometries(*window), normal);

    window->setAvailableArea([] { return QSize(800, 600); });
    Keys(*window, QKeySequence::ZoomIn);
    EXPECT_EQ(window->zoom(), 125);
    Keys(*window, QKeySequence::ZoomIn, 3);
    EXPECT_EQ(window->zoom(), 138) << "150 % (821 x 647 and a frame) would not fit an 800 x 600 screen: as far as it allows";
    Keys(*window, QKeySequence::ZoomOut);
    EXPECT_EQ(window->zoom(), 125);
}

TEST_F(WindowTest, FittedZoomIsTheLargestThatFitsAndScalesEverything) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const std::map<QString, QRect> normal = Geometries(*window);
    const int normalScrollBar = c().List1[2]->verticalScrollBar()->width();
    const QFont normalMenu = QApplication::font("QMenu");
    const QFont normalTip = QToolTip::font();
    const QSize frame = window->frameGeometry().size() - window->size();
    // Without a frame 250 % and 178 %; the offscreen platform's frame is 2 pixels a side.
    for (const QSize screen : {QSize(1920, 1080), QSize(1366, 768)}) {
        window->setAvailableArea([screen] { return screen; });
        Keys(*window, QKeySequence(Qt::CTRL | Qt::Key_9));
        const int percent = window->zoom();
        EXPECT_GT(percent, screen.height() * 100 / 431 - 5) << screen.width();
        const QSize size = window->frameGeometry().size();
        EXPECT_LE(size.height(), screen.height());
        EXPECT_LE(size.width(), screen.width());
        EXPECT_GT((431 * (percent + 1) + 50) / 100 + frame.height(), screen.height()) << "one percent more would not fit";
        const auto zoomed = [&](int pixels) { return (pixels * percent + 50) / 100; };
        for (const auto& [name, place] : Geometries(*window)) {
            const QRect was = normal.at(name);
            EXPECT_EQ(place, QRect(zoomed(was.x()), zoomed(was.y()), zoomed(was.width()), zoomed(was.height())))
                << name.toStdString() << " at " << percent << " %";
        }
        EXPECT_EQ(c().List1[2]->verticalScrollBar()->width(), zoomed(normalScrollBar)) << "the scroll bar too";
        EXPECT_NEAR(QApplication::font("QMenu").pointSizeF(), normalMenu.pointSizeF() * percent / 100, 0.01)
            << "menus and dialogs too";
        // The tooltip, in the tooltip font at this zoom, in lines no wider than the canvas.
        for (int i = 0; i < 3; ++i) Press(0);
        ChooseByMouse(2, 4);
        Press(0);
        const QPoint at = canvas().rect().center();
        QHelpEvent help(QEvent::ToolTip, at, canvas().mapToGlobal(at));
        QApplication::sendEvent(&canvas(), &help);
        const QStringList lines = QToolTip::text().split(QLatin1Char('\n'));
        EXPECT_GT(lines.size(), 1) << QToolTip::text().toStdString();
        EXPECT_EQ(lines.join(QLatin1Char(' ')), canvas().toolTip());
        for (const QString& line : lines)
            EXPECT_LE(QFontMetrics(QToolTip::font()).horizontalAdvance(line), canvas().drawingArea().width()) << line.toStdString();
        EXPECT_NEAR(QToolTip::font().pointSizeF(), normalTip.pointSizeF() * percent / 100, 0.01);
        QToolTip::hideText();
        Press(1);
    }
    const int fitted = window->zoom();
    Keys(*window, QKeySequence::ZoomIn);
    EXPECT_EQ(window->zoom(), fitted) << "at the fitted size a step up does nothing";

    // Lines two pixels wide at 200 %: the triangle's base, across its middle.
    window->setAvailableArea([] { return QSize(4000, 3000); });
    Keys(*window, QKeySequence(Qt::CTRL | Qt::Key_0));
    Keys(*window, QKeySequence::ZoomIn, 4);
    ASSERT_EQ(window->zoom(), 200);
    Press(0);
    EXPECT_EQ(Canvas(), Expected({{"500", "3", kSolid}}));
    const QImage area = Canvas();
    int thick = 0;
    for (int y = area.height() / 2; y < area.height(); ++y) thick += area.pixel(area.width() / 2, y) == qRgb(0, 0, 0);
    EXPECT_EQ(thick, 2 + 2) << "the base and the circle's bottom, each 2 pixels";
    Keys(*window, QKeySequence(Qt::CTRL | Qt::Key_0));
}

TEST_F(WindowTest, CtrlWheelStepsTheZoom) {
    window->setAvailableArea([] { return QSize(4000, 3000); });
    QWidget* viewport = c().List1[2]->viewport();
    const auto wheel = [&](int angle, Qt::KeyboardModifiers modifiers) {
        const QPointF at(5, 5);
        QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    wheel(120, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 125);
    wheel(60, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 125) << "half a notch";
    wheel(60, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 150);
    wheel(-240, Qt::ControlModifier);
    EXPECT_EQ(window->zoom(), 100);
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(window->zoom(), 100) << "without Ctrl the wheel scrolls";
}

TEST_F(WindowTest, SelectedItemIsWhiteOnBlueAtMoreThanFourAndAHalfToOne) {
    QtListBox& list = *c().List1[1];
    const QRect row = list.visualItemRect(list.item(0));
    for (const bool focused : {true, false}) {
        if (focused) {
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
            list.setFocus();
        }
        const QImage shot = list.viewport()->grab(row).toImage();
        const QRgb back = shot.pixel(shot.width() - 3, shot.height() / 2);
        EXPECT_NEAR(qRed(back), 0x1a, 2) << "focused " << focused;
        EXPECT_NEAR(qGreen(back), 0x5f, 2);
        EXPECT_NEAR(qBlue(back), 0xb4, 2);
        const QRgb text = list.palette().color(focused ? QPalette::Active : QPalette::Inactive, QPalette::HighlightedText).rgb();
        EXPECT_EQ(text, qRgb(255, 255, 255));
        EXPECT_GE(Contrast(text, back), 4.5);
    }
}

TEST_F(WindowTest, FocusRingMarksOnlyTheWindowsControlsAndHidesWhileADialogIsOpen) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    c().Text1->setFocus();
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    ASSERT_TRUE(QTest::qWaitFor([&] { return c().Picture1->hasFocus(); }, 1000));
    const auto* ring = window->findChild<FocusRing*>();
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->target(), c().Picture1);
    bool shownWithDialog = true;
    OnModal([&](QWidget& dialog) {
        if (!QTest::qWaitFor([&] { return dialog.isActiveWindow(); }, 1000)) return false;
        QTest::keyClick(&dialog, Qt::Key_Tab);   // keys in the dialog are not the window's
        shownWithDialog = ring->isVisible();
        qobject_cast<QDialog*>(&dialog)->reject();
        return true;
    });
    window->saveAction()->trigger();
    EXPECT_FALSE(shownWithDialog);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ring->target() == c().Picture1; }, 1000)) << "back when the dialog closes";
}

}  // namespace
}  // namespace tamirel

namespace tamirel {
namespace {

// Every text a user can see in `dialog` and its visible children: titles, labels, buttons,
// group boxes, tabs, list and combo box items, column headers and tooltips. Left out: what
// the user's files are called, and the files' dates, which the system's locale writes.
QStringList VisibleTexts(QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    QList<QWidget*> widgets = dialog.findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(&dialog)) continue;
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(w)) texts << group->title();
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->objectName() != QStringLiteral("lookInCombo"))
            for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model() && !w->inherits("QSidebar")) {
            const QAbstractItemModel& model = *view->model();
            const bool files = model.inherits("QFileSystemModel");
            for (int row = 0; row < std::min(model.rowCount(view->rootIndex()), 50); ++row)
                for (int column = files ? 1 : 0; column < (files ? 3 : model.columnCount(view->rootIndex())); ++column)
                    texts << model.index(row, column, view->rootIndex()).data().toString();
            if (auto* tree = qobject_cast<QTreeView*>(view); tree && !tree->isHeaderHidden())
                for (int column = 0; column < model.columnCount(); ++column)
                    texts << model.headerData(column, Qt::Horizontal).toString();
        }
        if (auto* tool = qobject_cast<QToolBar*>(w))
            for (QAction* action : tool->actions()) texts << action->text() << action->toolTip();
    }
    return texts;
}

// VisibleTexts(dialog) with each tab of each of its tab widgets brought forward in turn.
QStringList TextsOnEveryTab(QWidget& dialog) {
    QStringList texts = VisibleTexts(dialog);
    for (QTabWidget* tabs : dialog.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            texts << VisibleTexts(dialog);
        }
    }
    return texts;
}

// The words in `texts` written in Latin letters alone, but for names that are the same in
// Bulgarian.
QStringList EnglishWords(const QStringList& texts) {
    // Formats, paper standards and units, written so in Bulgarian too.
    static const QStringList kSame = {"PDF", "PNG", "SVG", "png", "svg", "pdf", "TikZ", "LaTeX", "tex", "Tamirel",
                                      "ANSI", "JIS", "PRC", "DL", "DD", "CC", "mm", "in", "pt", "x"};
    QStringList english;
    for (const QString& text : texts) {
        for (const QString& word : QString(text).remove(QLatin1Char('&')).split(QRegularExpression(QStringLiteral("[^\\p{L}]+")), Qt::SkipEmptyParts)) {
            // A single letter names a paper format (A4, B5, 16K).
            if (word.size() > 1 && word.contains(QRegularExpression(QStringLiteral("^[A-Za-z]+$"))) && !kSame.contains(word) &&
                !english.contains(word))
                english << word;
        }
    }
    return english;
}

TEST_F(WindowTest, SaveAndPrintDialogsShowNoEnglishWord) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Папка")));
    QStringList english, percentages;
    double typedZoom = 0;
    OnModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (!dialog) return false;
        dialog->setDirectory(dir.path());
        QTest::qWait(300);   // the folder is read in the background
        english << EnglishWords(VisibleTexts(*dialog));
        dialog->reject();
        return true;
    });
    window->saveAction()->trigger();

    OnModal([&](QWidget& modal) {
        if (!modal.inherits("QPrintPreviewDialog")) return false;
        english << EnglishWords(VisibleTexts(modal));
        // The zoom box's percentages, as shown and after a choice and a typed value.
        auto* zoomBox = modal.findChild<QComboBox*>();
        zoomBox->setCurrentIndex(0);
        QTest::qWait(50);
        percentages << VisibleTexts(modal).filter(QStringLiteral("%"));
        zoomBox->lineEdit()->setText(QStringLiteral("37,5%"));
        QMetaObject::invokeMethod(zoomBox->lineEdit(), "editingFinished");
        percentages << zoomBox->currentText();
        typedZoom = modal.findChild<QPrintPreviewWidget*>()->zoomFactor();
        OnModal([&](QWidget& print) {
            auto* dialog = qobject_cast<QPrintDialog*>(&print);
            if (!dialog) return false;
            for (QPushButton* options : dialog->findChildren<QPushButton*>()) {
                if (options->text() == QCoreApplication::translate("QPrintDialog", "&Options >>")) options->click();
            }
            english << EnglishWords(TextsOnEveryTab(*dialog));
            for (QPushButton* more : dialog->findChildren<QPushButton*>()) {
                if (more->objectName() == QStringLiteral("properties")) {
                    // Runs after this handler has returned: `dialog` is taken by value.
                    OnModal([&english, dialog](QWidget& properties) {
                        if (&properties == dialog) return false;
                        english << EnglishWords(TextsOnEveryTab(properties));
                        qobject_cast<QDialog*>(&properties)->reject();
                        return true;
                    });
                    QMetaObject::invokeMethod(more, "click", Qt::QueuedConnection);
                }
            }
            QTimer::singleShot(500, dialog, &QDialog::reject);
            return true;
        });
        for (QAction* action : modal.findChildren<QAction*>()) {
            if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) QMetaObject::invokeMethod(action, "trigger", Qt::QueuedConnection);
        }
        QTimer::singleShot(1500, &modal, [&modal] { qobject_cast<QDialog*>(&modal)->reject(); });
        return true;
    });
    window->printAction()->trigger();
    EXPECT_TRUE(english.isEmpty()) << english.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(percentages.contains(QStringLiteral("12,5%"))) << percentages.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(percentages.filter(QRegularExpression(QStringLiteral("\\d\\.\\d"))), QStringList()) << "a decimal comma";
    EXPECT_EQ(percentages.last(), QStringLiteral("37,5%"));
    EXPECT_DOUBLE_EQ(typedZoom, 0.375) << "a typed zoom with a comma is taken";
}

}  // namespace
}  // namespace tamirel
