// Turns the rows of a layout table into Qt widgets.
#pragma once

#include <QtGui/QPalette>
#include <array>
#include <span>

#include "controls/colour.h"
#include "form/layout.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tamirel {

class QtListBox;
class QtPictureBox;

struct Controls {
    QtPictureBox* Picture1 = nullptr;
    std::array<QtListBox*, 3> List1{};
    std::array<QPushButton*, 2> Command1{};
    std::array<QLabel*, 4> Label1{};
    QPlainTextEdit* Text1 = nullptr;
};

// Gives `widget` the colour for `role` and has it fill its background with it.
void SetBackground(QWidget& widget, QPalette::ColorRole role, Colour colour);

// Logical pixels for `twips` at `percent` of the normal size: the 100 % size (15 twips a pixel)
// scaled and rounded, so 200 % is exactly twice 100 %.
int ZoomedPixels(int twips, int percent);

// Creates the table's controls as children of `form`, at 15 twips per logical pixel, with
// geometry, font, colours, texts, accessible names and tab order; lists stay above the
// labels they overlap.
Controls BuildControls(QWidget& form, std::span<const ControlSpec> layout);

// Gives the table's controls in `form` their places, sizes, fonts and list rows at `percent`
// of the normal size.
void PlaceControls(QWidget& form, std::span<const ControlSpec> layout, int percent);

}  // namespace tamirel
