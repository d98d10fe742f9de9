#include <QtWidgets/QApplication>

#include "window/startup.h"
#include "window/tamirel_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tamirel::ConfigureApplication(app);
    const auto window = tamirel::StartMainWindow();
    return QApplication::exec();
}
