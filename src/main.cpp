#include <QtWidgets/QApplication>
#include <cstdio>

#include "window/startup.h"
#include "window/tamirel_window.h"

int main(int argc, char** argv) {
    if (const std::string missing = tamirel::MissingDisplay(argc, argv); !missing.empty()) {
        std::fprintf(stderr, "%s\n", missing.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    tamirel::ConfigureApplication(app);
    const auto window = tamirel::StartMainWindow();
    return QApplication::exec();
}
