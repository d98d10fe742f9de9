#include "window/startup.h"

#include <QtCore/QLibraryInfo>
#include <QtCore/QLocale>
#include <QtCore/QTranslator>
#include <QtGui/QAccessible>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QAccessibleWidget>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStyleFactory>
#include <cstdlib>
#include <cstring>

#include "controls/qt/qt_picture_box.h"
#include "window/lesson_window.h"
#include "window/scene_view.h"
#include "window/tamirel_window.h"

#include "tamirel-32.xpm"
#include "tamirel_bg_qm.h"   // generated from resources/translations/tamirel_bg.ts

namespace tamirel {

namespace {

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// A text the keyboard can select (the lesson's numbers, the construction's sentence): besides
// its name, text a reader goes through by character, word and line and sends to braille.
class ReadableLabel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadableLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && label()->accessibleName().isEmpty()) return label()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.selectableText = true;
        return s;
    }

    // The one selection is the label's own, offsets in UTF-16 units of its text.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !label()->hasSelectedText()) return;
        *start = label()->selectionStart();
        *end = *start + static_cast<int>(label()->selectedText().size());
    }
    int selectionCount() const override { return label()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int /*index*/) override { label()->setSelection(0, 0); }
    void setSelection(int /*index*/, int start, int end) override { label()->setSelection(start, end - start); }
    int cursorPosition() const override { return label()->hasSelectedText() ? label()->selectionStart() : 0; }
    void setCursorPosition(int /*position*/) override {}
    QString text(int start, int end) const override { return label()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(label()->text().size()); }
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*start*/, int /*end*/) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

// The canvas and the figures are pictures with a name and a description; the main window and
// the lesson's are windows; a text the keyboard selects is text.
QAccessibleInterface* AccessibleRole(const QString& /*className*/, QObject* object) {
    if (auto* canvas = qobject_cast<QtPictureBox*>(object)) return new QAccessibleWidget(canvas, QAccessible::Graphic);
    if (auto* view = qobject_cast<SceneView*>(object)) return new QAccessibleWidget(view, QAccessible::Graphic);
    if (auto* window = qobject_cast<Tamirel*>(object)) return new QAccessibleWidget(window, QAccessible::Window);
    if (auto* lesson = qobject_cast<LessonWindow*>(object)) return new QAccessibleWidget(lesson, QAccessible::Window);
    if (auto* label = qobject_cast<QLabel*>(object); label && (label->textInteractionFlags() & Qt::TextSelectableByKeyboard))
        return new ReadableLabel(label);
    return nullptr;
}

void LoadBulgarianToolkitTexts(QApplication& app) {
    // Dates, months and numbers in the dialogs the Bulgarian way too.
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    auto* translator = new QTranslator(&app);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (translator->load(QStringLiteral("qtbase_bg"), folder)) {
        QApplication::installTranslator(translator);
    } else {
        qWarning("tamirel: qtbase_bg.qm is not in %s; the file dialog speaks English", qPrintable(folder));
    }
    // Installed last, so asked first: the words the toolkit's file lacks.
    auto* own = new QTranslator(&app);
    if (own->load(reinterpret_cast<const uchar*>(kBulgarianQm), int(sizeof kBulgarianQm))) {
        QApplication::installTranslator(own);
    } else {
        qWarning("tamirel: the program's own translation does not load; some dialog words stay English");
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
