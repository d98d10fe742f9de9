#include "window/drawing_files.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QBuffer>
#include <QtCore/QMimeData>
#include <QtGui/QPageSize>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtWidgets/QFileDialog>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "controls/qt/drawing_export.h"
#include "controls/qt/drawing_painter.h"
#include "controls/qt/qt_colour.h"
#include "controls/whole_file.h"
#include "form/layout.h"
#include "form/svg_writer.h"

namespace tamirel {

namespace {

// `text` as a PDF text string: UTF-16BE with its byte order mark, in hex.
QByteArray PdfText(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text) hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + ">";
}

// Adds a document information dictionary with a subject to a finished PDF, as an incremental
// update: the new dictionary, a cross-reference section for it and a trailer pointing to the
// previous one. Returns the PDF unchanged when its trailer cannot be read.
QByteArray WithSubject(QByteArray pdf, const QString& title, const QString& subject) {
    const qsizetype trailer = pdf.lastIndexOf("trailer");
    const qsizetype start = pdf.lastIndexOf("startxref");
    if (trailer < 0 || start < trailer) return pdf;
    const QByteArray dictionary = pdf.mid(trailer, start - trailer);
    const auto entry = [&](const char* key) {
        const qsizetype at = dictionary.indexOf(key);
        if (at < 0) return QByteArray();
        qsizetype end = dictionary.indexOf('/', at + 1);
        const qsizetype close = dictionary.indexOf(">>", at);
        if (end < 0 || (close >= 0 && close < end)) end = close;
        return dictionary.mid(at + qsizetype(std::strlen(key)), end - at - qsizetype(std::strlen(key))).trimmed();
    };
    const QByteArray size = entry("/Size"), root = entry("/Root");
    const QByteArray previous = pdf.mid(start + 9).trimmed().split('\n').value(0).trimmed();
    bool ok = false;
    const int object = size.toInt(&ok);
    if (!ok || root.isEmpty() || previous.isEmpty()) return pdf;

    if (!pdf.endsWith('\n')) pdf += '\n';
    const qsizetype offset = pdf.size();
    pdf += QByteArray::number(object) + " 0 obj\n<<\n/Title " + PdfText(title) + "\n/Subject " + PdfText(subject) +
           "\n/Creator " + PdfText(title) + "\n>>\nendobj\n";
    const qsizetype xref = pdf.size();
    pdf += "xref\n" + QByteArray::number(object) + " 1\n" + QByteArray::number(offset).rightJustified(10, '0') +
           " 00000 n \ntrailer\n<<\n/Size " + QByteArray::number(object + 1) + "\n/Root " + root + "\n/Info " +
           QByteArray::number(object) + " 0 R\n/Prev " + previous + "\n>>\nstartxref\n" + QByteArray::number(xref) +
           "\n%%EOF\n";
    return pdf;
}

}  // namespace

void PaintPage(QPagedPaintDevice& device, const Drawing& drawing, const QString& description) {
    QPainter painter(&device);
    const QRect paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QRectF page(0, 0, paint.width(), paint.height());   // the painter starts at the margins

    QFont font(QString::fromLatin1(kFontFamily));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(11);
    painter.setFont(font);
    const qreal gap = device.logicalDpiY() / 6.0;   // 1/6 inch between drawing and caption
    const QRectF caption = painter.boundingRect(QRectF(0, 0, page.width(), page.height()),
                                                Qt::AlignHCenter | Qt::TextWordWrap, description);
    const qreal side = std::min(page.width(), page.height() - caption.height() - gap);
    const QPointF origin((page.width() - side) / 2, 0);

    painter.fillRect(QRectF(origin, QSizeF(side, side)), ToQColor(drawing.background));
    painter.save();
    painter.translate(origin);
    PaintDrawing(painter, drawing, QSizeF(side, side), side * kExportPenWidth / kExportSide);
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, side + gap, page.width(), caption.height()), Qt::AlignHCenter | Qt::TextWordWrap,
                     description);
}

QByteArray PdfDocument(const std::function<void(QPagedPaintDevice&)>& paint, const QString& title, const QString& subject) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setResolution(600);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Tamirel"));
        paint(pdf);
    }
    return WithSubject(bytes, title, subject);
}

QByteArray CanvasToPdf(const RetainedPictureBox& canvas, const std::string& description) {
    const QString text = QString::fromStdString(description);
    return PdfDocument([&](QPagedPaintDevice& device) { PaintPage(device, canvas.drawing(), text); },
                       QStringLiteral("Tamirel"), text);
}

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

QString SaveFile(const FileContents& contents, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const std::function<QByteArray()>* make = suffix == QLatin1String("png")   ? &contents.png
                                              : suffix == QLatin1String("svg") ? &contents.svg
                                              : suffix == QLatin1String("pdf") ? &contents.pdf
                                                                               : nullptr;
    if (!make || !*make) {
        return QStringLiteral("Неподдържан вид файл: изберете име, завършващо на .png, .svg или .pdf.");
    }
    const QByteArray bytes = (*make)();
    return QString::fromStdString(
        WriteWholeFile(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size())));
}

QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path) {
    return SaveFile({[&] { return PngBytes(DrawingToImage(canvas.drawing())); },
                     [&] { return CanvasToSvg(canvas, description); },
                     [&] { return CanvasToPdf(canvas, description); }},
                    path);
}

QString AskSavePath(QWidget* parent, const QString& folder, const QString& name) {
    QFileDialog dialog(parent, QStringLiteral("Запази като"), folder,
                       QStringLiteral("Изображение PNG (*.png);;Рисунка SVG (*.svg);;Документ PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(name);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        // "(*.svg)" -> "svg": the filter's own extension, which the name takes too.
        const QString suffix = filter.mid(filter.lastIndexOf(QLatin1String("*.")) + 2).chopped(1);
        dialog.setDefaultSuffix(suffix);
        const QString base = QFileInfo(dialog.selectedFiles().value(0)).completeBaseName();
        if (!base.isEmpty()) dialog.selectFile(base + QLatin1Char('.') + suffix);
    });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace tamirel
