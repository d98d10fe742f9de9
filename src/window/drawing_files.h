// The canvas's drawing on the clipboard and in files: PNG painted like the screen, SVG from
// the shared writer.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QPageLayout>
#include <functional>
#include <string>

#include "controls/retained_picture_box.h"

class QImage;
class QMimeData;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace tamirel {

// The drawing as an SVG document in the canvas's units, described by `description`.
QByteArray CanvasToSvg(const RetainedPictureBox& canvas, const std::string& description);

// Clipboard contents for a picture: `image` (as PNG and the platform's image types), the `svg`
// document and, when not empty, `text`.
QMimeData* PictureMimeData(const QImage& image, const QByteArray& svg, const QString& text = QString());

// Clipboard contents: the image (PNG and the platform's image types) and the SVG.
QMimeData* CanvasToMimeData(const RetainedPictureBox& canvas, const std::string& description);

inline constexpr double kPageMargin = 15;      // millimetres, at least, on every side
inline constexpr double kCaptionPoints = 14;   // the caption's font size

// The page the drawing is printed and saved as PDF on: A4 upright, kPageMargin all round.
QPageLayout DrawingPageLayout();

// One page of the drawing on `device` (a printer or a PDF writer), at least kPageMargin from
// every edge of the sheet and within the device's own margins: the drawing as large a square
// as fits, centred at the top, in its line styles with vector lines, and `description` as a
// caption of kCaptionPoints below it. A printer and the PDF writer give the same page. False
// when the device would not begin or finish.
bool PaintPage(QPagedPaintDevice& device, const Drawing& drawing, const QString& description);

// The drawing as an A4 PDF document, the same page as printed.
QByteArray CanvasToPdf(const RetainedPictureBox& canvas, const std::string& description);

// Paints a document's pages on `device` (a printer or a PDF writer); false when the device
// would not begin or finish.
using PagePainter = std::function<bool(QPagedPaintDevice& device)>;

// The pages `paint` draws as a PDF document with the page `layout` at `resolution` dots per
// inch, titled `title` with `subject` as its subject; empty when they could not be painted.
QByteArray PdfDocument(const PagePainter& paint, const QString& title, const QString& subject,
                       const QPageLayout& layout = DrawingPageLayout(), int resolution = 600);

// Prints the pages `paint` draws on `printer`. Printing to a file (a PDF printer with an output
// file name) paints into memory and saves through WriteWholeFile, so a failure leaves the old
// file as it was. Returns "" on success, otherwise the message for the user in Bulgarian.
QString PrintDocument(QPrinter& printer, const PagePainter& paint, const QString& title, const QString& subject);

// The file name the save dialog gives `name` for the file type with `extension` ("png"): a
// name whose own extension is not one of the types written (.png, .svg, .pdf, any case), or
// that has none ("plan.v2", "урок 5.2"), gets the extension added; one with a known extension
// keeps it when the dialog is accepted and has it replaced when another type is chosen.
enum class NameChange { kTypeChosen, kAccepted };
QString NameForFileType(const QString& name, const QString& extension, NameChange change);

// What a save can write, each made only when its type is chosen.
struct FileContents {
    std::function<QByteArray()> png, svg, pdf;
};

// Writes to `path` the contents of the type its extension names (png, svg or pdf, case-
// insensitive), whole or not at all: a failed save leaves an existing file as it was and no
// new one. Returns the empty string on success, otherwise the reason in Bulgarian.
QString SaveFile(const FileContents& contents, const QString& path);

// The save dialog ("Запази като", PNG, SVG or PDF; the toolkit's own, in Bulgarian) starting
// in `folder` with `name` proposed, naming the file by NameForFileType. The chosen path, or
// the empty string when cancelled.
QString AskSavePath(QWidget* parent, const QString& folder, const QString& name);

// Writes the drawing to `path` as PNG, SVG or PDF, chosen by the extension (case-insensitive),
// whole or not at all: a failed save leaves an existing file as it was and no new one.
// Returns the empty string on success, otherwise the reason in Bulgarian.
QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path);

}  // namespace tamirel
