// Program start-up, shared by main and by whatever measures or tests the real start.
#pragma once

#include <memory>

class QApplication;

namespace tamirel {

class Tamirel;

// Application-wide settings: name, version, icon and the widget style that shows the
// buttons' colours on every platform.
void ConfigureApplication(QApplication& app);

// Creates the main window, runs its load handler (as a notification) and shows it.
std::unique_ptr<Tamirel> StartMainWindow();

}  // namespace tamirel
