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
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QScroller>
#include <QtWidgets/QStyle>
#include <algorithm>
#include <cmath>

#include "controls/qt/drawing_export.h"
#include "form/layout.h"
#include "geometry/numeric.h"
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
constexpr int kNumberCount = 7;

int Scaled(int pixels, int percent) { return (pixels * percent + 50) / 100; }

// A text a screen reader reads and the keyboard reaches (Tab), whose words can be selected
// and copied. Its lines break at spaces only where the page is narrower than they are.
QLabel* ReadableText(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::StrongFocus);
    return label;
}

// Forgets the sizes `layout` and the layouts in it have worked out, which a layout keeps until
// it is next activated.
void Invalidate(QLayout& layout) {
    layout.invalidate();
    for (int i = 0; i < layout.count(); ++i)
        if (QLayout* inner = layout.itemAt(i)->layout()) Invalidate(*inner);
}

}  // namespace

LessonWindow::LessonWindow(ListBox& radii, ListBox& counts, int percent, QWidget* parent,
                           AreaMeasure area)
    : QWidget(parent, Qt::Window), radii_(radii), counts_(counts), availableArea_(std::move(area)), percent_(percent) {
    setObjectName(QStringLiteral("Lesson"));
    setAttribute(Qt::WA_DeleteOnClose);
    SetBackground(*this, QPalette::Window, Rgb(255, 255, 255));

    // Every control is a direct child of the page, placed by the layouts, so the focus ring
    // can go round it; the page scrolls by the wheel, the scroll bars, Up and Down, Tab (to
    // the focused control) and one finger.
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("Page"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);
    frame->addWidget(scroll_);
    page_ = new QWidget;
    SetBackground(*page_, QPalette::Window, Rgb(255, 255, 255));
    page_->setAutoFillBackground(true);
    QScroller::grabGesture(scroll_->viewport(), QScroller::TouchGesture);

    rows_ = new QBoxLayout(QBoxLayout::TopToBottom, page_);
    body_ = new QBoxLayout(QBoxLayout::LeftToRight);
    rows_->addLayout(body_);
    figure_ = new SceneView(page_);
    figure_->setObjectName(QStringLiteral("Figure"));
    figure_->setAccessibleName(QStringLiteral("Чертеж на урока"));
    body_->addWidget(figure_, 0, Qt::AlignLeft | Qt::AlignTop);

    column_ = new QVBoxLayout;
    column_->setSpacing(8);
    body_->addLayout(column_, 1);
    title_ = ReadableText(page_);
    title_->setObjectName(QStringLiteral("Title"));
    column_->addWidget(title_);
    givens_ = ReadableText(page_);
    column_->addWidget(givens_);
    for (int i = 0; i < kNumberCount; ++i) {
        numbers_.push_back(ReadableText(page_));
        numbers_.back()->setObjectName(QStringLiteral("Number%1").arg(i));
        column_->addWidget(numbers_.back());
    }
    // The lesson's commands: their keys act anywhere in the window, Ctrl+C, Ctrl+S and Ctrl+P
    // on the construction while its controls have the focus.
    commands_ = new KeyRows(8);
    for (const CommandEntry& entry : LessonCommands()) {
        if (entry.group != CommandGroup::Lesson || !(entry.faces & kDesktopFace)) continue;
        QAction* action = AddCommandAction(*this, entry, this);
        if (entry.checkBox) {
            diagonals_ = new QCheckBox(QString::fromStdString(CheckBoxText(entry)), page_);
            diagonals_->setObjectName(QStringLiteral("Diagonals"));
            column_->addWidget(diagonals_);
            connect(action, &QAction::triggered, diagonals_, &QCheckBox::toggle);
            connect(diagonals_, &QCheckBox::toggled, this, &LessonWindow::Refresh);
            continue;
        }
        switch (entry.command) {
            case Command::LessonCopy: connect(action, &QAction::triggered, this, &LessonWindow::CopyLesson); break;
            case Command::LessonSave: connect(action, &QAction::triggered, this, &LessonWindow::SaveLessonAs); break;
            case Command::LessonPrint: connect(action, &QAction::triggered, this, &LessonWindow::PrintLesson); break;
            case Command::LessonClose: connect(action, &QAction::triggered, this, &QWidget::close); break;
            default: break;
        }
        QPushButton* button = CommandButton(*page_, entry);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        commands_->Add(button);
    }
    for (const auto& [key, action] : {std::pair{Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},
                                      std::pair{Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd}}) {
        auto* scrolling = new QAction(this);
        scrolling->setShortcut(QKeySequence(key));
        addAction(scrolling);
        scrolling_.push_back(scrolling);
        connect(scrolling, &QAction::triggered, scroll_,
                [this, action = action] { scroll_->verticalScrollBar()->triggerAction(action); });
    }
    column_->addLayout(commands_);
    column_->addStretch(1);
    // Below the figure or beside the numbers: its construction, step by step.
    construction_ = new ConstructionPanel(*page_);
    rows_->addLayout(construction_->layout());
    connect(construction_, &ConstructionPanel::figureOpened, this, &LessonWindow::ChooseFigure);
    connect(construction_, &ConstructionPanel::shown, this, [this] {
        for (QAction* scrolling : scrolling_) scrolling->setEnabled(!construction_->building());
    });
    rows_->addStretch(1);
    focusRing_ = new FocusRing(*page_);
    scroll_->setWidget(page_);

    chooseSavePath_ = [this](const QString& folder) {
        return AskSavePath(this, folder, QStringLiteral("tamirel-urok.png"));
    };
    Refresh();
    SetZoom(percent);
}

