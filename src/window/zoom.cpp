#include "window/zoom.h"

#include <QtGui/QFontMetrics>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
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
// the print preview's page) by the application's zoom when they are first shown, within the
// screen, centred on the window that opened them.
class DialogSizer : public QObject {
public:
    int percent = 100;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || percent == 100) return false;
        auto* dialog = qobject_cast<QWidget*>(watched);
        if (!dialog || !dialog->isWindow() || dialog->property("tamirelZoomed").toBool() ||
            !(dialog->inherits("QFileDialog") || dialog->inherits("QPrintPreviewDialog"))) {
            return false;
        }
        dialog->setProperty("tamirelZoomed", true);
        // The file dialog's column widths and the width of its list of places.
        for (QHeaderView* header : dialog->findChildren<QHeaderView*>()) {
            for (int i = 0; i < header->count(); ++i) header->resizeSection(i, header->sectionSize(i) * percent / 100);
        }
        for (QSplitter* splitter : dialog->findChildren<QSplitter*>()) {
            QList<int> sizes = splitter->sizes();
            if (sizes.size() < 2) continue;
            const int total = std::accumulate(sizes.begin(), sizes.end(), 0);
            sizes[0] = sizes[0] * percent / 100;
            sizes[1] = total * percent / 100 - sizes[0];
            splitter->setSizes(sizes);
        }
        const QRect area = dialog->screen()->availableGeometry();
        const QSize size = (dialog->size() * percent / 100).boundedTo(area.size() * 9 / 10);
        dialog->resize(size);
        const QWidget* opener = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
        const QPoint centre = opener ? opener->frameGeometry().center() : area.center();
        QRect place(QPoint(0, 0), size);
        place.moveCenter(centre);
        place.moveLeft(std::clamp(place.left(), area.left(), area.right() - size.width()));
        place.moveTop(std::clamp(place.top(), area.top(), area.bottom() - size.height()));
        dialog->move(place.topLeft());
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
