// The retained drawing as an image, painted afresh at the export's own resolution by the
// same code that paints the screen.
#pragma once

#include <QtCore/QByteArray>
#include <QtGui/QImage>

#include "controls/drawing.h"

namespace tamirel {

// Records in `image` the resolution at which it is kPrintedWidthMetres wide.
void SetPrintedWidth(QImage& image);

// An opaque image of the drawing on its background, `side` pixels square, kPrintedWidthMetres wide.
QImage DrawingToImage(const Drawing& drawing, int side = kExportSide);

// The image as PNG file contents.
QByteArray PngBytes(const QImage& image);

}  // namespace tamirel
