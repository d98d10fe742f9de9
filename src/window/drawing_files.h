// The canvas's drawing on the clipboard and in files: PNG painted like the screen, SVG from
// the shared writer.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <functional>
#include <string>

#include "controls/retained_picture_box.h"

class QMimeData;
class QPagedPaintDevice;
class QWidget;

namespace tamirel {

// The drawing as an SVG document in the canvas's units, described by `description`.
QByteArray CanvasToSvg(const RetainedPictureBox& canvas, const std::string& description);

// Clipboard contents: the image (PNG and the platform's image types) and the SVG.
QMimeData* CanvasToMimeData(const RetainedPictureBox& canvas, const std::string& description);

// One page of the drawing on `device` (a printer or a PDF writer), within its margins: the
// drawing as large a square as fits, centred at the top, in its line styles with vector lines,
// and `description` as a caption below it.
void PaintPage(QPagedPaintDevice& device, const Drawing& drawing, const QString& description);

// The drawing as an A4 PDF document, the same page as printed, titled "Tamirel" with the
// description as its subject.
QByteArray CanvasToPdf(const RetainedPictureBox& canvas, const std::string& description);

// A PDF document, A4 with 15 mm margins at 600 dpi, painted by `paint`, titled `title` with
// `subject` as its subject.
QByteArray PdfDocument(const std::function<void(QPagedPaintDevice&)>& paint, const QString& title, const QString& subject);

// What a save can write, each made only when its type is chosen.
struct FileContents {
    std::function<QByteArray()> png, svg, pdf;
};

// Writes to `path` the contents of the type its extension names (png, svg or pdf, case-
// insensitive), whole or not at all: a failed save leaves an existing file as it was and no
// new one. Returns the empty string on success, otherwise the reason in Bulgarian.
QString SaveFile(const FileContents& contents, const QString& path);

// The save dialog ("Запази като", PNG, SVG or PDF) starting in `folder` with `name` (a .png
// name) proposed; choosing a type gives the name that type's extension. The chosen path, or
// the empty string when cancelled.
QString AskSavePath(QWidget* parent, const QString& folder, const QString& name);

// Writes the drawing to `path` as PNG, SVG or PDF, chosen by the extension (case-insensitive),
// whole or not at all: a failed save leaves an existing file as it was and no new one.
// Returns the empty string on success, otherwise the reason in Bulgarian.
QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path);

}  // namespace tamirel
