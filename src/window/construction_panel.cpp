#include "window/construction_panel.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
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
#include "controls/qt/qt_colour.h"
#include "controls/whole_file.h"
#include "form/messages.h"
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

// The file dialogs' type for attempt files.
FileType AttemptFileType() {
    return {QString::fromStdString(Say(Message::AttemptFileType)), QString::fromLatin1(kAttemptExtension)};
}

}  // namespace

QKeySequence KeySequenceOf(const Key& key) {
    const Qt::Key name = kQtKeys[static_cast<std::size_t>(key.name)];
    return key.ctrl ? QKeySequence(Qt::CTRL | name) : QKeySequence(name);
}

QAction* AddCommandAction(QWidget& window, const CommandEntry& entry, QObject* parent) {
    auto* action = new QAction(QString::fromUtf8(entry.caption()), parent);
    QList<QKeySequence> keys;
    for (const Key& key : entry.keys) keys.append(KeySequenceOf(key));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    return action;
}

QPushButton* CommandButton(QWidget& parent, const CommandEntry& entry) {
    auto* button = new QPushButton(QString::fromUtf8(entry.caption()), &parent);
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

    // The rows as the table orders them; the keys belong to the whole window, one action a
    // key, except the files' Ctrl+C, Ctrl+S and Ctrl+P, which the window gives the construction
    // while its controls have the focus. Space on a focused button still presses it.
    moves_ = new KeyRows(6);
    files_ = new KeyRows(6);
    build_ = new KeyRows(6);
    tools_ = new KeyRows(6);
    edits_ = new KeyRows(6);
    attemptFiles_ = new KeyRows(6);
    const std::pair<CommandGroup, KeyRows*> rows[] = {{CommandGroup::Moves, moves_},        {CommandGroup::StepFiles, files_},
                                                      {CommandGroup::Build, build_},        {CommandGroup::Tools, tools_},
                                                      {CommandGroup::AttemptEdits, edits_}, {CommandGroup::AttemptFiles, attemptFiles_}};
    const std::pair<Command, void (ConstructionPanel::*)()> files[] = {
        {Command::StepCopy, &ConstructionPanel::CopyStep},       {Command::StepSave, &ConstructionPanel::SaveStepAs},
        {Command::StepPrint, &ConstructionPanel::PrintHandout},  {Command::AttemptCopy, &ConstructionPanel::CopyAttempt},
        {Command::AttemptSave, &ConstructionPanel::SaveAttemptAs}, {Command::AttemptPrint, &ConstructionPanel::PrintAttempt},
        {Command::AttemptOpen, &ConstructionPanel::OpenAttempt}};
    for (const CommandEntry& entry : LessonCommands()) {
        if (!(entry.faces & kDesktopFace)) continue;
        if (!IsConstructionCommand(entry)) continue;
        std::function<void()> run = [this, command = entry.command] { Run(command); };
        for (const auto& [command, slot] : files)
            if (command == entry.command) run = [this, slot = slot] { (this->*slot)(); };
        if (entry.group != CommandGroup::StepFiles && entry.group != CommandGroup::AttemptFiles) {
            for (const Key& key : entry.keys) {
                auto* action = new QAction(QString::fromUtf8(entry.caption()), this);
                action->setShortcut(KeySequenceOf(key));
                action->setShortcutContext(Qt::WindowShortcut);
                window.addAction(action);
                actions_.emplace_back(entry.command, action);
                const bool space = key.name == KeyName::Space && !key.ctrl;
                // One click: an animated one would click again when the key is let go, which the
                // button, still down, takes as its own press ("Пусни" would play and stop).
                connect(action, &QAction::triggered, this, [this, space, run] {
                    if (auto* focused = qobject_cast<QAbstractButton*>(window_.focusWidget()); space && focused) return focused->click();
                    run();
                });
            }
        }
        const auto row = std::find_if(std::begin(rows), std::end(rows), [&entry](const auto& r) { return r.first == entry.group; });
        if (row == std::end(rows)) continue;   // keys only
        QPushButton* button = CommandButton(window, entry);
        if (entry.group == CommandGroup::Tools) {
            // The tool in hand stands out from the back of the room: white on the highlight's
            // blue (6.3:1), bold.
            button->setCheckable(true);
            button->setStyleSheet(QStringLiteral("QPushButton:checked { background-color: %1; color: white; font-weight: bold; "
                                                 "border: 2px inset %1; }")
                                      .arg(ToQColor(InkColour(Ink::Highlight)).name()));
        }
        buttons_.emplace_back(entry.command, button);
        connect(button, &QPushButton::clicked, this, run);
        row->second->Add(button);
    }
    for (const auto& [group, keys] : rows) column->addLayout(keys);
    connect(figure_, &SceneView::tapped, this, &ConstructionPanel::PickAt);
    column->addStretch(1);

    timer_ = new QTimer(this);
    timer_->setInterval(kPlayMilliseconds);
    connect(timer_, &QTimer::timeout, this, [this] {
        player_.Tick();
        Show();
    });
    controls_ = {figure_, caption_, sentence_};
    for (const auto& [group, keys] : rows) controls_.insert(controls_.end(), keys->keys().begin(), keys->keys().end());
    chooseSavePath_ = [this](const QString& folder) {
        if (!building()) return AskSavePath(&window_, folder, QStringLiteral("tamirel-postroyavane.png"));
        return AskSavePath(&window_, folder, QStringLiteral("tamirel-opit.") + QString::fromLatin1(kAttemptExtension),
                           AttemptFileType());
    };
    chooseOpenPath_ = [this](const QString& folder) { return AskOpenPath(&window_, folder, AttemptFileType()); };
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

// Every row's, shown or not, so that the page keeps its arrangement when the pupil starts to build.
int ConstructionPanel::naturalTextWidth() const {
    int width = 0;
    for (const KeyRows* rows : {moves_, files_, build_, tools_, edits_, attemptFiles_}) width = std::max(width, rows->naturalWidth());
    return width;
}

void ConstructionPanel::FitText(int width) {
    for (KeyRows* rows : {moves_, files_, build_, tools_, edits_, attemptFiles_}) rows->Fit(width);
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
    const bool was = building();
    if (!RunPlayerCommand(command, player_)) return;
    // The picks' keys act anywhere, but Space on a focused button presses it: the figure,
    // where the picks go, takes the focus from "Построй сам".
    if (!was && building()) figure_->setFocus();
    Show(true);
}

void ConstructionPanel::PickAt(ScenePoint at, bool finger) {
    if (!building()) return;
    const double reach = (finger ? kTouchReachPixels : kMouseReachPixels) / figure_->pixelsPerUnit();
    player_.attempt().PickAt({at.x, at.y}, reach);
    Show(true);
}

void ConstructionPanel::Stop() {
    if (player_.Stop()) Show();
}

void ConstructionPanel::Show(bool answered) {
    const bool building = this->building();
    QString news;
    if (building) {
        const AttemptView view = player_.attempt().View();
        caption_->setText(QString::fromStdString(view.title + " — " + view.status));
        news = QString::fromStdString(view.said.empty() ? view.prompt : view.said);
        sentence_->setText(news);
        figure_->setScene(view.scene);
        figure_->setAccessibleName(news);
        figure_->setToolTip(QString::fromStdString(view.prompt));
    } else {
        const ConstructionView view = steps_.View();
        caption_->setText(QString::fromStdString(steps_.empty() ? std::string() : steps_.Title() + " — " + view.caption));
        sentence_->setText(QString::fromStdString(view.sentence));
        figure_->setScene(view.scene);
        // The figure is named by its step, for a reader that asks what has the focus; each
        // step shown is also told as news while the focus is in the window.
        news = QString::fromStdString(view.caption.empty() ? view.sentence : view.caption + ". " + view.sentence);
        figure_->setAccessibleName(news);
        figure_->setToolTip(news);
    }
    const QString described = QStringLiteral("Чертеж на построяването") +
                              (steps_.empty() ? QString() : QStringLiteral(": ") + QString::fromStdString(steps_.Title()));
    if (figure_->accessibleDescription() != described) figure_->setAccessibleDescription(described);
    // The worked construction's commands or the attempt's: of two sharing a key, one is shown.
    const auto shownNow = [building](Command command) {
        return building ? !IsStepCommand(CommandOf(command)) : !IsAttemptCommand(CommandOf(command));
    };
    for (const auto& [command, button] : buttons_) {
        const bool shown = shownNow(command);
        const bool enabled = CommandEnabled(command, player_);
        button->setText(QString::fromStdString(CommandCaption(command, player_)));
        button->setChecked(CommandOn(command, player_) && button->isCheckable());
        if ((!enabled || !shown) && button->hasFocus()) figure_->setFocus();   // where the keys still act
        button->setEnabled(enabled);
        button->setVisible(shown);
    }
    for (const auto& [command, action] : actions_) action->setEnabled(shownNow(command));
    QWidget* focused = QApplication::focusWidget();
    announcer_.Say(focused && window_.isAncestorOf(focused) ? focused : nullptr, news, answered && building);
    if (player_.playing() != timer_->isActive()) player_.playing() ? timer_->start() : timer_->stop();
    emit shown();
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

void ConstructionPanel::CopyAttempt() {
    if (!building()) return;
    const Picture picture = AttemptPicture(attempt());
    QGuiApplication::clipboard()->setMimeData(
        PictureMimeData(picture, QString::fromStdString(picture.title + ". " + picture.description)));
}

void ConstructionPanel::SaveAttemptAs() {
    if (!building()) return;
    SaveFileAs(
        &window_, chooseSavePath_, saveFolder_,
        [this](const QString& path) {
            if (QFileInfo(path).suffix().toLower().toStdString() != kAttemptExtension)
                return SavePicture(AttemptPicture(attempt()), path);
            return QString::fromStdString(WriteWholeFile(QFile::encodeName(path).toStdString(), AttemptToText(attempt().attempt())));
        },
        QString::fromStdString(Say(Message::AttemptNotSaved, {{"path", "%1"}})));
}

void ConstructionPanel::PrintAttempt() {
    if (!building()) return;
    PrintPicture(&window_, AttemptPicture(attempt()));
}

void ConstructionPanel::OpenAttempt() {
    const QString path = chooseOpenPath_(openFolder_.isEmpty() ? QDir::homePath() : openFolder_);
    if (path.isEmpty()) return;
    openFolder_ = QFileInfo(path).absolutePath();
    const auto refuse = [&](const std::string& reason) {
        const std::string notOpened = Say(Message::AttemptNotOpened, {{"path", QDir::toNativeSeparators(path).toStdString()}});
        QMessageBox::warning(&window_, window_.window()->windowTitle(), QString::fromStdString(notOpened + '\n' + reason));
    };
    // One byte more than an attempt may have, so that a larger file is refused as too large.
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.read(static_cast<qint64>(kLargestAttemptFile) + 1);
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        return refuse(Say(Message::AttemptUnreadable, {{"path", QDir::toNativeSeparators(path).toStdString()}}));
    try {
        player_.attempt().Open(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const AttemptFileError& error) {
        return refuse(error.what());
    }
    player_.Stop();
    figure_->setFocus();
    const Attempt& opened = attempt().attempt();
    emit figureOpened(opened.radius(), opened.n());
    Show();
}

}  // namespace tamirel
