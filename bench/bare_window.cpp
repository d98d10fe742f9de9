// A plain Qt window with the same kinds and number of controls as the program's, showing the
// same texts in the same font, ended right after its first paint: what start-up cannot be
// faster than. Everything else is Qt's default: style, colours, a plain widget as canvas.
#include <QtCore/QFile>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

#include "first_paint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    QApplication::setFont(font);

    QWidget window;
    window.setFixedSize(547, 431);
    auto* canvas = new QWidget(&window);
    canvas->setGeometry(8, 32, 267, 267);
    const QStringList captions = {QStringLiteral("Радиус"), QStringLiteral("Върхове"), QStringLiteral("Tamirel"),
                                  QStringLiteral("Вид линия")};
    for (int i = 0; i < 4; ++i) (new QLabel(captions[i], &window))->setGeometry(280 + 72 * i, 0, 65, 27);
    (new QPushButton(QStringLiteral("Чертай"), &window))->setGeometry(288, 216, 97, 25);
    (new QPushButton(QStringLiteral("Чисти"), &window))->setGeometry(416, 264, 97, 25);
    const int items[] = {7, 8, 18};
    for (int i = 0; i < 3; ++i) {
        auto* list = new QListWidget(&window);
        list->setGeometry(280 + 72 * i, 56, 65, 137);
        for (int item = 0; item < items[i]; ++item) list->addItem(QString::number(item));
    }
    QFile explanation(QStringLiteral(":/tamirel/explanation.txt"));
    explanation.open(QIODevice::ReadOnly);
    auto* text = new QPlainTextEdit(&window);
    text->setGeometry(8, 304, 529, 121);
    text->setPlainText(QString::fromUtf8(explanation.readAll()));

    QuitAfterFirstPaint(*canvas);
    window.show();
    return QApplication::exec();
}
