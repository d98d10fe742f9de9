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
#include "window/startup.h"
#include "window_driver.h"

namespace tamirel {
namespace {

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
    EXPECT_FALSE(c().Command1[0]->isDefault() || c().Command1[0]->autoDefault());
    EXPECT_FALSE(c().Command1[1]->isDefault() || c().Command1[1]->autoDefault());
    // Where a list and its label overlap, the list is on top.
    const QRect overlap = c().Label1[0]->geometry() & c().List1[1]->geometry();
    ASSERT_FALSE(overlap.isEmpty());
    const QWidget* top = window->childAt(overlap.center());
    EXPECT_TRUE(top == c().List1[1] || c().List1[1]->isAncestorOf(top));
}

TEST_F(WindowTest, TabOrderFollowsTheTable) {
    std::vector<QString> order;
    QWidget* w = c().Picture1;
    for (int i = 0; i < 7; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus || !window->isAncestorOf(w) || w->parentWidget() != window.get())
            w = w->nextInFocusChain();
        order.push_back(w->objectName());
    }
    const std::vector<QString> expected = {"Picture1", "Command1(0)", "List1(0)", "Command1(1)",
                                           "List1(1)", "List1(2)",    "Text1"};
    EXPECT_EQ(order, expected);
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
    EXPECT_EQ(box.lineWrapMode(), QPlainTextEdit::WidgetWidth);
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
                                  QStringLiteral("Нормален размер"), QString(), QStringLiteral("Урок…")};
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
    EXPECT_EQ(window->copyAction()->shortcut(), QKeySequence(QKeySequence::Copy));
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
    EXPECT_EQ(description(), "Окръжност с радиус 500 и вписан правилен 3-ъгълник с вътрешен ъгъл 60°");
    Press(1);
    EXPECT_EQ(description(), "Празен чертеж");
}

TEST_F(WindowTest, EveryControlHasAnAccessibleName) {
    for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->objectName() == QStringLiteral("FocusRing")) continue;   // a mark, not a control
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
        if (w->objectName() != QStringLiteral("FocusRing")) places[w->objectName()] = w->geometry();
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
    Keys(*window, QKeySequence::ZoomIn, 6);
    EXPECT_EQ(window->zoom(), 125) << "150 % (821 x 647) would not fit an 800 x 600 screen";
}

}  // namespace
}  // namespace tamirel
