// Paints a retained drawing onto any paint device: the screen, an image or a vector file.
#pragma once

#include <QtCore/QSizeF>
#include <QtGui/QPen>
#include <cstddef>
#include <cstdint>

#include "controls/drawing.h"

class QPainter;

namespace tamirel {

// The pen for a line style at `width` logical pixels: black, flat caps, with the style's
// dash pattern; the transparent style gives Qt::NoPen.
QPen PenForStyle(std::int16_t style, qreal width);

// Paints drawing.primitives[from ...] into the area (0, 0)-(size) of the painter's logical
// coordinates, without antialiasing. Fraction 0 puts the pen's first pixel on the area's
// first and 1 its last on the area's last, so a circle spanning the whole area touches every
// edge without being clipped. Nothing is painted outside the area; the background is not
// filled. Leaves the painter's pen, brush and clip changed.
void PaintDrawing(QPainter& painter, const Drawing& drawing, QSizeF size, qreal penWidth,
                  std::size_t from = 0);

}  // namespace tamirel
