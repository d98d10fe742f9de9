// The main window's layout as data: every control with its place in twips, tab index, text
// and colours. BuildControls turns the table into widgets.
#pragma once

#include <QtCore/QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QtGui/QPalette>

#include "controls/colour.h"
#include "controls/twips.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tamirel {

class QtListBox;
class QtPictureBox;

inline constexpr int kClientWidth = 8205;    // twips
inline constexpr int kClientHeight = 6465;   // twips
inline constexpr Colour kFormBackColor = Rgb(192, 192, 255);
inline constexpr const char* kFontFamily = "Times New Roman";
inline constexpr int kFontPixelSize = 16;    // 12 pt at 96 dpi, the same on every platform

enum class ControlKind { PictureBox, Button, Label, List, TextBox };

struct ControlSpec {
    const char* name;                // control (array) name
    std::int16_t index;              // Index within its control array; -1 for a single control
    ControlKind kind;
    int left, top, width, height;    // twips, from the client area's top-left corner
    int tabIndex;
    QString text;                    // caption, label text or the text box's contents
    std::optional<Colour> backColor; // none: the control's own default
    std::vector<std::string> items;  // list items, in order
    QString accessibleName;          // for assistive technology; buttons and labels use their text
};

// In tab-index order.
const std::vector<ControlSpec>& MainWindowLayout();

// The ten lines of the explanatory text, each ended by CR LF.
const QString& ExplanationText();

struct Controls {
    QtPictureBox* Picture1 = nullptr;
    std::array<QtListBox*, 3> List1{};
    std::array<QPushButton*, 2> Command1{};
    std::array<QLabel*, 4> Label1{};
    QPlainTextEdit* Text1 = nullptr;
};

// Gives `widget` the colour for `role` and has it fill its background with it.
void SetBackground(QWidget& widget, QPalette::ColorRole role, Colour colour);

// Creates the table's controls as children of `form`, with geometry, font, colours, texts
// and tab order; lists stay above the labels they overlap.
Controls BuildControls(QWidget& form, const std::vector<ControlSpec>& layout);

}  // namespace tamirel
