#include "window/print_preview.h"

#include <QtCore/QSignalBlocker>
#include <QtPrintSupport/QPrintPreviewDialog>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>

namespace tamirel {

void UseDecimalComma(QPrintPreviewDialog& preview) {
    for (QComboBox* box : preview.findChildren<QComboBox*>()) {
        QLineEdit* edit = box->lineEdit();
        if (!edit || box->count() == 0 || !box->itemText(0).endsWith(QLatin1Char('%'))) continue;   // the zoom box
        // The dialog's own handlers of a chosen or typed zoom, moved behind the conversion; a
        // toolkit that wires them otherwise keeps its points.
        const char* chosen = SIGNAL(currentIndexChanged(int));
        const char* typed = SIGNAL(editingFinished());
        const char* handler = SLOT(_q_zoomFactorChanged());
        if (!QObject::disconnect(box, chosen, &preview, handler)) continue;
        if (!QObject::disconnect(edit, typed, &preview, handler)) {
            QObject::connect(box, chosen, &preview, handler);
            continue;
        }
        const auto points = [edit] {
            const QSignalBlocker quiet(edit);
            edit->setText(edit->text().replace(QLatin1Char(','), QLatin1Char('.')));
        };
        const auto commas = [edit] { edit->setText(edit->text().replace(QLatin1Char('.'), QLatin1Char(','))); };
        QObject::connect(box, &QComboBox::currentIndexChanged, edit, points);
        QObject::connect(box, chosen, &preview, handler);
        QObject::connect(box, &QComboBox::currentIndexChanged, edit, commas);
        QObject::connect(edit, &QLineEdit::editingFinished, edit, points);
        QObject::connect(edit, typed, &preview, handler);
        QObject::connect(edit, &QLineEdit::editingFinished, edit, commas);
        for (int i = 0; i < box->count(); ++i) box->setItemText(i, box->itemText(i).replace(QLatin1Char('.'), QLatin1Char(',')));
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
            if (text.contains(QLatin1Char('.'))) edit->setText(QString(text).replace(QLatin1Char('.'), QLatin1Char(',')));
        });
        commas();
    }
}

void PrintWithPreview(QWidget* parent, const QString& title, const QString& subject, const PagePainter& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(DrawingPageLayout());
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Tamirel"));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Печат"));
    UseDecimalComma(preview);
    QString failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { failure = PrintDocument(*target, paint, title, subject); });
    preview.exec();
    if (!failure.isEmpty()) QMessageBox::warning(parent, parent->window()->windowTitle(), failure);
}

void PrintPicture(QWidget* parent, const Picture& picture) {
    PrintWithPreview(parent, QString::fromStdString(picture.title), QString::fromStdString(picture.description),
                     [&](QPagedPaintDevice& device) { return PaintPicture(device, picture); });
}

}  // namespace tamirel
