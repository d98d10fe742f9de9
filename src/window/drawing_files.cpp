#include "window/drawing_files.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMimeData>
#include <string_view>

#include "controls/qt/drawing_export.h"
#include "controls/whole_file.h"
#include "form/svg_writer.h"

namespace tamirel {

QByteArray CanvasToSvg(const RetainedPictureBox& canvas, const std::string& description) {
    return QByteArray::fromStdString(
        DrawingToSvg(canvas.drawing(), canvas.ScaleWidth(), canvas.ScaleHeight(), description));
}

QMimeData* CanvasToMimeData(const RetainedPictureBox& canvas, const std::string& description) {
    auto* data = new QMimeData;
    const QImage image = DrawingToImage(canvas.drawing());
    data->setImageData(image);
    data->setData(QStringLiteral("image/png"), PngBytes(image));
    data->setData(QStringLiteral("image/svg+xml"), CanvasToSvg(canvas, description));
    return data;
}

QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    if (suffix == QLatin1String("png")) {
        bytes = PngBytes(DrawingToImage(canvas.drawing()));
    } else if (suffix == QLatin1String("svg")) {
        bytes = CanvasToSvg(canvas, description);
    } else {
        return QStringLiteral("Неподдържан вид файл: изберете име, завършващо на .png или .svg.");
    }
    return QString::fromStdString(
        WriteWholeFile(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size())));
}

}  // namespace tamirel
