// The whole program at a zoom for the projector: the fitted size, the toolkit's own sizes and
// fonts (scroll bars, menus, dialogs, tooltips) and the tooltip's line breaks.
#pragma once

#include <QtCore/QPoint>
#include <QtCore/QSize>
#include <QtCore/QString>
#include <QtWidgets/QProxyStyle>

class QFont;

namespace tamirel {

inline constexpr int kLeastZoom = 100;   // percent
inline constexpr int kMostZoom = 1000;   // percent

// The largest whole percentage from kLeastZoom to kMostZoom at which the window's client
// area (kClientWidth x kClientHeight twips, ZoomedPixels) and `frame` fit in `room`;
// kLeastZoom when even that does not fit.
int FittedZoom(QSize room, QSize frame);

// Fusion with every size it measures in pixels (scroll bars, frames, margins, indicators,
// icons, spacing) scaled by percent / 100, rounded; 100 % is Fusion exactly.
class ZoomStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit ZoomStyle(int percent);
    int percent() const { return percent_; }
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    int percent_;
};

// Puts the application at `percent`: a ZoomStyle, and the fonts of every kind of widget
// (dialogs, menus, message boxes, tooltips) at percent / 100 of the sizes they had at the
// first call; the file dialog and the print preview open at percent / 100 of their usual size,
// within the screen. Widgets with a font of their own keep it. Nothing is done when the
// application is at `percent` already.
void ZoomApplication(int percent);

// Moves the top-level `window` so that its frame's corner is at `at` (global), or as near as
// keeps the whole frame on its screen's available area.
void KeepOnScreen(QWidget& window, QPoint at);

// `text` broken at spaces into lines no wider than `width` pixels in `font`, joined by '\n';
// a word wider than that stands on a line of its own.
QString WrapToWidth(const QString& text, const QFont& font, int width);

}  // namespace tamirel
