#include "window/tamirel_window.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QShortcut>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include "controls/qt/drawing_export.h"
#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"
#include "geometry/draw_polygon.h"
#include "window/focus_ring.h"

namespace tamirel {

QString ErrorMessage(const RuntimeError& error) {
    return QStringLiteral("Грешка при изпълнение %1:\n%2")
        .arg(error.number())
        .arg(QString::fromStdString(error.description()));
}

Tamirel::Tamirel(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Tamirel"));
    setWindowTitle(QStringLiteral("Tamirel"));
    setFixedSize(ToPixels(kClientWidth), ToPixels(kClientHeight));
    SetBackground(*this, QPalette::Window, kFormBackColor);

    controls_ = BuildControls(*this, MainWindowLayout());
    new FocusRing(*this);
    for (std::size_t i = 0; i < controls_.Command1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        connect(controls_.Command1[i], &QPushButton::clicked, this,
                [this, index] { Notify([=, this] { Command1_Click(index); }); });
    }
    for (QtListBox* list : controls_.List1) {
        connect(list, &QtListBox::Click, this, [this](std::int16_t index) { Notify([=, this] { List1_Click(index); }); });
    }

    reportError_ = [this](const RuntimeError& error) {
        QMessageBox::critical(this, windowTitle(), ErrorMessage(error));
    };

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

    // A right click arrives as a context menu request. The keyboard's ways are shortcuts of
    // their own: not every platform turns the Menu key into a request, and none Shift+F10.
    canvas.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&canvas, &QWidget::customContextMenuRequested, this, &Tamirel::ShowCanvasMenu);
    auto* menuKeys = new QShortcut(&canvas);
    menuKeys->setKeys({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    menuKeys->setContext(Qt::WidgetShortcut);
    connect(menuKeys, &QShortcut::activated, this, [this] { ShowCanvasMenu(controls_.Picture1->rect().center()); });

    connect(&canvas, &QtPictureBox::drawingChanged, this, [this] {
        if (!controls_.Picture1->drawing().primitives.empty() || shown_.empty()) return;
        shown_.clear();
        DescribeCanvas();
    });
    DescribeCanvas();

    chooseSavePath_ = [this](const QString& folder) {
        QFileDialog dialog(this, QStringLiteral("Запази като"), folder,
                           QStringLiteral("Изображение PNG (*.png);;Рисунка SVG (*.svg)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("png"));
        dialog.selectFile(QStringLiteral("tamirel.png"));
        connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(filter.contains(QLatin1String("*.svg")) ? QStringLiteral("svg") : QStringLiteral("png"));
        });
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
}

void Tamirel::Notify(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const RuntimeError& error) {
        reportError_(error);
    }
}

void Tamirel::Form_Load() {
    controls_.Picture1->SetScaleHeight(1000);
    controls_.Picture1->SetScaleWidth(1000);
    controls_.List1[0]->SetListIndex(0);
    ResetAll();
}

void Tamirel::ResetAll() {
    controls_.Picture1->SetBackColor(Rgb(255, 255, 255));
    controls_.Picture1->Cls();
    for (QtListBox* list : controls_.List1) list->SetListIndex(0);
    controls_.Picture1->SetDrawStyle(controls_.List1[0]->ListIndex());
}

void Tamirel::Command1_Click(std::int16_t index) {
    switch (index) {
        case 0: DrawPolygon(); break;   // "Чертай": on top of what is there
        case 1: ResetAll(); break;      // "Чисти"
        default: break;
    }
}

void Tamirel::List1_Click(std::int16_t index) {
    if (index != 0) return;   // radius and vertex count take effect at the next draw
    controls_.Picture1->SetDrawStyle(controls_.List1[0]->ListIndex());
    controls_.Picture1->Cls();
    DrawPolygon();
}

void Tamirel::DrawPolygon() {
    const QtListBox& radii = *controls_.List1[1];
    const QtListBox& counts = *controls_.List1[2];
    tamirel::DrawPolygon(*controls_.Picture1, radii, counts);
    if (controls_.Picture1->DrawStyle() == kTransparent) return;   // drawn, but nothing shows
    shown_.push_back({radii.List(radii.ListIndex()), counts.List(counts.ListIndex())});
    DescribeCanvas();
}

QString Tamirel::Description() const { return QString::fromStdString(DescribeFigures(shown_)); }

void Tamirel::DescribeCanvas() {
    const QString text = Description();
    controls_.Picture1->setAccessibleDescription(text);
    controls_.Picture1->setToolTip(text);
}

void Tamirel::ShowCanvasMenu(const QPoint& at) {
    // One key can bring both a context menu request and the shortcut (X11 sends both for the
    // Menu key): a request while the menu is open is the same request.
    if (menuOpen_) return;
    menuOpen_ = true;
    const auto closed = qScopeGuard([this] { menuOpen_ = false; });
    QMenu menu(this);
    menu.addAction(copy_);
    menu.addAction(save_);
    menu.exec(controls_.Picture1->mapToGlobal(at));
}

void Tamirel::CopyDrawing() {
    QGuiApplication::clipboard()->setMimeData(DrawingToMimeData(controls_.Picture1->drawing(), Description()));
}

void Tamirel::SaveDrawingAs() {
    const QString folder = saveFolder_.isEmpty() ? QDir::homePath() : saveFolder_;
    const QString path = chooseSavePath_(folder);
    if (path.isEmpty()) return;
    saveFolder_ = QFileInfo(path).absolutePath();
    const QString error = SaveDrawing(controls_.Picture1->drawing(), Description(), path);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Чертежът не беше запазен в „%1“.\n%2").arg(QDir::toNativeSeparators(path), error));
    }
}

}  // namespace tamirel
