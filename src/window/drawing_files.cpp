#include "window/drawing_files.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QBuffer>
#include <QtCore/QMimeData>
#include <QtGui/QPageSize>
#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "controls/qt/drawing_export.h"
#include "controls/qt/drawing_painter.h"
#include "controls/qt/qt_colour.h"
#include "controls/whole_file.h"
#include "form/layout.h"
#include "form/svg_writer.h"
#include "window/scene_painter.h"

namespace tamirel {

namespace {

// `text` as a PDF text string: UTF-16BE with its byte order mark, in hex.
QByteArray PdfText(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text) hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + ">";
}

// The PDF string (literal, in balanced parentheses with backslash escapes, or hexadecimal)
// that follows `key` in `dictionary`, as its raw bytes; empty when there is none.
QByteArray PdfStringAfter(const QByteArray& dictionary, const char* key) {
    qsizetype at = dictionary.indexOf(key);
    if (at < 0) return {};
    at += qsizetype(std::strlen(key));
    while (at < dictionary.size() && (dictionary[at] == ' ' || dictionary[at] == '\n' || dictionary[at] == '\r')) ++at;
    if (at >= dictionary.size()) return {};
    if (dictionary[at] == '<') {
        const qsizetype end = dictionary.indexOf('>', at);
        return end < 0 ? QByteArray() : dictionary.mid(at, end + 1 - at);
    }
    if (dictionary[at] != '(') return {};
    int depth = 0;
    for (qsizetype i = at; i < dictionary.size(); ++i) {
        if (dictionary[i] == '\\') {
            ++i;
        } else if (dictionary[i] == '(') {
            ++depth;
        } else if (dictionary[i] == ')' && --depth == 0) {
            return dictionary.mid(at, i + 1 - at);
        }
    }
    return {};
}

// The body of the object `reference` ("1 0 R") of `pdf`, up to its "endobj".
QByteArray PdfObject(const QByteArray& pdf, const QByteArray& reference) {
    const QByteArray head = "\n" + reference.left(reference.lastIndexOf('R')).trimmed() + " obj";
    const qsizetype at = pdf.indexOf(head);
    const qsizetype end = at < 0 ? -1 : pdf.indexOf("endobj", at);
    return end < 0 ? QByteArray() : pdf.mid(at, end - at);
}

// Adds a document information dictionary with a subject to a finished PDF, as an incremental
// update: the new dictionary, a cross-reference section for it and a trailer pointing to the
// previous one. The old dictionary's creation date and producer are carried over. Returns the
// PDF unchanged when its trailer cannot be read.
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

    QByteArray kept;
    const QByteArray info = PdfObject(pdf, entry("/Info"));
    for (const char* key : {"/Producer", "/CreationDate"}) {
        const QByteArray value = PdfStringAfter(info, key);
        if (!value.isEmpty()) kept += "\n" + QByteArray(key) + " " + value;
    }

    if (!pdf.endsWith('\n')) pdf += '\n';
    const qsizetype offset = pdf.size();
    pdf += QByteArray::number(object) + " 0 obj\n<<\n/Title " + PdfText(title) + "\n/Subject " + PdfText(subject) +
           "\n/Creator " + PdfText(title) + kept + "\n>>\nendobj\n";
    const qsizetype xref = pdf.size();
    pdf += "xref\n" + QByteArray::number(object) + " 1\n" + QByteArray::number(offset).rightJustified(10, '0') +
           " 00000 n \ntrailer\n<<\n/Size " + QByteArray::number(object + 1) + "\n/Root " + root + "\n/Info " +
           QByteArray::number(object) + " 0 R\n/Prev " + previous + "\n>>\nstartxref\n" + QByteArray::number(xref) +
           "\n%%EOF\n";
    return pdf;
}

QString Filter(const FileType& type) { return QStringLiteral("%1 (*.%2)").arg(type.name, type.extension); }

// "Рисунка SVG (*.svg)" -> "svg".
QString FilterExtension(const QString& filter) {
    return filter.mid(filter.lastIndexOf(QLatin1String("*.")) + 2).chopped(1);
}

// The save dialog, naming the file by NameForFileType: Qt's own dialog (in Bulgarian whatever
// the desktop), whose name field is changed before the dialog's own reaction to a new type
// (which would cut "урок 5.2" to "урок 5") and before its overwrite question on accepting.
class SaveDialog final : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& caption, const QString& folder, const QString& filters, QString own)
        : QFileDialog(parent, caption, folder, filters), own_(std::move(own)) {
        setOption(QFileDialog::DontUseNativeDialog);
        setAcceptMode(QFileDialog::AcceptSave);
        name_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (name_ && types) {
            connect(types, &QComboBox::currentIndexChanged, this, [this, types](int index) {
                Rename(FilterExtension(types->itemText(index)), NameChange::kTypeChosen);
            });
        }
    }

    void accept() override {
        // A folder's name opens the folder.
        if (name_ && !QFileInfo(QDir(directory()).filePath(name_->text())).isDir())
            Rename(FilterExtension(selectedNameFilter()), NameChange::kAccepted);
        QFileDialog::accept();
    }

