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
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <algorithm>

#include "controls/qt/drawing_export.h"
#include "form/layout.h"
#include "lesson/lesson.h"
#include "lesson/scene_draw.h"
#include "window/drawing_files.h"
#include "window/print_preview.h"
#include "window/scene_painter.h"
#include "window/scene_view.h"

namespace tamirel {

ConstructionPanel::ConstructionPanel(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("Construction"));
    auto* body = new QHBoxLayout;
    layout_ = body;
    body->setSpacing(16);
    figure_ = new SceneView(&window);
    figure_->setObjectName(QStringLiteral("ConstructionFigure"));
    figure_->setAccessibleName(QStringLiteral("Чертеж на построяването"));
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

    // The step keys belong to the whole window; Space on a focused button still presses it.
    const auto key = [&window, this](const QString& name, QList<QKeySequence> keys, void (ConstructionPanel::*slot)()) {
        auto* action = new QAction(name, this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QAction* home = key(QStringLiteral("Начало"), {QKeySequence(Qt::Key_Home)}, &ConstructionPanel::Home);
    QAction* back = key(QStringLiteral("Назад"), {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)}, &ConstructionPanel::Back);
    QAction* play = new QAction(QStringLiteral("Пусни"), this);
    play->setShortcut(QKeySequence(Qt::Key_Space));
    play->setShortcutContext(Qt::WindowShortcut);
    window.addAction(play);
    connect(play, &QAction::triggered, this, [this, &window] {
        if (auto* button = qobject_cast<QAbstractButton*>(window.focusWidget())) return button->animateClick();
        Play();
    });
    QAction* forward = key(QStringLiteral("Напред"), {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)}, &ConstructionPanel::Forward);
    QAction* end = key(QStringLiteral("Край"), {QKeySequence(Qt::Key_End)}, &ConstructionPanel::End);

    moves_ = new KeyRows(6);
    for (QAction* action : {home, back, play, forward, end}) {
        auto* button = new QPushButton(action->text(), &window);
        button->setAutoDefault(false);
        button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
        if (action == play) {
            play_ = button;
            connect(button, &QPushButton::clicked, this, &ConstructionPanel::Play);
        } else {
            connect(button, &QPushButton::clicked, action, &QAction::trigger);
        }
        moves_->Add(button);
    }
    column->addLayout(moves_);

    files_ = new KeyRows(6);
    const struct {
        QString text, keys;
        void (ConstructionPanel::*slot)();
    } commands[] = {
        {QStringLiteral("Копирай стъпката"), QStringLiteral("Ctrl+C"), &ConstructionPanel::CopyStep},
        {QStringLiteral("Запази стъпката…"), QStringLiteral("Ctrl+S"), &ConstructionPanel::SaveStepAs},
        {QStringLiteral("Печат на построяването…"), QStringLiteral("Ctrl+P"), &ConstructionPanel::PrintHandout},
    };
    for (const auto& command : commands) {
        auto* button = new QPushButton(command.text, &window);
        button->setAutoDefault(false);
        button->setToolTip(command.keys);
        connect(button, &QPushButton::clicked, this, command.slot);
        files_->Add(button);
    }
    column->addLayout(files_);
    column->addStretch(1);

    timer_ = new QTimer(this);
    timer_->setInterval(kPlayMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (!steps_.Forward()) return Stop();
        Show();
        if (steps_.step() == steps_.steps()) Stop();
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
    if (steps_.Follow(radii, counts)) {
        Stop();
        figure_->ResetZoom();
    }
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

bool ConstructionPanel::playing() const { return timer_->isActive(); }

void ConstructionPanel::Forward() {
    if (steps_.Forward()) Show();
}
void ConstructionPanel::Back() {
    Stop();
    if (steps_.Back()) Show();
}
void ConstructionPanel::Home() {
    Stop();
    if (steps_.Home()) Show();
}
void ConstructionPanel::End() {
    Stop();
    if (steps_.End()) Show();
}

void ConstructionPanel::Play() {
    if (playing()) return Stop();
    if (steps_.empty()) return;
    if (steps_.step() == steps_.steps()) {
        steps_.Home();
        Show();
    }
    timer_->start();
    play_->setText(QStringLiteral("Спри"));
}

void ConstructionPanel::Stop() {
    timer_->stop();
    if (play_) play_->setText(QStringLiteral("Пусни"));
}

void ConstructionPanel::Show() {
    const ConstructionView view = steps_.View();
    caption_->setText(QString::fromStdString(steps_.empty() ? std::string() : steps_.Title() + " — " + view.caption));
    sentence_->setText(QString::fromStdString(view.sentence));
    figure_->setScene(view.scene);
    figure_->setAccessibleDescription(QString::fromStdString(view.caption + ". " + view.sentence));
    figure_->setToolTip(figure_->accessibleDescription());
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
