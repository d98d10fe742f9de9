// The main window's layout as data: every control with its place in twips, tab index, texts
// and colours. Each face turns the table into its own controls.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/colour.h"

namespace tamirel {

inline constexpr int kClientWidth = 8205;    // twips
inline constexpr int kClientHeight = 6465;   // twips
inline constexpr Colour kFormBackColor = Rgb(192, 192, 255);
inline constexpr const char* kFontFamily = "Times New Roman";
inline constexpr int kFontPixelSize = 16;    // 12 pt at 96 dpi, the same on every platform
// A list's selected item, in every face: white on blue, 6.3:1.
inline constexpr Colour kSelectionBackColor = Rgb(0x1a, 0x5f, 0xb4);
inline constexpr Colour kSelectionTextColor = Rgb(255, 255, 255);
// Label1(kTitleLabel) shows the program's title: the window's heading for assistive technology.
inline constexpr std::int16_t kTitleLabel = 2;

enum class ControlKind { PictureBox, Button, Label, List, TextBox };

// Texts are UTF-8; the table is constant data.
struct ControlSpec {
    const char* name;                // control (array) name
    std::int16_t index;              // Index within its control array; -1 for a single control
    ControlKind kind;
    int left, top, width, height;    // twips, from the client area's top-left corner
    int tabIndex;
    std::string_view text;                   // caption, label text or the text box's contents
    std::optional<Colour> backColor;         // none: the control's own default
    std::span<const std::string_view> items; // list items, in order
    std::string_view accessibleName;         // for assistive technology; buttons and labels use their text

    // "Picture1", or "List1(2)" for a member of a control array.
    std::string QualifiedName() const;
};

// In tab-index order.
std::span<const ControlSpec> MainWindowLayout();

// The items of list List1(index) in the table; none for an index without a list.
std::vector<std::string> ListItems(int index);

// The ten lines of the explanatory text, each ended by CR LF, byte for byte as shipped.
std::string_view ExplanationText();

}  // namespace tamirel
