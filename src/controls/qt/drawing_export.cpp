#include "controls/qt/drawing_export.h"

#include <QtCore/QBuffer>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <QtCore/QFile>
#include <QtGui/QPainter>
#include <QtSvg/QSvgGenerator>

#include "controls/qt/drawing_painter.h"
#include "controls/qt/qt_colour.h"
#include "controls/whole_file.h"

namespace tamirel {

namespace {

void Paint(QPainter& painter, const Drawing& drawing, int side) {
    painter.fillRect(QRect(0, 0, side, side), ToQColor(drawing.background));
    PaintDrawing(painter, drawing, QSizeF(side, side), kExportPenWidth);
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

QImage DrawingToImage(const Drawing& drawing, int side) {
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter, drawing, side);
    return image;
}

QByteArray DrawingToSvg(const Drawing& drawing, const QString& description, int side) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(side, side));
    svg.setViewBox(QRect(0, 0, side, side));
    svg.setTitle(QStringLiteral("Tamirel"));
    svg.setDescription(description);
    QPainter painter(&svg);
    Paint(painter, drawing, side);
    painter.end();
    return bytes;
}

QMimeData* DrawingToMimeData(const Drawing& drawing, const QString& description) {
    auto* data = new QMimeData;
    const QImage image = DrawingToImage(drawing);
    data->setImageData(image);
    data->setData(QStringLiteral("image/png"), Png(image));
    data->setData(QStringLiteral("image/svg+xml"), DrawingToSvg(drawing, description));
    return data;
}

QString SaveDrawing(const Drawing& drawing, const QString& description, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    if (suffix == QLatin1String("png")) {
        bytes = Png(DrawingToImage(drawing));
    } else if (suffix == QLatin1String("svg")) {
        bytes = DrawingToSvg(drawing, description);
    } else {
        return QStringLiteral("Неподдържан вид файл: изберете име, завършващо на .png или .svg.");
    }
    return QString::fromStdString(
        WriteWholeFile(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size())));
}

}  // namespace tamirel
