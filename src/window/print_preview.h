// The print preview's zoom box in Bulgarian number format.
#pragma once

class QPrintPreviewDialog;

namespace tamirel {

// Has `preview`'s zoom box show and take its percentages with a decimal comma ("38,8%",
// "12,5%"); the dialog itself reads and writes them with a point, so the box's text is
// turned to points just before the dialog reads it and back to commas whenever it changes.
void UseDecimalComma(QPrintPreviewDialog& preview);

}  // namespace tamirel
