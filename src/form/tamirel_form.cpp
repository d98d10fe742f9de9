#include "form/tamirel_form.h"

#include "geometry/draw_polygon.h"

namespace tamirel {

TamirelForm::TamirelForm(PictureBox& picture1, const std::array<ListBox*, 3>& list1)
    : picture1_(picture1), list1_(list1) {}

void TamirelForm::Notify(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const RuntimeError& error) {
        if (reportError_) reportError_(error);
    }
}

void TamirelForm::Form_Load() {
    picture1_.SetScaleHeight(1000);
    picture1_.SetScaleWidth(1000);
    list1_[0]->SetListIndex(0);
    ResetAll();
}

void TamirelForm::ResetAll() {
    picture1_.SetBackColor(Rgb(255, 255, 255));
    Cls();
    for (ListBox* list : list1_) list->SetListIndex(0);
    picture1_.SetDrawStyle(list1_[0]->ListIndex());
}

void TamirelForm::Command1_Click(std::int16_t index) {
    switch (index) {
        case 0: DrawPolygon(); break;   // "Чертай": on top of what is there
        case 1: ResetAll(); break;      // "Чисти"
        default: break;
    }
}

void TamirelForm::List1_Click(std::int16_t index) {
    if (index != 0) return;   // radius and vertex count take effect at the next draw
    picture1_.SetDrawStyle(list1_[0]->ListIndex());
    Cls();
    DrawPolygon();
}

void TamirelForm::Cls() {
    picture1_.Cls();
    if (shown_.empty()) return;
    shown_.Clear();
    Described();
}

void TamirelForm::DrawPolygon() {
    const ListBox& radii = *list1_[1];
    const ListBox& counts = *list1_[2];
    tamirel::DrawPolygon(picture1_, radii, counts);
    // A figure cut short by an error is not added; a transparent one shows nothing.
    if (picture1_.DrawStyle() == kTransparent) return;
    shown_.Add({radii.List(radii.ListIndex()), counts.List(counts.ListIndex())});
    Described();
}

std::string ErrorMessage(const RuntimeError& error) {
    return "Грешка при изпълнение " + std::to_string(error.number()) + ":\n" + error.description();
}

void TamirelForm::Described() {
    if (describe_) describe_(Description());
}

}  // namespace tamirel
