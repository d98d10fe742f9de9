// Pictures (the canvas's drawing, the lesson's and a step's page, the handout) on the
// clipboard, in files and on paper, in every format of PictureFormats: one save flow for all.
#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtGui/QPageLayout>
#include <functional>
#include <string>

#include "controls/retained_picture_box.h"
#include "lesson/page.h"
#include "lesson/picture_formats.h"

class QImage;
class QMimeData;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace tamirel {

// The canvas's drawing, described by `description`, as a picture to save, copy or print.
Picture CanvasPicture(const RetainedPictureBox& canvas, const std::string& description);

// The drawing as an SVG document in the canvas's units, described by `description`.
QByteArray CanvasToSvg(const RetainedPictureBox& canvas, const std::string& description);

// The first page (or the drawing) as an opaque image: one pixel a page unit; the drawing
// kExportSide square.
QImage PictureImage(const Picture& picture);

// Clipboard contents for `picture`: its image (PNG and the platform's image types), every
// format of PictureFormats by its MIME type (TikZ as text/x-tex) and, when not empty, `text`
// as plain text.
QMimeData* PictureMimeData(const Picture& picture, const QString& text = QString());

// Clipboard contents for the drawing: its picture, without plain text.
QMimeData* CanvasToMimeData(const RetainedPictureBox& canvas, const std::string& description);

inline constexpr double kPageMargin = kSheetMargin;   // millimetres, at least, on every side
inline constexpr double kCaptionPoints = 14;   // the caption's font size

// The page the drawing is printed and saved as PDF on: A4 upright, kPageMargin all round.
QPageLayout DrawingPageLayout();

// One page of the drawing on `device` (a printer or a PDF writer), at least kPageMargin from
// every edge of the sheet and within the device's own margins: the drawing as large a square
// as fits, centred at the top, in its line styles with vector lines, and `description` as a
// caption of kCaptionPoints below it. A printer and the PDF writer give the same page. False
// when the device would not begin or finish.
bool PaintPage(QPagedPaintDevice& device, const Drawing& drawing, const QString& description);

// The picture's pages on `device`, a page each: the drawing by the page above, the layer's
// pages by PaintPage within the device's margins. False when the device would not begin, turn
// a page or finish.
bool PaintPicture(QPagedPaintDevice& device, const Picture& picture);

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
// name whose own extension is not one of PictureFormats (any case), or that has none
// ("plan.v2", "урок 5.2"), gets the extension added; one with a known extension keeps it when
// the dialog is accepted and has it replaced when another type is chosen. `own` is another
// known extension, the dialog's own type besides the pictures ("postroi"), if any.
enum class NameChange { kTypeChosen, kAccepted };
QString NameForFileType(const QString& name, const QString& extension, NameChange change, const QString& own = {});

// The file contents of `picture` in `format`: PNG and PDF painted here, the others written by
// the format's own writer; empty when the pages could not be painted.
QByteArray PictureBytes(const PictureFormat& format, const Picture& picture);

// Writes `picture` to `path` in the format its extension names (case-insensitive), whole or
// not at all: a failed save leaves an existing file as it was and no new one. Returns the
// empty string on success, otherwise the reason in Bulgarian.
QString SavePicture(const Picture& picture, const QString& path);

// A file type a dialog offers besides the pictures: its name and extension (without the dot).
struct FileType {
    QString name, extension;
};

// The save dialog ("Запази като", one type for each of PictureFormats, after `own` where given;
// the toolkit's own, in Bulgarian) starting in `folder` with `name` proposed, naming the file
// by NameForFileType. The chosen path, or the empty string when cancelled.
QString AskSavePath(QWidget* parent, const QString& folder, const QString& name, const FileType& own = {});

// The open dialog ("Отвори", the toolkit's own) for files of `type`, starting in `folder`. The
// chosen path, or the empty string when cancelled.
QString AskOpenPath(QWidget* parent, const QString& folder, const FileType& type);

// The one save flow: asks `choose` for a path, starting in `folder` (the home folder when
// empty), which then remembers the chosen path's folder for the next save, and saves `picture`
// there by SavePicture; a failure is shown over `parent` as `notSaved` ("Урокът не беше
// запазен в „%1“.", %1 the path) and the reason. Nothing happens when the dialog is cancelled.
void SavePictureAs(QWidget* parent, const std::function<QString(const QString&)>& choose, QString& folder,
                   const Picture& picture, const QString& notSaved);
// The same flow for any file: `save` writes it to the chosen path and returns "" or the reason.
void SaveFileAs(QWidget* parent, const std::function<QString(const QString&)>& choose, QString& folder,
                const std::function<QString(const QString&)>& save, const QString& notSaved);

// Writes the drawing to `path` by SavePicture.
QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path);

}  // namespace tamirel