void LessonWindow::ChooseFigure(double radius, int n) {
    const auto choose = [](ListBox& list, double value) {
        for (std::int16_t i = 0; !list.List(i).empty(); ++i)
            if (TextToNumber(list.List(i)) == value) return list.SetListIndex(i);
    };
    choosing_ = true;
    choose(radii_, radius);
    choose(counts_, n);
    choosing_ = false;
    Refresh();
}

void LessonWindow::Refresh() {
    if (choosing_) return;
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
    // Longer formulas and another scene's readable side: the page is arranged again, as it
    // would be had the window opened on this figure.
    Invalidate(*rows_);
    Relayout();
    figure_->setAccessibleDescription(QString::fromStdString(lesson_.Description()));
    figure_->setToolTip(figure_->accessibleDescription());
}

void LessonWindow::setAvailableArea(AreaMeasure measure) {
    availableArea_ = std::move(measure);
    SetZoom(percent_);
}

void LessonWindow::SetZoom(int percent) {
    percent_ = percent;
    setFont(LessonFont(Scaled(kTextPixels, percent)));
    title_->setFont(LessonFont(Scaled(kTitlePixels, percent), true));
    for (SceneView* view : {figure_, construction_->figure()}) view->setPercent(percent);
    // The check box's square and the buttons' frames at the texts' size.
    if (!buttonStyle_ || buttonStyle_->percent() != percent) {
        auto* style = new ZoomStyle(percent);
        style->setParent(this);
        for (QAbstractButton* button : findChildren<QAbstractButton*>()) button->setStyle(style);
        delete buttonStyle_;
        buttonStyle_ = style;
    }
    const int margin = Scaled(12, percent), gap = Scaled(16, percent);
    rows_->setContentsMargins(margin, margin, margin, margin);
    rows_->setSpacing(gap);
    body_->setSpacing(gap);
    construction_->layout()->setSpacing(gap);
    scroll_->verticalScrollBar()->setSingleStep(fontMetrics().lineSpacing() * 2);
    focusRing_->SetZoom(percent);
    Invalidate(*rows_);
    Place();
    Relayout();
    focusRing_->Follow();
}

// The column's width with every line whole (and the numbers at least a usual width).
int LessonWindow::NaturalColumnWidth() const {
    int width = std::max(Scaled(420, percent_), commands_->naturalWidth());
    for (int i = 0; i < column_->count(); ++i) {
        const QWidget* w = column_->itemAt(i)->widget();
        if (!w || w->isHidden()) continue;
        const auto* label = qobject_cast<const QLabel*>(w);
        width = std::max(width, label ? QFontMetrics(label->font()).size(0, label->text()).width() + 2 * label->margin()
                                      : w->sizeHint().width());
    }
    return width;
}

