// The canvas's drawing on the clipboard and in files: PNG painted like the screen, SVG from
// the shared writer.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QPageLayout>
#include <string>

#include "controls/retained_picture_box.h"

class QMimeData;
class QPagedPaintDevice;

namespace tamirel {

// The drawing as an SVG document in the canvas's units, described by `description`.
QByteArray CanvasToSvg(const RetainedPictureBox& canvas, const std::string& description);

// Clipboard contents: the image (PNG and the platform's image types) and the SVG.
QMimeData* CanvasToMimeData(const RetainedPictureBox& canvas, const std::string& description);

inline constexpr double kPageMargin = 15;      // millimetres, at least, on every side
inline constexpr double kCaptionPoints = 14;   // the caption's font size

// The page the drawing is printed and saved as PDF on: A4 upright, kPageMargin all round.
QPageLayout DrawingPageLayout();

// One page of the drawing on `device` (a printer or a PDF writer), at least kPageMargin from
// every edge of the sheet and within the device's own margins: the drawing as large a square
// as fits, centred at the top, in its line styles with vector lines, and `description` as a
// caption of kCaptionPoints below it. A printer and the PDF writer give the same page.
void PaintPage(QPagedPaintDevice& device, const Drawing& drawing, const QString& description);

// The drawing as an A4 PDF document, the same page as printed, titled "Tamirel" with the
// description as its subject.
QByteArray CanvasToPdf(const RetainedPictureBox& canvas, const std::string& description);

// Writes the drawing to `path` as PNG, SVG or PDF, chosen by the extension (case-insensitive),
// whole or not at all: a failed save leaves an existing file as it was and no new one.
// Returns the empty string on success, otherwise the reason in Bulgarian.
QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path);

}  // namespace tamirel
