#include "controls/qt/drawing_export.h"

#include <QtCore/QBuffer>
#include <QtGui/QPainter>

#include "controls/qt/drawing_painter.h"
#include "controls/qt/qt_colour.h"

namespace tamirel {

void SetPrintedWidth(QImage& image) {
    const int dotsPerMetre = qRound(image.width() / kPrintedWidthMetres);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
}

QImage DrawingToImage(const Drawing& drawing, int side) {
    QImage image(side, side, QImage::Format_RGB32);
    SetPrintedWidth(image);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, side, side), ToQColor(drawing.background));
    PaintDrawing(painter, drawing, QSizeF(side, side), kExportPenWidth * side / kExportSide);
    return image;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace tamirel
