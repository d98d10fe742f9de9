// Drives the real main window as a user would (mouse and keyboard through QTest) and
// compares its canvas with figures drawn on a fresh canvas from their geometry alone, not by
// the program's polygon procedure, so a fault there shows too.
#pragma once

#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QPushButton>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"
#include "window/startup.h"
#include "window/tamirel_window.h"

namespace tamirel::testing {

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

// A circle of radius R around (500, 500) and the regular N-gon inscribed in it: a point at the
// start vertex, 90 - 180/N degrees (clockwise on the screen, as y grows downward), then a line
// to each next vertex, 360/N degrees on, the N-th closing on the first; R and N from list texts.
inline void DrawFigure(PictureBox& canvas, const Figure& f) {
    const long double r = std::stold(f.radius);
    const int n = std::stoi(f.count);
    constexpr long double pi = std::numbers::pi_v<long double>;
    canvas.Circle(500, 500, static_cast<float>(r));
    for (int k = 0; k <= n; ++k) {
        const long double angle = pi / 2 - pi / n + 2 * pi * k / n;
        const float x = static_cast<float>(500 + r * std::cos(angle));
        const float y = static_cast<float>(500 + r * std::sin(angle));
        if (k == 0) {
            canvas.PSet(x, y);
        } else {
            canvas.Line(x, y);
        }
    }
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
        DrawFigure(fresh, f);
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
