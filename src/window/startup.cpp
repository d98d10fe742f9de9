#include "window/startup.h"

#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyleFactory>

#include "window/tamirel_window.h"

#include "tamirel-32.xpm"

namespace tamirel {

void ConfigureApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tamirel"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("bg.tamirel.Tamirel"));
    // Compiled in as pixel data: no image reader to find and start.
    QApplication::setWindowIcon(QIcon(QPixmap(tamirel_32_xpm)));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

std::unique_ptr<Tamirel> StartMainWindow() {
    auto window = std::make_unique<Tamirel>();
    window->Notify([&] { window->Form_Load(); });
    window->show();
    return window;
}

}  // namespace tamirel
