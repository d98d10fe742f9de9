// The program's real start-up, ended right after the canvas's first paint.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include "controls/qt/qt_picture_box.h"
#include "window/startup.h"
#include "window/tamirel_window.h"
#include "first_paint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tamirel::ConfigureApplication(app);
    const auto window = tamirel::StartMainWindow();
    QuitAfterFirstPaint(*window->controls().Picture1);
    return QApplication::exec();
}
