// Paints a lesson's scene, and a whole page of the lesson layer, with QPainter: on the screen, into an
// image, onto a printer or a PDF. Any scene: the lesson's marks or a construction's steps.
#pragma once

#include <QtCore/QRectF>
#include <QtGui/QFont>

#include "lesson/page.h"
#include "lesson/scene.h"

class QPainter;

namespace tamirel {

// The program's serif font `pixels` high (at least 1), for the lesson's texts and pages.
QFont LessonFont(qreal pixels, bool bold = false);

// How a view on screen draws the scene's marks beyond what the scene says. Pictures taken
// away use the defaults: marks exactly as the SVG draws them.
struct MarkStyle {
    double pens = 1;      // pens, dots and right-angle marks: times the scene's markScale
    double letters = 1;   // labels' letters and halos: times the scene's markScale
    double leastPen = 0;  // pixels: no pen is drawn thinner (faint ink stays visible)
};

// Paints `scene` with the scene's 1000 x 1000 units mapped onto `area` (a square, which may
// reach past the device), with antialiasing. Pens and letters scale with the area and the
// scene's markScale, as the SVG's do; labels just outside the area are painted too. Leaves
// the painter's state as it found it.
void PaintScene(QPainter& painter, const Scene& scene, const QRectF& area, const MarkStyle& style = {});

// Where the scene's 1000 x 1000 units lie when the square centred on `focus`, `reach` units
// to each side, fills `frame`'s shorter side, centred in it.
QRectF SceneArea(const QRectF& frame, ScenePoint focus, double reach);

// The page on `painter`, as large as fits in `target`, centred across it at its top, on white:
// its figures (cut where they say) and its texts in the program's serif font, as PageToSvg
// draws it.
void PaintPage(QPainter& painter, const Page& page, const QRectF& target);

}  // namespace tamirel
