// Drives the real main window as a user would (mouse and keyboard through QTest) and
// compares its canvas with figures drawn on a fresh canvas.
#pragma once

#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "controls/list_box.h"
#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"
#include "geometry/draw_polygon.h"
#include "window/startup.h"
#include "window/tamirel_window.h"

namespace tamirel::testing {

// A list with one item, selected.
class OneItem : public ListBox {
public:
    explicit OneItem(std::string text) : text_(std::move(text)) {}
    std::int16_t ListIndex() const override { return 0; }
    void SetListIndex(std::int16_t) override {}
    std::string List(std::int16_t index) const override { return index == 0 ? text_ : std::string(); }

private:
    std::string text_;
};

struct Figure {
    std::string radius, count;
    std::int16_t style;
};

// The drawing area of a canvas as it shows on screen.
inline QImage AreaOf(QtPictureBox& canvas) {
    return canvas.grab(canvas.drawingArea()).toImage().convertToFormat(QImage::Format_RGB32);
}

inline bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
    return true;
}

// The area of a fresh white canvas of `size` on the window's 1000 x 1000 scale, with the
// figures drawn on it in order, in lines `lineWidth` pixels wide.
inline QImage FiguresImage(QSize size, const std::vector<Figure>& figures, int lineWidth = 1) {
    QtPictureBox fresh;
    fresh.resize(size);
    fresh.SetLineWidth(lineWidth);
    fresh.SetScaleHeight(1000);
    fresh.SetScaleWidth(1000);
    fresh.SetBackColor(Rgb(255, 255, 255));
    fresh.Cls();
    for (const Figure& f : figures) {
        fresh.SetDrawStyle(f.style);
        DrawPolygon(fresh, OneItem(f.radius), OneItem(f.count));
    }
    return AreaOf(fresh);
}

// The program's window as start-up leaves it, with run-time errors recorded instead of shown.
class WindowDriver {
public:
    WindowDriver() : window(StartMainWindow()) {
        window->setErrorReporter([this](const RuntimeError& e) { errors.push_back(e.number()); });
    }

    const Controls& c() const { return window->controls(); }
    QtPictureBox& canvas() const { return *c().Picture1; }
    QImage Canvas() const { return AreaOf(canvas()); }
    QImage Expected(const std::vector<Figure>& figures) const { return FiguresImage(canvas().size(), figures, canvas().lineWidth()); }

    void ChooseByMouse(int list, int row) const {
        QtListBox& l = *c().List1[list];
        l.scrollToItem(l.item(row));
        QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, l.visualItemRect(l.item(row)).center());
    }

    void Key(int list, Qt::Key key) const { QTest::keyClick(c().List1[list], key); }

    void Press(int button) const { QTest::mouseClick(c().Command1[button], Qt::LeftButton); }

    std::vector<std::string> Selected() const {
        std::vector<std::string> texts;
        for (QtListBox* l : c().List1) texts.push_back(l->List(l->ListIndex()));
        return texts;
    }

    // The current choices as a figure in the current style.
    Figure Current() const {
        const std::vector<std::string> s = Selected();
        return {s[1], s[2], canvas().DrawStyle()};
    }

    std::unique_ptr<Tamirel> window;
    std::vector<int> errors;
};

}  // namespace tamirel::testing
