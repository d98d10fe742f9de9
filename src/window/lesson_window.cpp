#include "window/lesson_window.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPagedPaintDevice>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtGui/QShortcut>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <algorithm>
#include <cmath>

#include "controls/qt/drawing_export.h"
#include "form/layout.h"
#include "window/build_controls.h"
#include "window/construction_panel.h"
#include "window/drawing_files.h"
#include "window/focus_ring.h"
#include "window/print_preview.h"
#include "window/scene_painter.h"
#include "window/scene_view.h"
#include "window/zoom.h"

namespace tamirel {

namespace {

constexpr int kTextPixels = 18;    // the numbers' letters at 100 %
constexpr int kTitlePixels = 24;
constexpr int kFigurePixels = 520;        // the figure's preferred side at 100 %
constexpr int kLeastFigurePixels = 260;   // and its least, before the texts get smaller
constexpr int kLeastTextPercent = 50;     // the texts' least size, for the smallest screens
constexpr int kNumberCount = 7;

int Scaled(int pixels, int percent) { return (pixels * percent + 50) / 100; }

// A text a screen reader reads and the keyboard reaches (Tab), whose words can be selected
// and copied. Its lines are never broken (a formula stands whole), so the window's least size
// holds every line.
QLabel* ReadableText(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

// The lesson's page on a printer or a PDF writer, within the device's margins; false when the
// device would not begin or finish.
bool PaintLesson(QPagedPaintDevice& device, const Lesson& lesson) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    PaintLessonPage(painter, lesson, QRectF(0, 0, page.width(), page.height()));
    return painter.end();
}

// Forgets the sizes `layout` and the layouts in it have worked out, which a layout keeps until
// it is next activated.
void Invalidate(QLayout& layout) {
    layout.invalidate();
    for (int i = 0; i < layout.count(); ++i)
        if (QLayout* inner = layout.itemAt(i)->layout()) Invalidate(*inner);
}

}  // namespace

QImage LessonToImage(const Lesson& lesson) {
    QImage image(qRound(LessonPageWidth()), qRound(LessonPageHeight(lesson)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintLessonPage(painter, lesson, QRectF(0, 0, image.width(), image.height()));
    return image;
}

QMimeData* LessonToMimeData(const Lesson& lesson) {
    return PictureMimeData(LessonToImage(lesson), QByteArray::fromStdString(LessonToSvg(lesson)),
                           QString::fromStdString(lesson.Description()));
}

LessonWindow::LessonWindow(const ListBox& radii, const ListBox& counts, int percent, QWidget* parent,
                           AreaMeasure area)
    : QWidget(parent, Qt::Window), radii_(radii), counts_(counts), availableArea_(std::move(area)), percent_(percent) {
    setObjectName(QStringLiteral("Lesson"));
    setAttribute(Qt::WA_DeleteOnClose);
    SetBackground(*this, QPalette::Window, Rgb(255, 255, 255));

    // Every control is a direct child, placed by the layouts, so the focus ring can go round it.
    page_ = new QBoxLayout(QBoxLayout::TopToBottom, this);
    page_->setContentsMargins(12, 12, 12, 12);
    page_->setSpacing(16);
    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    page_->addLayout(body, 1);
    figure_ = new SceneView(this);
    figure_->setObjectName(QStringLiteral("Figure"));
    figure_->setAccessibleName(QStringLiteral("Чертеж на урока"));
    body->addWidget(figure_, 3);

    column_ = new QVBoxLayout;
    column_->setSpacing(8);
    body->addLayout(column_, 2);
    title_ = ReadableText(this);
    title_->setObjectName(QStringLiteral("Title"));
    column_->addWidget(title_);
    givens_ = ReadableText(this);
    column_->addWidget(givens_);
    for (int i = 0; i < kNumberCount; ++i) {
        numbers_.push_back(ReadableText(this));
        numbers_.back()->setObjectName(QStringLiteral("Number%1").arg(i));
        column_->addWidget(numbers_.back());
    }
    diagonals_ = new QCheckBox(QStringLiteral("Диагонали от A (Ctrl+D)"), this);
    diagonals_->setObjectName(QStringLiteral("Diagonals"));
    column_->addWidget(diagonals_);
    column_->addStretch(1);

    copy_ = Command(QStringLiteral("Копирай"), QKeySequence::Copy);
    connect(copy_, &QAction::triggered, this, &LessonWindow::CopyLesson);
    save_ = Command(QStringLiteral("Запази като…"), QKeySequence::Save);
    connect(save_, &QAction::triggered, this, &LessonWindow::SaveLessonAs);
    print_ = Command(QStringLiteral("Печат…"), QKeySequence::Print);
    connect(print_, &QAction::triggered, this, &LessonWindow::PrintLesson);
    QAction* closing = Command(QStringLiteral("Затвори"), QKeySequence(Qt::Key_Escape));
    connect(closing, &QAction::triggered, this, &QWidget::close);
    toggleDiagonals_ = new QAction(QStringLiteral("Диагонали от A"), this);
    toggleDiagonals_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(toggleDiagonals_);
    connect(toggleDiagonals_, &QAction::triggered, diagonals_, &QCheckBox::toggle);
    connect(diagonals_, &QCheckBox::toggled, this, &LessonWindow::Refresh);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(8);
    for (QAction* action : {copy_, save_, print_, closing}) {
        auto* button = new QPushButton(action->text(), this);
        button->setAutoDefault(false);
        button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        commands->addWidget(button);
        buttons_.push_back(button);
    }
    column_->addLayout(commands);
    // Below the figure or beside the numbers: its construction, step by step.
    construction_ = new ConstructionPanel(*this);
    page_->addLayout(construction_->layout(), 1);
    focusRing_ = new FocusRing(*this);

    chooseSavePath_ = [this](const QString& folder) {
        return AskSavePath(this, folder, QStringLiteral("tamirel-urok.png"));
    };
    Refresh();
    SetZoom(percent);
}

QAction* LessonWindow::Command(const QString& text, const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

void LessonWindow::Refresh() {
    lesson_ = MakeLesson(radii_, counts_, diagonals_->isChecked());
    const QString title = QString::fromStdString(lesson_.title);
    setWindowTitle(title.isEmpty() ? QStringLiteral("Урок") : title);
    title_->setText(title.isEmpty() ? QString::fromStdString(lesson_.Description()) : title);
    givens_->setText(QString::fromStdString(lesson_.givens));
    for (std::size_t i = 0; i < numbers_.size(); ++i) {
        QLabel* label = numbers_[i];
        if (i >= lesson_.numbers.size()) {
            label->hide();
            continue;
        }
        const LessonNumber& n = lesson_.numbers[i];
        label->setText(QString::fromStdString(n.name + ":\n" + n.formula + " = " + n.putIn + " " + n.result));
        label->setAccessibleName(QString::fromStdString(n.Text()));
        label->show();
    }
    figure_->setScene(lesson_.scene);
    construction_->Follow(radii_, counts_);
    // A longer formula or sentence that no longer fits the window: laid out again.
    if (shownPercent_ > 0) {
        KeepNumbersWhole(shownPercent_);
        Invalidate(*layout());
        if (!Fits(size())) SetZoom(percent_);
    }
    figure_->setAccessibleDescription(QString::fromStdString(lesson_.Description()));
    figure_->setToolTip(figure_->accessibleDescription());
}

void LessonWindow::setAvailableArea(AreaMeasure measure) {
    availableArea_ = std::move(measure);
    SetZoom(percent_);
}

QSize LessonWindow::Room() const {
    const QSize area = availableArea_ ? availableArea_() : screen()->availableGeometry().size();
    // The frame's title bar and borders; before the window is first shown, a usual frame's.
    const QSize frame = isVisible() && frameGeometry().size() != size() ? frameGeometry().size() - size() : QSize(16, 48);
    return area - frame;
}

void LessonWindow::ApplyPercent(int percent) {
    setFont(LessonFont(Scaled(kTextPixels, percent)));
    title_->setFont(LessonFont(Scaled(kTitlePixels, percent), true));
    figure_->setMinimumSize(Scaled(kLeastFigurePixels, percent), Scaled(kLeastFigurePixels, percent));
    figure_->setPreferredSide(Scaled(kFigurePixels, percent));
    construction_->SetSizes(Scaled(kLeastFigurePixels, percent) * 3 / 4, Scaled(kFigurePixels, percent) * 3 / 4);
    // The check box's square and the buttons' frames at the texts' size, which may be less
    // than the application's.
    if (!buttonStyle_ || buttonStyle_->percent() != percent) {
        auto* style = new ZoomStyle(percent);
        style->setParent(this);
        for (QAbstractButton* button : findChildren<QAbstractButton*>()) button->setStyle(style);
        delete buttonStyle_;
        buttonStyle_ = style;
    }
    KeepNumbersWhole(percent);
    Invalidate(*layout());
}

// A least width set on a label stands in for its text's width; this one is never less.
void LessonWindow::KeepNumbersWhole(int percent) {
    for (QLabel* label : numbers_) label->setMinimumWidth(std::max(Scaled(420, percent), label->sizeHint().width()));
}

// Every layout places its items again, even those whose rectangle is the one they had.
void LessonWindow::Place(const QRect& area) {
    Invalidate(*layout());
    layout()->setGeometry(area);
}

bool LessonWindow::Fits(QSize room) const {
    const QSize least = layout()->totalMinimumSize();
    return least.width() <= room.width() && least.height() <= room.height();
}

void LessonWindow::Arrange(bool beside) {
    page_->setDirection(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // Beside, the construction keeps the width its keys need and the lesson's figure takes the
    // rest; below, the lesson's row takes three fifths of the height.
    page_->setStretch(0, beside ? 1 : 3);
    page_->setStretch(1, beside ? 0 : 2);
    construction_->Arrange(beside);
}

int LessonWindow::FittedPercent(QSize room) {
    int low = kLeastTextPercent, high = percent_;
    ApplyPercent(high);
    if (Fits(room)) return high;
    while (high - low > 1) {   // low fits (or is the least there is), high does not
        const int middle = (low + high) / 2;
        ApplyPercent(middle);
        (Fits(room) ? low : high) = middle;
    }
    return low;
}

void LessonWindow::SetZoom(int percent) {
    percent_ = percent;
    const QSize room = Room();
    // Of the construction beside the numbers (for wide screens) and below the figure, the one
    // that shows more, laid out on the whole room: the texts' size times the figures' sides.
    struct Fit {
        bool beside;
        int percent;
        long long shows;
    };
    Fit best{false, 0, -1};
    for (const bool beside : {true, false}) {
        Arrange(beside);
        const int fitted = FittedPercent(room);
        ApplyPercent(fitted);
        Place(QRect(QPoint(0, 0), room));
        const QSize a = figure_->geometry().size(), b = construction_->figure()->geometry().size();
        const long long shows = static_cast<long long>(fitted) *
                                (std::min(a.width(), a.height()) + std::min(b.width(), b.height()));
        if (shows > best.shows) best = {beside, fitted, shows};
    }
    Arrange(best.beside);
    ApplyPercent(best.percent);
    shownPercent_ = best.percent;
    beside_ = best.beside;
    focusRing_->SetZoom(best.percent);
    // As large as its contents want, never past the room.
    const QSize least = layout()->totalMinimumSize();
    setMinimumSize(least);
    resize(layout()->totalSizeHint().boundedTo(room).expandedTo(least));
    Place(rect());
    if (isVisible()) KeepOnScreen(*this, frameGeometry().topLeft());
    focusRing_->Follow();
}

// Ctrl+C, Ctrl+S and Ctrl+P act on the construction while its controls have the focus.
void LessonWindow::CopyLesson() {
    if (construction_->HasFocus()) return construction_->CopyStep();
    QGuiApplication::clipboard()->setMimeData(LessonToMimeData(lesson_));
}

void LessonWindow::SaveLessonAs() {
    if (construction_->HasFocus()) return construction_->SaveStepAs();
    const QString folder = saveFolder_.isEmpty() ? QDir::homePath() : saveFolder_;
    const QString path = chooseSavePath_(folder);
    if (path.isEmpty()) return;
    saveFolder_ = QFileInfo(path).absolutePath();
    const Lesson lesson = lesson_;
    const QString description = QString::fromStdString(lesson.Description());
    const QString error = SaveFile(
        {[&] { return PngBytes(LessonToImage(lesson)); }, [&] { return QByteArray::fromStdString(LessonToSvg(lesson)); },
         [&] {
             return PdfDocument([&](QPagedPaintDevice& device) { return PaintLesson(device, lesson); },
                                QString::fromStdString(lesson.title), description);
         }},
        path);
    if (!error.isEmpty()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Урокът не беше запазен в „%1“.\n%2").arg(QDir::toNativeSeparators(path), error));
    }
}

void LessonWindow::PrintLesson() {
    if (construction_->HasFocus()) return construction_->PrintHandout();
    const Lesson lesson = lesson_;
    PrintWithPreview(this, windowTitle(), QString::fromStdString(lesson.Description()),
                     [&](QPagedPaintDevice& device) { return PaintLesson(device, lesson); });
}

}  // namespace tamirel
