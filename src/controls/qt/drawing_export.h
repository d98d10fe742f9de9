// The retained drawing as files and clipboard data, painted afresh at the export's own
// resolution by the same code that paints the screen.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QImage>

#include "controls/drawing.h"

class QMimeData;

namespace tamirel {

inline constexpr int kExportSide = 1000;        // pixels (PNG) or user units (SVG), square
inline constexpr double kExportPenWidth = 3.0;  // keeps dash patterns recognisable at that size

// An opaque image of the drawing on its background.
QImage DrawingToImage(const Drawing& drawing, int side = kExportSide);

// An SVG document of the drawing on its background; dashed styles carry their dash arrays.
QByteArray DrawingToSvg(const Drawing& drawing, const QString& description, int side = kExportSide);

// Clipboard contents: the image (PNG and the platform's image types) and the SVG.
QMimeData* DrawingToMimeData(const Drawing& drawing, const QString& description);

// Writes the drawing to `path` as PNG or SVG, chosen by the extension (case-insensitive).
// The file is written whole or not at all: a failed save leaves an existing file as it was and
// no new one. Returns the empty string on success, otherwise the reason in Bulgarian.
QString SaveDrawing(const Drawing& drawing, const QString& description, const QString& path);

}  // namespace tamirel