private:
    void Rename(const QString& extension, NameChange change) {
        if (!name_->text().trimmed().isEmpty()) name_->setText(NameForFileType(name_->text(), extension, change, own_));
    }

    QLineEdit* name_ = nullptr;
    QString own_;
};

}  // namespace

QPageLayout DrawingPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kPageMargin, kPageMargin, kPageMargin, kPageMargin), QPageLayout::Millimeter);
}

bool PaintPage(QPagedPaintDevice& device, const Drawing& drawing, const QString& description) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const int dpi = device.logicalDpiX();
    const QPageLayout layout = device.pageLayout();
    // The painter starts at the device's margins; from here on it measures from the sheet's
    // corner, and the drawing keeps kPageMargin from every edge whatever the device allows.
    const QRect paint = layout.paintRectPixels(dpi);
    painter.translate(-paint.topLeft());
    const qreal margin = kPageMargin / 25.4 * dpi;
    const QRectF sheet(layout.fullRectPixels(dpi));
    const QRectF page = sheet.adjusted(margin, margin, -margin, -margin) & QRectF(paint);

    QFont font(QString::fromLatin1(kFontFamily));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(kCaptionPoints);
    painter.setFont(font);
    const qreal gap = device.logicalDpiY() / 6.0;   // 1/6 inch between drawing and caption
    const QRectF caption = painter.boundingRect(QRectF(page.topLeft(), page.size()),
                                                Qt::AlignHCenter | Qt::TextWordWrap, description);
    const qreal side = std::min(page.width(), page.height() - caption.height() - gap);
    const QPointF origin(page.left() + (page.width() - side) / 2, page.top());

    painter.fillRect(QRectF(origin, QSizeF(side, side)), ToQColor(drawing.background));
    painter.save();
    painter.translate(origin);
    PaintDrawing(painter, drawing, QSizeF(side, side), side * kExportPenWidth / kExportSide);
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), page.top() + side + gap, page.width(), caption.height()),
                     Qt::AlignHCenter | Qt::TextWordWrap, description);
    return painter.end();
}

QByteArray PdfDocument(const PagePainter& paint, const QString& title, const QString& subject, const QPageLayout& layout,
                       int resolution) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(layout);
        pdf.setResolution(resolution);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Tamirel"));
        if (!paint(pdf)) return {};
    }
    return WithSubject(bytes, title, subject);
}

QByteArray CanvasToPdf(const RetainedPictureBox& canvas, const std::string& description) {
    return PictureBytes(*FindPictureFormat("pdf"), CanvasPicture(canvas, description));
}

QString PrintDocument(QPrinter& printer, const PagePainter& paint, const QString& title, const QString& subject) {
    const QString file = printer.outputFileName();
    // The preview paints into pictures (its engine's type says so) and writes no file.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty() &&
                        printer.paintEngine()->type() != QPaintEngine::Picture;
    if (!toFile) return paint(printer) ? QString() : QStringLiteral("Чертежът не беше отпечатан: принтерът не го прие.");
    const QByteArray pdf = PdfDocument(paint, title, subject, printer.pageLayout(), printer.resolution());
    const std::string reason =
        pdf.isEmpty() ? "Страницата не можа да бъде подготвена."
                      : WriteWholeFile(QFile::encodeName(file).toStdString(), std::string_view(pdf.constData(), pdf.size()));
    if (reason.empty()) return {};
    return QStringLiteral("Чертежът не беше запазен в „%1“.\n%2").arg(QDir::toNativeSeparators(file), QString::fromStdString(reason));
}

QString NameForFileType(const QString& name, const QString& extension, NameChange change, const QString& own) {
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (name.size() == slash + 1) return name;   // no name yet
    if (dot <= slash + 1) return name + QLatin1Char('.') + extension;   // none, or a hidden file's leading dot
    const QString ending = name.mid(dot + 1).toLower();
    const bool known = FindPictureFormat(ending.toStdString()) != nullptr || (!own.isEmpty() && ending == own);
    if (!known) return name + (ending.isEmpty() ? QString() : QStringLiteral(".")) + extension;
    return change == NameChange::kTypeChosen ? name.left(dot + 1) + extension : name;
}

Picture CanvasPicture(const RetainedPictureBox& canvas, const std::string& description) {
    return DrawingPicture(canvas.drawing(), std::fabs(static_cast<double>(canvas.ScaleWidth())),
                          std::fabs(static_cast<double>(canvas.ScaleHeight())), description);
}

