#include "window/zoom.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QStyleFactory>
#include <QtWidgets/QToolTip>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>
#include <vector>

#include "form/layout.h"
#include "window/build_controls.h"

namespace tamirel {

int FittedZoom(QSize room, QSize frame) {
    const auto fits = [&](int percent) {
        return ZoomedPixels(kClientWidth, percent) + frame.width() <= room.width() &&
               ZoomedPixels(kClientHeight, percent) + frame.height() <= room.height();
    };
    int percent = kMostZoom;
    while (percent > kLeastZoom && !fits(percent)) --percent;
    return percent;
}

ZoomStyle::ZoomStyle(int percent) : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), percent_(percent) {}

int ZoomStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int pixels = QProxyStyle::pixelMetric(metric, option, widget);
    // Negative values and PM_CustomBase are markers, not sizes.
    if (pixels <= 0 || percent_ == 100 || metric >= PM_CustomBase) return pixels;
    return (pixels * percent_ + 50) / 100;
}

namespace {

// The kinds of widget a platform may give a font of their own, besides the application's.
constexpr const char* kFontClasses[] = {"QMenu",        "QMenuBar",     "QMessageBox",   "QLabel",
                                        "QTipLabel",    "QPushButton",  "QCheckBox",     "QRadioButton",
                                        "QToolButton",  "QAbstractItemView", "QListView", "QHeaderView",
                                        "QComboMenuItem", "QComboLineEdit", "QStatusBar", "QGroupBox"};

// Enlarges the dialogs whose first size does not follow their fonts (the file dialog's lists,
// the print preview's page) by the application's zoom when they are first shown, centred on
// the window that opened them; any dialog that grows (the print dialog's options) is kept on
// the screen.
class DialogSizer : public QObject {
public:
    int percent = 100;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (percent == 100 || (event->type() != QEvent::Show && event->type() != QEvent::Resize)) return false;
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (!dialog || !dialog->isWindow() || !dialog->screen()) return false;
        const QRect area = dialog->screen()->availableGeometry();
        if (event->type() == QEvent::Resize) {
            if (dialog->isVisible()) KeepOnScreen(*dialog, dialog->frameGeometry().topLeft());
            return false;
        }
        if (dialog->property("tamirelZoomed").toBool() ||
            !(dialog->inherits("QFileDialog") || dialog->inherits("QPrintPreviewDialog"))) {
            return false;
        }
        dialog->setProperty("tamirelZoomed", true);
        const QSize size = (dialog->size() * percent / 100).boundedTo(area.size() * 9 / 10);
        // The file dialog's column widths, and its list of places at most a third of the room.
        for (QHeaderView* header : dialog->findChildren<QHeaderView*>()) {
            for (int i = 0; i < header->count(); ++i) header->resizeSection(i, header->sectionSize(i) * percent / 100);
        }
        for (QSplitter* splitter : dialog->findChildren<QSplitter*>()) {
            QList<int> sizes = splitter->sizes();
            if (sizes.size() < 2) continue;
            const int room = std::accumulate(sizes.begin(), sizes.end(), 0) + size.width() - dialog->width();
            sizes[0] = std::min(sizes[0] * percent / 100, room / 3);
            sizes[1] = room - sizes[0];
            splitter->setSizes(sizes);
        }
        dialog->resize(size);
        const QWidget* opener = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
        QRect place(QPoint(0, 0), size);
        place.moveCenter(opener ? opener->frameGeometry().center() : area.center());
        KeepOnScreen(*dialog, place.topLeft());
        return false;
    }
};

QFont Scaled(QFont font, int percent) {
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * percent / 100);
    } else if (font.pixelSize() > 0) {
        font.setPixelSize((font.pixelSize() * percent + 50) / 100);
    }
    return font;
}

}  // namespace

void KeepOnScreen(QWidget& window, QPoint at) {
    if (!window.screen()) return;
    const QRect area = window.screen()->availableGeometry();
    // The decorations from the frame's corner, which X11 reports before a new size.
    const QPoint corner = window.geometry().topLeft() - window.frameGeometry().topLeft();
    const QSize frame = window.size() + QSize(2 * corner.x(), corner.y() + corner.x());
    const QPoint inside(std::max(area.left(), std::min(at.x(), area.right() + 1 - frame.width())),
                        std::max(area.top(), std::min(at.y(), area.bottom() + 1 - frame.height())));
    if (inside != window.frameGeometry().topLeft()) window.move(inside);
}

void ZoomApplication(int percent) {
    // Never zoomed yet: the application is at 100 % as it is, and start-up pays nothing.
    auto* now = qobject_cast<ZoomStyle*>(QApplication::style());
    if (now ? now->percent() == percent : percent == 100) return;
    static const QFont base = QApplication::font();
    static const std::vector<std::pair<const char*, QFont>> classes = [] {
        std::vector<std::pair<const char*, QFont>> fonts;
        for (const char* name : kFontClasses) fonts.emplace_back(name, QApplication::font(name));
        return fonts;
    }();
    static DialogSizer* sizer = [] {
        auto* filter = new DialogSizer;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
        return filter;
    }();
    sizer->percent = percent;
    QApplication::setStyle(new ZoomStyle(percent));
    QApplication::setFont(Scaled(base, percent));
    for (const auto& [name, font] : classes) QApplication::setFont(Scaled(font, percent), name);
}

QString WrapToWidth(const QString& text, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    QString wrapped, line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            wrapped += line + QLatin1Char('\n');
            line = word;
        } else {
            line = longer;
        }
    }
    return wrapped + line;
}

}  // namespace tamirel
