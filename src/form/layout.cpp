#include "form/layout.h"

#include "explanation_text.h"   // generated from resources/explanation.txt

namespace tamirel {

std::string ControlSpec::QualifiedName() const {
    return index < 0 ? std::string(name) : std::string(name) + "(" + std::to_string(index) + ")";
}

std::string_view ExplanationText() { return {kExplanationBytes, sizeof kExplanationBytes}; }

namespace {

using K = ControlKind;

constexpr Colour kCaptionColor = Rgb(255, 192, 128);

constexpr std::string_view kLineTypes[] = {"0 - Solid", "1 - Dash", "2 - Dot", "3 - Dash-dot", "4 - Dash-dot-dot",
                                           "5 - Transparent", "6 - InsideSolid"};
constexpr std::string_view kRadii[] = {"500", "450", "400", "350", "300", "250", "200", "150"};
constexpr std::string_view kCounts[] = {"3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11",
                                        "12", "13", "14", "15", "16", "17", "18", "19", "20"};

constexpr ControlSpec kLayout[] = {
    {"Picture1", -1, K::PictureBox, 120, 480, 4000, 4000, 0, {}, {}, {}, "Чертеж"},
    {"Command1", 0, K::Button, 4320, 3240, 1455, 375, 1, "Чертай", Rgb(128, 255, 128), {}, {}},
    {"Label1", 0, K::Label, 4200, 480, 975, 405, 2, "Радиус", kCaptionColor, {}, {}},
    {"Label1", 1, K::Label, 5280, 480, 975, 405, 3, "Върхове", kCaptionColor, {}, {}},
    {"Label1", 2, K::Label, 1200, 0, 5895, 375, 4, "Tamirel", kCaptionColor, {}, {}},
    {"List1", 0, K::List, 6360, 840, 1695, 2055, 5, {}, {}, kLineTypes, "Вид линия"},
    {"Label1", 3, K::Label, 6360, 480, 1695, 375, 6, "Вид линия", kCaptionColor, {}, {}},
    {"Command1", 1, K::Button, 6240, 3960, 1455, 375, 7, "Чисти", Rgb(255, 0, 0), {}, {}},
    {"List1", 1, K::List, 4200, 840, 975, 2055, 8, {}, {}, kRadii, "Радиус"},
    {"List1", 2, K::List, 5280, 840, 975, 2055, 9, {}, {}, kCounts, "Върхове"},
    {"Text1", -1, K::TextBox, 120, 4560, 7935, 1815, 10, {kExplanationBytes, sizeof kExplanationBytes}, {}, {},
     "Обяснение"},
};

}  // namespace

std::vector<std::string> ListItems(int index) {
    for (const ControlSpec& row : kLayout) {
        if (row.kind == ControlKind::List && row.index == index) return {row.items.begin(), row.items.end()};
    }
    return {};
}

std::span<const ControlSpec> MainWindowLayout() { return kLayout; }

}  // namespace tamirel