QByteArray CanvasToSvg(const RetainedPictureBox& canvas, const std::string& description) {
    return QByteArray::fromStdString(
        DrawingToSvg(canvas.drawing(), canvas.ScaleWidth(), canvas.ScaleHeight(), description));
}

bool PaintPicture(QPagedPaintDevice& device, const Picture& picture) {
    if (picture.drawing) return PaintPage(device, *picture.drawing, QString::fromStdString(picture.description));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRect paint = device.pageLayout().paintRectPixels(device.logicalDpiX());
    for (std::size_t i = 0; i < picture.pages.size(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        PaintPage(painter, picture.pages[i], QRectF(0, 0, paint.width(), paint.height()));
    }
    return painter.end();
}

QImage PictureImage(const Picture& picture) {
    if (picture.drawing) return DrawingToImage(*picture.drawing);
    const Page page = picture.pages.empty() ? Page{} : picture.pages.front();
    QImage image(std::max(1, qRound(page.box.width)), std::max(1, qRound(page.box.height)), QImage::Format_RGB32);
    image.fill(Qt::white);
    SetPrintedWidth(image);
    QPainter painter(&image);
    PaintPage(painter, page, QRectF(0, 0, image.width(), image.height()));
    return image;
}

QByteArray PictureBytes(const PictureFormat& format, const Picture& picture) {
    if (format.write) return QByteArray::fromStdString(format.write(picture));
    if (std::string_view(format.id) == "png") return PngBytes(PictureImage(picture));
    if (std::string_view(format.id) == "pdf") {
        return PdfDocument([&](QPagedPaintDevice& device) { return PaintPicture(device, picture); },
                           QString::fromStdString(picture.title), QString::fromStdString(picture.description));
    }
    return {};
}

QMimeData* PictureMimeData(const Picture& picture, const QString& text) {
    auto* data = new QMimeData;
    const QImage image = PictureImage(picture);
    data->setImageData(image);
    for (const PictureFormat& format : PictureFormats()) {
        data->setData(QString::fromLatin1(format.mime),
                      std::string_view(format.id) == "png" ? PngBytes(image) : PictureBytes(format, picture));
    }
    if (!text.isEmpty()) data->setText(text);
    return data;
}

QMimeData* CanvasToMimeData(const RetainedPictureBox& canvas, const std::string& description) {
    return PictureMimeData(CanvasPicture(canvas, description), QString::fromStdString(description));
}

QString SavePicture(const Picture& picture, const QString& path) {
    const PictureFormat* format = FormatOfPath(QFileInfo(path).fileName().toStdString());
    if (!format) return QString::fromStdString(UnsupportedFormatMessage());
    const QByteArray bytes = PictureBytes(*format, picture);
    if (bytes.isEmpty()) return QStringLiteral("Страницата не можа да бъде подготвена.");
    return QString::fromStdString(
        WriteWholeFile(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size())));
}

QString SaveCanvas(const RetainedPictureBox& canvas, const std::string& description, const QString& path) {
    return SavePicture(CanvasPicture(canvas, description), path);
}

QString AskSavePath(QWidget* parent, const QString& folder, const QString& name, const FileType& own) {
    QStringList filters;
    if (!own.extension.isEmpty()) filters << Filter(own);
    for (const PictureFormat& format : PictureFormats())
        filters << Filter({QString::fromUtf8(format.name), QString::fromLatin1(format.extension)});
    SaveDialog dialog(parent, QStringLiteral("Запази като"), folder, filters.join(QStringLiteral(";;")), own.extension);
    dialog.selectFile(name);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString AskOpenPath(QWidget* parent, const QString& folder, const FileType& type) {
    QFileDialog dialog(parent, QStringLiteral("Отвори"), folder, Filter(type));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void SavePictureAs(QWidget* parent, const std::function<QString(const QString&)>& choose, QString& folder,
                   const Picture& picture, const QString& notSaved) {
    SaveFileAs(parent, choose, folder, [&picture](const QString& path) { return SavePicture(picture, path); }, notSaved);
}

void SaveFileAs(QWidget* parent, const std::function<QString(const QString&)>& choose, QString& folder,
                const std::function<QString(const QString&)>& save, const QString& notSaved) {
    const QString path = choose(folder.isEmpty() ? QDir::homePath() : folder);
    if (path.isEmpty()) return;
    folder = QFileInfo(path).absolutePath();
    const QString error = save(path);
    if (!error.isEmpty()) {
        QMessageBox::warning(parent, parent->window()->windowTitle(),
                             notSaved.arg(QDir::toNativeSeparators(path)) + QLatin1Char('\n') + error);
    }
}

}  // namespace tamirel
