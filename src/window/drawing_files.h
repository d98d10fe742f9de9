// The canvas's drawing on the clipboard and in files: PNG painted like the screen, SVG from
// the shared writer.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <string>

#include "controls/retained_picture_box.h"

class QMimeData;

namespace tamirel {

// The drawing as an SVG document in the canvas's units, described by `description`.
QByteArray CanvasToSvg(const RetainedPictureBox& canvas, const std::string& description);

// Clipboard contents: the image (PNG and the platform's image types) and the SVG.
QMimeData* CanvasToMimeData(const RetainedPictureBox& canvas, const std::string& description);

// Writes the drawing to `path` as PNG or SVG, chosen by the extension (case-insensitive),
// whole or not at all: a failed save leaves an existing file as it was and no new one.
// Returns the empty string on success, otherwise the reason in Bulgarian.
QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path);

}  // namespace tamirel
