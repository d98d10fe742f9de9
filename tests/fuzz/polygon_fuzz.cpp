// Fuzz target: arbitrary list texts through the number conversion and the polygon
// procedure, drawn and painted on the real canvas. Anything but the program's own
// RuntimeError escaping, a crash or undefined behaviour is a finding.
//
// Input: radius text, vertex-count text and scale text, separated by newlines; the first
// byte, when present, also picks the line style (invalid ones included).
#include <QtWidgets/QApplication>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "controls/qt/qt_picture_box.h"
#include "controls/runtime_error.h"
#include "geometry/draw_polygon.h"
#include "geometry/numeric.h"

namespace {

using namespace tamirel;

class Text : public ListBox {
public:
    explicit Text(std::string text) : text_(std::move(text)) {}
    std::int16_t ListIndex() const override { return text_.empty() ? -1 : 0; }
    void SetListIndex(std::int16_t) override {}
    std::string List(std::int16_t index) const override { return index == 0 ? text_ : std::string(); }

private:
    std::string text_;
};

// Huge vertex counts are slow, not wrong: the canvas stops the procedure after a budget.
struct Enough {};

class Bounded : public PictureBox {
public:
    explicit Bounded(PictureBox& inner) : inner_(inner) {}
    void SetScaleWidth(float u) override { inner_.SetScaleWidth(u); }
    void SetScaleHeight(float u) override { inner_.SetScaleHeight(u); }
    float ScaleWidth() const override { return inner_.ScaleWidth(); }
    float ScaleHeight() const override { return inner_.ScaleHeight(); }
    void SetBackColor(Colour c) override { inner_.SetBackColor(c); }
    void Cls() override { inner_.Cls(); }
    void SetDrawStyle(std::int16_t s) override { inner_.SetDrawStyle(s); }
    std::int16_t DrawStyle() const override { return inner_.DrawStyle(); }
    void Circle(float x, float y, float r) override { Spend(); inner_.Circle(x, y, r); }
    void PSet(float x, float y) override { Spend(); inner_.PSet(x, y); }
    void Line(float x, float y) override { Spend(); inner_.Line(x, y); }

private:
    void Spend() {
        if (--budget_ < 0) throw Enough{};
    }

    PictureBox& inner_;
    int budget_ = 2000;
};

std::vector<std::string> Split(std::string_view data) {
    std::vector<std::string> parts(3);
    std::size_t part = 0;
    for (char c : data) {
        if (c == '\n' && part < 2) {
            ++part;
        } else {
            parts[part] += c;
        }
    }
    return parts;
}

QtPictureBox* canvas = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    canvas = new QtPictureBox;
    canvas->resize(267, 267);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> texts = Split(input);
    for (const std::string& text : texts) {
        try {
            TextToNumber(text);
        } catch (const RuntimeError&) {
        }
    }

    canvas->SetBackColor(Rgb(255, 255, 255));
    canvas->Cls();
    try {
        canvas->SetScaleWidth(1000);
        canvas->SetScaleHeight(1000);
        if (!texts[2].empty()) {
            const auto scale = static_cast<float>(TextToNumber(texts[2]));
            canvas->SetScaleWidth(scale);
            canvas->SetScaleHeight(-scale / 2);
        }
        canvas->SetDrawStyle(size > 0 ? static_cast<std::int16_t>(data[0] % 9) - 1 : 0);
    } catch (const RuntimeError&) {
    }
    Bounded bounded(*canvas);
    try {
        DrawPolygon(bounded, Text(texts[0]), Text(texts[1]));
    } catch (const RuntimeError&) {
    } catch (const Enough&) {
    }
    canvas->grab();   // paints whatever was drawn, at whatever coordinates
    return 0;
}
