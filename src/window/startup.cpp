#include "window/startup.h"

#include <QtCore/QLibraryInfo>
#include <QtCore/QTranslator>
#include <QtGui/QAccessible>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyleFactory>
#include <cstdlib>
#include <cstring>

#include "controls/qt/qt_picture_box.h"
#include "window/scene_view.h"
#include "window/tamirel_window.h"

#include "tamirel-32.xpm"

namespace tamirel {

namespace {

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The canvas and the lesson's figure are pictures with a name and a description; the main
// window is a window.
QAccessibleInterface* AccessibleRole(const QString& /*className*/, QObject* object) {
    if (auto* canvas = qobject_cast<QtPictureBox*>(object)) return new QAccessibleWidget(canvas, QAccessible::Graphic);
    if (auto* view = qobject_cast<SceneView*>(object)) return new QAccessibleWidget(view, QAccessible::Graphic);
    if (auto* window = qobject_cast<Tamirel*>(object)) return new QAccessibleWidget(window, QAccessible::Window);
    return nullptr;
}

void LoadBulgarianToolkitTexts(QApplication& app) {
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(QStringLiteral("qtbase_bg"), folder)) {
        QApplication::installTranslator(translator);
    } else {
        qWarning("tamirel: qtbase_bg.qm is not in %s; the file dialog speaks English", qPrintable(folder));
    }
}

}  // namespace

std::string MissingDisplay(int argc, char** argv) {
#if defined(__linux__) || defined(__FreeBSD__) || defined(__OpenBSD__) || defined(__NetBSD__)
    if (Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM")) return {};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return {};
    }
    return "tamirel: няма екран за прозореца (не е зададен нито DISPLAY, нито WAYLAND_DISPLAY); "
           "пуснете програмата от работния плот или без екран така: xvfb-run -a tamirel";
#else
    (void)argc;
    (void)argv;
    return {};
#endif
}

void ConfigureApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tamirel"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("bg.tamirel.Tamirel"));
    // Compiled in as pixel data: no image reader to find and start.
    QApplication::setWindowIcon(QIcon(QPixmap(tamirel_32_xpm)));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    static bool once = false;   // tests configure the one application more than once
    if (once) return;
    once = true;
    LoadBulgarianToolkitTexts(app);
    QAccessible::installFactory(AccessibleRole);
}

std::unique_ptr<Tamirel> StartMainWindow() {
    auto window = std::make_unique<Tamirel>();
    TamirelForm& form = window->form();
    form.Notify([&] { form.Form_Load(); });
    window->show();
    return window;
}

}  // namespace tamirel
