#include "window/zoom.h"

#include <QtGui/QFontMetrics>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyleFactory>
#include <QtWidgets/QToolTip>
#include <cmath>
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
    if (auto* now = qobject_cast<ZoomStyle*>(QApplication::style()); now && now->percent() == percent) return;
    static const QFont base = QApplication::font();
    static const std::vector<std::pair<const char*, QFont>> classes = [] {
        std::vector<std::pair<const char*, QFont>> fonts;
        for (const char* name : kFontClasses) fonts.emplace_back(name, QApplication::font(name));
        return fonts;
    }();
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
