#include "window/layout.h"

#include <QtCore/QFile>
#include <QtGui/QFont>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include "controls/qt/qt_colour.h"
#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"

namespace tamirel {

namespace {

constexpr Colour kCaptionColor = Rgb(255, 192, 128);

// A button that Return and Enter press while it has the focus, as Space does, without ever
// being a default button that Enter on another control would press.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers plain = event->modifiers() & ~Qt::KeypadModifier;
        if (enter && plain == Qt::NoModifier && !event->isAutoRepeat()) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

}  // namespace

const QString& ExplanationText() {
    static const QString text = [] {
        QFile file(QStringLiteral(":/tamirel/explanation.txt"));
        file.open(QIODevice::ReadOnly);   // compiled in: it cannot be missing
        return QString::fromUtf8(file.readAll());
    }();
    return text;
}

const std::vector<ControlSpec>& MainWindowLayout() {
    using K = ControlKind;
    static const std::vector<ControlSpec> layout = {
        {"Picture1", -1, K::PictureBox, 120, 480, 4000, 4000, 0, {}, {}, {}, QStringLiteral("Чертеж")},
        {"Command1", 0, K::Button, 4320, 3240, 1455, 375, 1, QStringLiteral("Чертай"), Rgb(128, 255, 128), {}, {}},
        {"Label1", 0, K::Label, 4200, 480, 975, 405, 2, QStringLiteral("Радиус"), kCaptionColor, {}, {}},
        {"Label1", 1, K::Label, 5280, 480, 975, 405, 3, QStringLiteral("Върхове"), kCaptionColor, {}, {}},
        {"Label1", 2, K::Label, 1200, 0, 5895, 375, 4, QStringLiteral("Tamirel"), kCaptionColor, {}, {}},
        {"List1", 0, K::List, 6360, 840, 1695, 2055, 5, {}, {},
         {"0 - Solid", "1 - Dash", "2 - Dot", "3 - Dash-dot", "4 - Dash-dot-dot", "5 - Transparent",
          "6 - InsideSolid"},
         QStringLiteral("Вид линия")},
        {"Label1", 3, K::Label, 6360, 480, 1695, 375, 6, QStringLiteral("Вид линия"), kCaptionColor, {}, {}},
        {"Command1", 1, K::Button, 6240, 3960, 1455, 375, 7, QStringLiteral("Чисти"), Rgb(255, 0, 0), {}, {}},
        {"List1", 1, K::List, 4200, 840, 975, 2055, 8, {}, {},
         {"500", "450", "400", "350", "300", "250", "200", "150"},
         QStringLiteral("Радиус")},
        {"List1", 2, K::List, 5280, 840, 975, 2055, 9, {}, {},
         {"3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"},
         QStringLiteral("Върхове")},
        {"Text1", -1, K::TextBox, 120, 4560, 7935, 1815, 10, ExplanationText(), {}, {}, QStringLiteral("Обяснение")},
    };
    return layout;
}

void SetBackground(QWidget& widget, QPalette::ColorRole role, Colour colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, ToQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

namespace {

QWidget* Create(QWidget& form, const ControlSpec& row, Controls& controls) {
    switch (row.kind) {
        case ControlKind::PictureBox:
            return controls.Picture1 = new QtPictureBox(&form);
        case ControlKind::List:
            return controls.List1.at(row.index) = new QtListBox(row.index, row.items, &form);
        case ControlKind::Button: {
            auto* button = new CommandButton(row.text, &form);
            button->setAutoDefault(false);
            button->setDefault(false);
            if (row.backColor) {
                // A flat face in exactly the given colour with a raised edge; a style's own
                // gradient would lighten it.
                const QString colour = ToQColor(*row.backColor).name();
                button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 2px outset %1; }"
                                                     "QPushButton:pressed { border-style: inset; }"
                                                     "QPushButton:focus { border-color: black; }")
                                          .arg(colour));
            }
            return controls.Command1.at(row.index) = button;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(row.text, &form);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            if (row.backColor) SetBackground(*label, QPalette::Window, *row.backColor);
            return controls.Label1.at(row.index) = label;
        }
        case ControlKind::TextBox: {
            auto* text = new QPlainTextEdit(&form);
            // Shown with one paragraph a line; the text itself keeps its CR LF line ends.
            text->setPlainText(QString(row.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            text->setReadOnly(true);
            text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            text->setTabChangesFocus(true);
            return controls.Text1 = text;
        }
    }
    return nullptr;
}

}  // namespace

Controls BuildControls(QWidget& form, const std::vector<ControlSpec>& layout) {
    Controls controls;
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(kFontPixelSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::Serif);

    std::vector<QWidget*> tabOrder;   // the table is in tab-index order
    for (const ControlSpec& row : layout) {
        QWidget* widget = Create(form, row, controls);
        widget->setObjectName(row.index < 0 ? QString::fromLatin1(row.name)
                                             : QStringLiteral("%1(%2)").arg(QLatin1String(row.name)).arg(row.index));
        widget->setGeometry(ToPixels(row.left), ToPixels(row.top), ToPixels(row.width), ToPixels(row.height));
        widget->setFont(font);
        if (!row.accessibleName.isEmpty()) widget->setAccessibleName(row.accessibleName);
        if (widget->focusPolicy() != Qt::NoFocus) tabOrder.push_back(widget);
    }
    for (QtListBox* list : controls.List1) list->raise();

    for (std::size_t i = 1; i < tabOrder.size(); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    return controls;
}

}  // namespace tamirel
