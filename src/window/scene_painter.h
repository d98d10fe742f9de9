// Paints a lesson's scene, and the lesson's whole page, with QPainter: on the screen, into an
// image, onto a printer or a PDF. Any scene: the lesson's marks or a construction's steps.
#pragma once

#include <QtCore/QRectF>
#include <QtGui/QFont>

#include "lesson/lesson.h"
#include "lesson/scene.h"

class QPainter;

namespace tamirel {

// The program's serif font `pixels` high (at least 1), for the lesson's texts and pages.
QFont LessonFont(qreal pixels, bool bold = false);

// Paints `scene` with the scene's 1000 x 1000 units mapped onto `area` (a square, which may
// reach past the device), with antialiasing. Pens and letters scale with the area and the
// scene's markScale, as the SVG's do; labels just outside the area are painted too. Leaves
// the painter's state as it found it.
void PaintScene(QPainter& painter, const Scene& scene, const QRectF& area);

// Paints the lesson's page (as LessonToSvg lays it out: white ground, figure, title, givens
// and numbers) into `target`, as large as fits, centred at the top.
void PaintLessonPage(QPainter& painter, const Lesson& lesson, const QRectF& target);

}  // namespace tamirel
