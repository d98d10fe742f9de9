#include "window/tamirel_window.h"

#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"
#include "geometry/draw_polygon.h"

namespace tamirel {

QString ErrorMessage(const RuntimeError& error) {
    return QStringLiteral("Грешка при изпълнение %1:\n%2")
        .arg(error.number())
        .arg(QString::fromStdString(error.description()));
}

Tamirel::Tamirel(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Tamirel"));
    setWindowTitle(QStringLiteral("Tamirel"));
    setFixedSize(ToPixels(kClientWidth), ToPixels(kClientHeight));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(RedOf(kFormBackColor), GreenOf(kFormBackColor), BlueOf(kFormBackColor)));
    setPalette(palette);
    setAutoFillBackground(true);

    controls_ = BuildControls(*this, MainWindowLayout());
    for (std::size_t i = 0; i < controls_.Command1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        connect(controls_.Command1[i], &QPushButton::clicked, this,
                [this, index] { Notify([=, this] { Command1_Click(index); }); });
    }
    for (QtListBox* list : controls_.List1) {
        connect(list, &QtListBox::Click, this, [this](std::int16_t index) { Notify([=, this] { List1_Click(index); }); });
    }

    reportError_ = [this](const RuntimeError& error) {
        QMessageBox::critical(this, windowTitle(), ErrorMessage(error));
    };
}

void Tamirel::Notify(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const RuntimeError& error) {
        reportError_(error);
    }
}

void Tamirel::Form_Load() {
    controls_.Picture1->SetScaleHeight(1000);
    controls_.Picture1->SetScaleWidth(1000);
    controls_.List1[0]->SetListIndex(0);
    ResetAll();
}

void Tamirel::ResetAll() {
    controls_.Picture1->SetBackColor(Rgb(255, 255, 255));
    controls_.Picture1->Cls();
    for (QtListBox* list : controls_.List1) list->SetListIndex(0);
    controls_.Picture1->SetDrawStyle(controls_.List1[0]->ListIndex());
}

void Tamirel::Command1_Click(std::int16_t index) {
    switch (index) {
        case 0: DrawPolygon(); break;   // "Чертай": on top of what is there
        case 1: ResetAll(); break;      // "Чисти"
        default: break;
    }
}

void Tamirel::List1_Click(std::int16_t index) {
    if (index != 0) return;   // radius and vertex count take effect at the next draw
    controls_.Picture1->SetDrawStyle(controls_.List1[0]->ListIndex());
    controls_.Picture1->Cls();
    DrawPolygon();
}

void Tamirel::DrawPolygon() { tamirel::DrawPolygon(*controls_.Picture1, *controls_.List1[1], *controls_.List1[2]); }

}  // namespace tamirel
