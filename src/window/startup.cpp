#include "window/startup.h"

#include <QtGui/QIcon>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyleFactory>

#include "window/tamirel_window.h"

namespace tamirel {

void ConfigureApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tamirel"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tamirel/tamirel-32.png")));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

std::unique_ptr<Tamirel> StartMainWindow() {
    auto window = std::make_unique<Tamirel>();
    window->Notify([&] { window->Form_Load(); });
    window->show();
    return window;
}

}  // namespace tamirel
