#include "window/build_controls.h"

#include <QtGui/QFont>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include "controls/qt/qt_colour.h"
#include "controls/twips.h"
#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"

namespace tamirel {

namespace {

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

void SetBackground(QWidget& widget, QPalette::ColorRole role, Colour colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, ToQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

namespace {

QWidget* Create(QWidget& form, const ControlSpec& row, Controls& controls) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
        case ControlKind::PictureBox:
            return controls.Picture1 = new QtPictureBox(&form);
        case ControlKind::List: {
            auto* list = new QtListBox(row.index, row.items, &form);
            // The selected item as in every face, also while the list has no focus.
            QPalette palette = list->palette();
            for (const auto group : {QPalette::Active, QPalette::Inactive}) {
                palette.setColor(group, QPalette::Highlight, ToQColor(kSelectionBackColor));
                palette.setColor(group, QPalette::HighlightedText, ToQColor(kSelectionTextColor));
            }
            list->setPalette(palette);
            return controls.List1.at(row.index) = list;
        }
        case ControlKind::Button: {
            auto* button = new CommandButton(text, &form);
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
            auto* label = new QLabel(text, &form);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            if (row.backColor) SetBackground(*label, QPalette::Window, *row.backColor);
            return controls.Label1.at(row.index) = label;
        }
        case ControlKind::TextBox: {
            auto* box = new QPlainTextEdit(&form);
            // Shown with one paragraph a line; the text itself keeps its CR LF line ends.
            box->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            box->setReadOnly(true);
            box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setTabChangesFocus(true);
            return controls.Text1 = box;
        }
    }
    return nullptr;
}

}  // namespace

int ZoomedPixels(int twips, int percent) { return (ToPixels(twips) * percent + 50) / 100; }

Controls BuildControls(QWidget& form, std::span<const ControlSpec> layout) {
    Controls controls;
    std::vector<QWidget*> tabOrder;   // the table is in tab-index order
    for (const ControlSpec& row : layout) {
        QWidget* widget = Create(form, row, controls);
        widget->setObjectName(QString::fromStdString(row.QualifiedName()));
        if (!row.accessibleName.empty()) widget->setAccessibleName(QString::fromUtf8(row.accessibleName));
        if (widget->focusPolicy() != Qt::NoFocus) tabOrder.push_back(widget);
    }
    PlaceControls(form, layout, 100);
    for (QtListBox* list : controls.List1) list->raise();

    for (std::size_t i = 1; i < tabOrder.size(); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    return controls;
}

void PlaceControls(QWidget& form, std::span<const ControlSpec> layout, int percent) {
    const auto zoomed = [percent](int twips) { return ZoomedPixels(twips, percent); };
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize((kFontPixelSize * percent + 50) / 100);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::Serif);
    for (const ControlSpec& row : layout) {
        auto* widget = form.findChild<QWidget*>(QString::fromStdString(row.QualifiedName()), Qt::FindDirectChildrenOnly);
        if (!widget) continue;
        widget->setGeometry(zoomed(row.left), zoomed(row.top), zoomed(row.width), zoomed(row.height));
        widget->setFont(font);
        if (auto* list = qobject_cast<QtListBox*>(widget)) list->SetRowHeight((QtListBox::kRowHeight * percent + 50) / 100);
    }
}

}  // namespace tamirel
