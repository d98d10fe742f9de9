// The print preview's zoom box in Bulgarian number format.
#pragma once

#include <QtCore/QString>

#include "window/drawing_files.h"

class QPrintPreviewDialog;
class QWidget;

namespace tamirel {

// Has `preview`'s zoom box show and take its percentages with a decimal comma ("38,8%",
// "12,5%"); the dialog itself reads and writes them with a point, so the box's text is
// turned to points just before the dialog reads it and back to commas whenever it changes.
void UseDecimalComma(QPrintPreviewDialog& preview);

// The system's print dialog with a preview of the pages `paint` draws, on the drawing's page
// layout, the document named `title` (and, printed to a file, `subject` as its subject). A
// print that fails is shown to the user in a message box over `parent`.
void PrintWithPreview(QWidget* parent, const QString& title, const QString& subject, const PagePainter& paint);

// The print dialog with a preview of `picture`'s pages (PaintPicture), named by its title.
void PrintPicture(QWidget* parent, const Picture& picture);

}  // namespace tamirel