int LessonWindow::LeastWidth() const {
    const QMargins margins = rows_->contentsMargins();
    const int least = std::max(figure_->readableSide(), construction_->figure()->readableSide());
    return least + margins.left() + margins.right() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void LessonWindow::Place() {
    const QSize size = availableArea_ ? availableArea_() : screen()->availableGeometry().size();
    const QRect area(screen()->availableGeometry().topLeft(), size);
    QWidget* main = parentWidget();
    // The window's frame: its own once shown, else the main window's, drawn by the same
    // window manager.
    const QSize frame = isVisible() ? frameGeometry().size() - this->size()
                        : main     ? main->frameGeometry().size() - main->size()
                                   : QSize();
    const int least = LeastWidth() + frame.width();
    QRect place(area.topLeft(), QSize(std::min(least, area.width()), area.height()));
    if (main && main->isVisible()) {
        QRect beside = main->frameGeometry();
        const int right = area.right() - beside.right(), left = beside.left() - area.left();
        if (std::max(left, right) >= std::max(least, area.width() / 2)) {
            place.setWidth(std::max(left, right));
            if (right >= left) place.moveLeft(beside.right() + 1);
        } else {
            // The main window's lists stand at its right, so the lesson covers its drawing;
            // never narrower than beside the main window at its normal size, so that a larger
            // zoom never makes the lesson's figure smaller.
            beside.moveRight(area.right());
            main->move(beside.topLeft());
            const int usual = area.width() - (ZoomedPixels(kClientWidth, 100) + beside.width() - main->width());
            place.setWidth(std::min(area.width(), std::max({least, beside.left() - area.left(), usual})));
        }
    }
    move(place.topLeft());
    resize(place.size() - frame);
}

void LessonWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void LessonWindow::Relayout() {
    if (arranging_ || !construction_) return;
    arranging_ = true;
    // The width with a vertical scroll bar, whether it shows or not, so that its coming and
    // going never arranges the page again.
    const QMargins margins = rows_->contentsMargins();
    const QSize view = scroll_->maximumViewportSize();
    const int width = view.width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - margins.left() - margins.right();
    const int height = view.height() - margins.top() - margins.bottom();
    const int gap = rows_->spacing();
    SceneView* second = construction_->figure();
    const int least = figure_->readableSide(), secondLeast = second->readableSide();
    const int numbers = NaturalColumnWidth(), text = construction_->naturalTextWidth();
    // Each figure as large as its room and the page's height allow, never below readable.
    const auto side = [height](int room, int readable) { return std::max(readable, std::min(room, height)); };
    // Each arrangement the width holds, with its two figures' sides; the first of them whose
    // lesson figure is at least four fifths of the largest any gives (texts beside the figures
    // where that costs little of them).
    struct Choice {
        Arrangement arrangement;
        int one, two;
    };
    std::vector<Choice> choices;
    const int free = width - numbers - 2 * gap;
    if (free / 2 >= std::max({least, secondLeast, text})) {
        const int one = side(free / 2, least);
        choices.push_back({Arrangement::ThreeColumns, one, side(free - one, secondLeast)});
    }
    if (width >= std::max(least + gap + numbers, secondLeast + gap + text))
        choices.push_back({Arrangement::TwoRows, side(width - gap - numbers, least), side(width - gap - text, secondLeast)});
    choices.push_back({Arrangement::OneColumn, side(width, least), side(width, secondLeast)});
    const Choice* chosen = &choices.back();
    for (const Choice& choice : choices) {
        if (5 * choice.one >= 4 * choices.back().one) {
            chosen = &choice;
            break;
        }
    }
    arrangement_ = chosen->arrangement;
    const int one = chosen->one, two = chosen->two;
    rows_->setDirection(arrangement_ == Arrangement::ThreeColumns ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    body_->setDirection(arrangement_ == Arrangement::OneColumn ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    construction_->Arrange(arrangement_ != Arrangement::TwoRows);
    figure_->setFixedSize(one, one);
    second->setFixedSize(two, two);
    // In one column the texts and keys take the page's width, their lines broken and the keys
    // in more rows where it is narrower than they want.
    const bool narrow = arrangement_ == Arrangement::OneColumn;
    for (QLabel* label : {title_, givens_}) label->setMinimumWidth(0);
    for (QLabel* label : numbers_) label->setMinimumWidth(narrow ? std::min(numbers, width) : numbers);
    commands_->Fit(narrow ? width : numbers);
    construction_->FitText(narrow ? width : text);
    // The layout places the controls and the scroll area sizes the page now, not when the
    // posted request arrives: a Refresh shows its figure laid out at once.
    Invalidate(*rows_);
    rows_->activate();
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(scroll_, &request);
    arranging_ = false;
    focusRing_->Follow();
}

// Ctrl+C, Ctrl+S and Ctrl+P act on the construction while its controls have the focus.
void LessonWindow::CopyLesson() {
    if (construction_->HasFocus()) return construction_->building() ? construction_->CopyAttempt() : construction_->CopyStep();
    QGuiApplication::clipboard()->setMimeData(
        PictureMimeData(LessonPicture(lesson_), QString::fromStdString(lesson_.Description())));
}

void LessonWindow::SaveLessonAs() {
    if (construction_->HasFocus()) return construction_->building() ? construction_->SaveAttemptAs() : construction_->SaveStepAs();
    SavePictureAs(this, chooseSavePath_, saveFolder_, LessonPicture(lesson_), QStringLiteral("Урокът не беше запазен в „%1“."));
}

void LessonWindow::PrintLesson() {
    if (construction_->HasFocus()) return construction_->building() ? construction_->PrintAttempt() : construction_->PrintHandout();
    PrintPicture(this, LessonPicture(lesson_));
}

}  // namespace tamirel
