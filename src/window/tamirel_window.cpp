#include "window/tamirel_window.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtGui/QShortcut>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QToolTip>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtPrintSupport/QPrintPreviewDialog>
#include <QtPrintSupport/QPrinter>
#include <algorithm>

#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"
#include "window/drawing_files.h"
#include "window/focus_ring.h"
#include "window/print_preview.h"
#include "window/zoom.h"
#include "window/lesson_window.h"

namespace tamirel {

Tamirel::Tamirel(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Tamirel"));
    setWindowTitle(QStringLiteral("Tamirel"));
    setFixedSize(ZoomedPixels(kClientWidth, zoom_), ZoomedPixels(kClientHeight, zoom_));
    ZoomApplication(zoom_);
    SetBackground(*this, QPalette::Window, kFormBackColor);

    controls_ = BuildControls(*this, MainWindowLayout());
    focusRing_ = new FocusRing(*this);
    form_ = std::make_unique<TamirelForm>(*controls_.Picture1,
                                          std::array<ListBox*, 3>{controls_.List1[0], controls_.List1[1], controls_.List1[2]});
    for (std::size_t i = 0; i < controls_.Command1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        connect(controls_.Command1[i], &QPushButton::clicked, this,
                [this, index] { form_->Notify([=, this] { form_->Command1_Click(index); }); });
    }
    for (QtListBox* list : controls_.List1) {
        connect(list, &QtListBox::Click, this,
                [this](std::int16_t index) { form_->Notify([=, this] { form_->List1_Click(index); }); });
    }
    form_->SetErrorReporter([this](const RuntimeError& error) {
        QMessageBox::critical(this, windowTitle(), QString::fromStdString(ErrorMessage(error)));
    });
    const auto describe = [this](const std::string& description) {
        const QString text = QString::fromStdString(description);
        controls_.Picture1->setAccessibleDescription(text);
        controls_.Picture1->setToolTip(text);
        // What a button drew or cleared, said when the button was pressed.
        announcer_.Say(qobject_cast<QAbstractButton*>(focusWidget()), text);
    };
    form_->SetDescriptionListener(describe);
    describe(form_->Description());

    QtPictureBox& canvas = *controls_.Picture1;
    copy_ = new QAction(QStringLiteral("Копирай"), this);
    copy_->setShortcut(QKeySequence::Copy);
    copy_->setShortcutContext(Qt::WidgetShortcut);
    canvas.addAction(copy_);
    connect(copy_, &QAction::triggered, this, &Tamirel::CopyDrawing);
    save_ = new QAction(QStringLiteral("Запази като…"), this);
    save_->setShortcut(QKeySequence::Save);
    save_->setShortcutContext(Qt::WindowShortcut);
    addAction(save_);
    connect(save_, &QAction::triggered, this, &Tamirel::SaveDrawingAs);
    print_ = WindowAction(QStringLiteral("Печат…"), {QKeySequence::Print});
    connect(print_, &QAction::triggered, this, &Tamirel::PrintDrawing);
    zoomIn_ = WindowAction(QStringLiteral("Увеличи"), {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn_, &QAction::triggered, this, [this] { StepZoom(+1); });
    zoomOut_ = WindowAction(QStringLiteral("Намали"), {QKeySequence::ZoomOut});
    connect(zoomOut_, &QAction::triggered, this, [this] { StepZoom(-1); });
    zoomNormal_ = WindowAction(QStringLiteral("Нормален размер"), {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(zoomNormal_, &QAction::triggered, this, [this] { SetZoom(100); });
    zoomFit_ = WindowAction(QStringLiteral("По размера на екрана"), {QKeySequence(Qt::CTRL | Qt::Key_9)});
    connect(zoomFit_, &QAction::triggered, this, [this] { SetZoom(FittedZoom()); });
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    lessonAction_ = WindowAction(QStringLiteral("Урок…"), {QKeySequence(Qt::Key_F1)});
    connect(lessonAction_, &QAction::triggered, this, &Tamirel::ShowLesson);
    availableArea_ = [this] { return screen()->availableGeometry().size(); };

    // A right click arrives as a context menu request. The keyboard's ways are shortcuts of
    // their own: not every platform turns the Menu key into a request, and none Shift+F10.
    canvas.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&canvas, &QWidget::customContextMenuRequested, this, &Tamirel::ShowCanvasMenu);
    auto* menuKeys = new QShortcut(&canvas);
    menuKeys->setKeys({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    menuKeys->setContext(Qt::WidgetShortcut);
    connect(menuKeys, &QShortcut::activated, this, [this] { ShowCanvasMenu(controls_.Picture1->rect().center()); });

    chooseSavePath_ = [this](const QString& folder) { return AskSavePath(this, folder, QStringLiteral("tamirel.png")); };
}

Tamirel::~Tamirel() = default;

QAction* Tamirel::WindowAction(const QString& text, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

void Tamirel::SetZoom(int percent) {
    zoom_ = percent;
    ZoomApplication(percent);
    setFixedSize(ZoomedPixels(kClientWidth, percent), ZoomedPixels(kClientHeight, percent));
    PlaceControls(*this, MainWindowLayout(), percent);
    controls_.Picture1->SetLineWidth(std::max(1, (percent + 50) / 100));
    focusRing_->SetZoom(percent);
    if (isVisible()) KeepOnScreen(*this, frameGeometry().topLeft());   // grown past the edge: back on
    if (lesson_) lesson_->SetZoom(percent);   // beside the window where it now stands
}

int Tamirel::FittedZoom() const {
    return tamirel::FittedZoom(availableArea_(), frameGeometry().size() - size());
}

void Tamirel::ShowLesson() {
    if (!lesson_) {
        lesson_ = new LessonWindow(*controls_.List1[1], *controls_.List1[2], zoom_, this, availableArea_);
        for (QtListBox* list : {controls_.List1[1], controls_.List1[2]}) {
            connect(list, &QListWidget::itemSelectionChanged, lesson_, &LessonWindow::Refresh);
        }
    }
    lesson_->show();
    lesson_->raise();
    lesson_->activateWindow();
}

void Tamirel::StepZoom(int direction) {
    static constexpr int kSteps[] = {100, 125, 150, 175, 200, 250, 300};
    const int fitted = FittedZoom();
    int next = zoom_;
    if (direction > 0) {
        // The next step when it fits; otherwise as far as the screen allows.
        next = std::max(zoom_, fitted);
        for (const int step : kSteps) {
            if (step > zoom_ && step <= fitted) {
                next = step;
                break;
            }
        }
    } else {
        for (const int step : kSteps) {
            if (step < zoom_) next = step;
        }
    }
    if (next != zoom_) SetZoom(next);
}

bool Tamirel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
        // A notch is 120 eighths of a degree; a touchpad sends less at a time.
        wheelAngle_ += wheel->angleDelta().y();
        for (; wheelAngle_ >= 120; wheelAngle_ -= 120) StepZoom(+1);
        for (; wheelAngle_ <= -120; wheelAngle_ += 120) StepZoom(-1);
        return true;
    }
    if (event->type() == QEvent::ToolTip && watched == controls_.Picture1) {
        const QtPictureBox& canvas = *controls_.Picture1;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           WrapToWidth(canvas.toolTip(), QToolTip::font(), canvas.drawingArea().width()),
                           controls_.Picture1);
        return true;
    }
    return false;
}

void Tamirel::PrintDrawing() { PrintPicture(this, CanvasPicture(*controls_.Picture1, form_->Description())); }

void Tamirel::ShowCanvasMenu(const QPoint& at) {
    // One key can bring both a context menu request and the shortcut (X11 sends both for the
    // Menu key): a request while the menu is open is the same request.
    if (menuOpen_) return;
    menuOpen_ = true;
    const auto closed = qScopeGuard([this] { menuOpen_ = false; });
    QMenu menu(this);
    menu.addActions({copy_, save_, print_});
    menu.addSeparator();
    menu.addActions({zoomIn_, zoomOut_, zoomNormal_, zoomFit_});
    menu.addSeparator();
    menu.addAction(lessonAction_);
    menu.exec(controls_.Picture1->mapToGlobal(at));
}

void Tamirel::CopyDrawing() {
    QGuiApplication::clipboard()->setMimeData(CanvasToMimeData(*controls_.Picture1, form_->Description()));
}

void Tamirel::SaveDrawingAs() {
    SavePictureAs(this, chooseSavePath_, saveFolder_, CanvasPicture(*controls_.Picture1, form_->Description()),
                  QStringLiteral("Чертежът не беше запазен в „%1“."));
}

}  // namespace tamirel
