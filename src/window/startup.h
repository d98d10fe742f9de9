// Program start-up, shared by main and by whatever measures or tests the real start.
#pragma once

#include <memory>
#include <string>

class QApplication;

namespace tamirel {

class Tamirel;

// What is missing for a window to be shown: "" when a display is there or a toolkit platform
// is chosen (QT_QPA_PLATFORM, or -platform among the arguments), otherwise one line for the
// user, ending in the way out. Only X11 and Wayland desktops need a display variable.
std::string MissingDisplay(int argc, char** argv);

// Application-wide settings: name, version, icon, the widget style that shows the buttons'
// colours on every platform, the toolkit's own words in Bulgarian whatever the system locale,
// and the roles assistive technology reads for the window and the canvas.
void ConfigureApplication(QApplication& app);

// Creates the main window, runs its load handler (as a notification) and shows it.
std::unique_ptr<Tamirel> StartMainWindow();

}  // namespace tamirel
