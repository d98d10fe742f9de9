#include "window/construction_panel.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QAction>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QPagedPaintDevice>
#include <QtGui/QPainter>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <algorithm>
#include <iterator>

#include "controls/qt/drawing_export.h"
#include "form/layout.h"
#include "lesson/lesson.h"
#include "lesson/scene_draw.h"
#include "window/drawing_files.h"
#include "window/print_preview.h"
#include "window/scene_painter.h"
#include "window/scene_view.h"

namespace tamirel {

namespace {

// Qt's key for each KeyName, in its order.
constexpr Qt::Key kQtKeys[] = {Qt::Key_Home,   Qt::Key_End,      Qt::Key_Left,  Qt::Key_Right,  Qt::Key_Up, Qt::Key_Down,
                               Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape,
                               Qt::Key_C,      Qt::Key_D,        Qt::Key_O,     Qt::Key_P,      Qt::Key_S, Qt::Key_Y, Qt::Key_Z,
                               Qt::Key_1,      Qt::Key_2,        Qt::Key_3,     Qt::Key_4,      Qt::Key_5, Qt::Key_6};
static_assert(std::size(kQtKeys) == static_cast<std::size_t>(KeyName::Six) + 1);

}  // namespace

QAction* AddCommandAction(QWidget& window, const CommandEntry& entry, QObject* parent) {
    auto* action = new QAction(QString::fromStdString(entry.caption), parent);
    QList<QKeySequence> keys;
    for (const Key& key : entry.keys) {
        const Qt::Key name = kQtKeys[static_cast<std::size_t>(key.name)];
        keys.append(key.ctrl ? QKeySequence(Qt::CTRL | name) : QKeySequence(name));
    }
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

QPushButton* CommandButton(QWidget& parent, const CommandEntry& entry) {
    auto* button = new QPushButton(QString::fromStdString(entry.caption), &parent);
    button->setAutoDefault(false);
    button->setToolTip(QString::fromStdString(CommandTitle(entry)));
    return button;
}

ConstructionPanel::ConstructionPanel(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("Construction"));
    auto* body = new QHBoxLayout;
    layout_ = body;
    body->setSpacing(16);
    figure_ = new SceneView(&window);
    figure_->setObjectName(QStringLiteral("ConstructionFigure"));
    body->addWidget(figure_, 0, Qt::AlignLeft | Qt::AlignTop);

    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    body->addLayout(column, 1);
    const auto text = [&window](const char* name) {
        auto* label = new QLabel(&window);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus);
        return label;
    };
    caption_ = text("StepCaption");
    column->addWidget(caption_);
    sentence_ = text("StepSentence");
    column->addWidget(sentence_);

    // The moves' keys belong to the whole window; Space on a focused button still presses it.
    moves_ = new KeyRows(6);
    files_ = new KeyRows(6);
    const std::pair<Command, void (ConstructionPanel::*)()> files[] = {
        {Command::StepCopy, &ConstructionPanel::CopyStep},
        {Command::StepSave, &ConstructionPanel::SaveStepAs},
        {Command::StepPrint, &ConstructionPanel::PrintHandout}};
    for (const CommandEntry& entry : LessonCommands()) {
        if (!IsStepCommand(entry) || !(entry.faces & kDesktopFace)) continue;
        QPushButton* button = CommandButton(window, entry);
        buttons_.emplace_back(entry.command, button);
        if (entry.group == CommandGroup::StepFiles) {
            for (const auto& [command, slot] : files)
                if (command == entry.command) connect(button, &QPushButton::clicked, this, slot);
            files_->Add(button);
            continue;
        }
        const bool space = std::any_of(entry.keys.begin(), entry.keys.end(), [](Key k) { return k.name == KeyName::Space && !k.ctrl; });
        connect(AddCommandAction(window, entry, this), &QAction::triggered, this, [this, space, command = entry.command] {
            if (auto* focused = qobject_cast<QAbstractButton*>(window_.focusWidget()); space && focused) return focused->animateClick();
            Run(command);
        });
        connect(button, &QPushButton::clicked, this, [this, command = entry.command] { Run(command); });
        moves_->Add(button);
    }
    column->addLayout(moves_);
    column->addLayout(files_);
    column->addStretch(1);

    timer_ = new QTimer(this);
    timer_->setInterval(kPlayMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] {
        player_.Tick();
        Show();
    });
    controls_ = {figure_, caption_, sentence_};
    for (KeyRows* rows : {moves_, files_}) controls_.insert(controls_.end(), rows->keys().begin(), rows->keys().end());
    chooseSavePath_ = [this](const QString& folder) {
        return AskSavePath(&window_, folder, QStringLiteral("tamirel-postroyavane.png"));
    };
}

bool ConstructionPanel::HasFocus() const {
    return std::find(controls_.begin(), controls_.end(), window_.focusWidget()) != controls_.end();
}

void ConstructionPanel::Follow(const ListBox& radii, const ListBox& counts) {
    if (player_.Follow(radii, counts)) figure_->ResetZoom();
    Show();
}

void ConstructionPanel::Arrange(bool stacked) {
    layout_->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    layout_->setStretch(0, 0);   // the figure keeps the side the window gives it
    layout_->setStretch(1, 1);
}

int ConstructionPanel::naturalTextWidth() const { return std::max(moves_->naturalWidth(), files_->naturalWidth()); }

void ConstructionPanel::FitText(int width) {
    moves_->Fit(width);
    files_->Fit(width);
}

void KeyRows::Add(QWidget* button) {
    keys_.push_back(button);
    addWidget(button, 0, static_cast<int>(keys_.size()) - 1);
    columns_ = static_cast<int>(keys_.size());
}

int KeyRows::naturalWidth() const {
    int width = spacing() * (static_cast<int>(keys_.size()) - 1);
    for (const QWidget* key : keys_) width += key->sizeHint().width();
    return width;
}

void KeyRows::Fit(int width) {
    const int count = static_cast<int>(keys_.size());
    int widest = 0;
    for (const QWidget* key : keys_) widest = std::max(widest, key->sizeHint().width());
    const int columns = naturalWidth() <= width ? count : std::clamp((width + spacing()) / (widest + spacing()), 1, count);
    if (columns == columns_) return;
    columns_ = columns;
    for (QWidget* key : keys_) removeWidget(key);
    for (int i = 0; i < count; ++i) addWidget(keys_[static_cast<std::size_t>(i)], i / columns, i % columns);
}

void ConstructionPanel::Run(Command command) {
    if (RunPlayerCommand(command, player_)) Show();
}

void ConstructionPanel::Stop() {
    if (player_.Stop()) Show();
}

void ConstructionPanel::Show() {
    const ConstructionView view = steps_.View();
    caption_->setText(QString::fromStdString(steps_.empty() ? std::string() : steps_.Title() + " — " + view.caption));
    sentence_->setText(QString::fromStdString(view.sentence));
    figure_->setScene(view.scene);
    // The figure is named by its step, for a reader that asks what has the focus; each step
    // shown is also told as news while the focus is in the window.
    const QString step = QString::fromStdString(view.caption.empty() ? view.sentence : view.caption + ". " + view.sentence);
    figure_->setAccessibleName(step);
    figure_->setToolTip(step);
    const QString described = QStringLiteral("Чертеж на построяването") +
                              (steps_.empty() ? QString() : QStringLiteral(": ") + QString::fromStdString(steps_.Title()));
    if (figure_->accessibleDescription() != described) figure_->setAccessibleDescription(described);
    for (const auto& [command, button] : buttons_) {
        button->setText(QString::fromStdString(CommandCaption(command, player_)));
        const bool enabled = CommandEnabled(command, player_);
        if (!enabled && button->hasFocus()) figure_->setFocus();   // where the moves' keys still act
        button->setEnabled(enabled);
    }
    QWidget* focused = QApplication::focusWidget();
    announcer_.Say(focused && window_.isAncestorOf(focused) ? focused : nullptr, step);
    if (player_.playing() != timer_->isActive()) player_.playing() ? timer_->start() : timer_->stop();
}

void ConstructionPanel::CopyStep() {
    if (steps_.empty()) return;
    QGuiApplication::clipboard()->setMimeData(
        PictureMimeData(StepPicture(steps_, steps_.step()), QString::fromStdString(steps_.View().sentence)));
}

void ConstructionPanel::SaveStepAs() {
    if (steps_.empty()) return;
    SavePictureAs(&window_, chooseSavePath_, saveFolder_, StepPicture(steps_, steps_.step()),
                  QStringLiteral("Стъпката не беше запазена в „%1“."));
}

void ConstructionPanel::PrintHandout() {
    if (steps_.empty()) return;
    Stop();
    PrintPicture(&window_, HandoutPicture(steps_));
}

}  // namespace tamirel
