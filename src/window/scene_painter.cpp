#include "window/scene_painter.h"

#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPainterPathStroker>
#include <algorithm>

#include "controls/qt/qt_colour.h"
#include "form/layout.h"
#include "lesson/scene_draw.h"

namespace tamirel {

namespace {

// The label's letters centred on `at`, with a white halo under them.
void PaintLabel(QPainter& painter, const QString& text, QPointF at, qreal scale, qreal marks, const QColor& colour) {
    const QFont font = LessonFont(kLabelHeight * marks * scale);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.addText(0, 0, font, text);
    // Placed by its baseline, as the SVG places it, so both show the letters at the same height.
    const QPointF baseline(at.x() - metrics.horizontalAdvance(text) / 2, at.y() + kLabelBaselineDrop * kLabelHeight * marks * scale);
    path.translate(baseline);
    QPainterPathStroker halo;
    halo.setWidth(2 * kLabelHalo * marks * scale);
    halo.setJoinStyle(Qt::RoundJoin);
    painter.fillPath(halo.createStroke(path), Qt::white);
    painter.fillPath(path, colour);
}

}  // namespace

QFont LessonFont(qreal pixels, bool bold) {
    QFont font(QString::fromLatin1(kFontFamily));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

QRectF SceneArea(const QRectF& frame, ScenePoint focus, double reach) {
    const qreal scale = std::min(frame.width(), frame.height()) / (2 * reach);
    return {frame.center().x() - focus.x * scale, frame.center().y() - focus.y * scale, kSceneSide * scale,
            kSceneSide * scale};
}

void PaintScene(QPainter& painter, const Scene& scene, const QRectF& area, const MarkStyle& style) {
    using K = SceneItem::Kind;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal scale = area.width() / kSceneSide;
    const qreal marks = scene.markScale * style.pens;
    const qreal letters = scene.markScale * style.letters;
    const auto at = [&](ScenePoint p) { return QPointF(area.left() + p.x * scale, area.top() + p.y * scale); };
    for (const SceneItem& item : scene.items) {
        const QColor colour = ToQColor(InkColour(item.ink));
        QPen pen(colour, std::max(InkWidth(item.ink) * marks * scale, style.leastPen), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        switch (item.kind) {
            case K::Segment:
                painter.drawLine(at(item.a), at(item.b));
                break;
            case K::Ray: {
                const auto ends = RayEnds(item);
                painter.drawLine(at(ends[0]), at(ends[1]));
                break;
            }
            case K::Circle:
                painter.drawEllipse(at(item.a), item.radius * scale, item.radius * scale);
                break;
            case K::Arc: {
                const qreal r = item.radius * scale;
                QPainterPath arc;
                const QRectF box(at(item.a) - QPointF(r, r), QSizeF(2 * r, 2 * r));
                arc.arcMoveTo(box, item.startDegrees);
                arc.arcTo(box, item.startDegrees, item.sweepDegrees);   // counter-clockwise on screen, as the scene's
                painter.drawPath(arc);
                break;
            }
            case K::Polygon: {
                QPolygonF polygon;
                for (const ScenePoint& p : item.points) polygon << at(p);
                painter.drawPolygon(polygon);
                break;
            }
            case K::Point:
                painter.setPen(Qt::NoPen);
                painter.setBrush(colour);
                painter.drawEllipse(at(item.a), kPointRadius * marks * scale, kPointRadius * marks * scale);
                break;
            case K::RightAngle: {
                const auto c = RightAngleCorners(item, marks);
                const QPointF corners[] = {at(c[0]), at(c[1]), at(c[2])};
                painter.drawPolyline(corners, 3);
                break;
            }
            case K::Label:
                PaintLabel(painter, QString::fromStdString(item.text), at(item.a), scale, letters, colour);
                break;
        }
    }
    painter.restore();
}

void PaintPage(QPainter& painter, const Page& page, const QRectF& target) {
    const PageRect& box = page.box;
    if (!(box.width > 0 && box.height > 0)) return;
    const qreal scale = std::min(target.width() / box.width, target.height() / box.height);
    const QPointF corner(target.left() + (target.width() - box.width * scale) / 2, target.top());
    const auto at = [&](double x, double y) { return corner + QPointF(x - box.x, y - box.y) * scale; };
    const auto rect = [&](const PageRect& r) { return QRectF(at(r.x, r.y), QSizeF(r.width, r.height) * scale); };
    painter.save();
    painter.fillRect(rect(box), Qt::white);
    for (const PageFigure& figure : page.figures) {
        painter.save();
        if (figure.clip) painter.setClipRect(rect(*figure.clip), Qt::IntersectClip);
        PaintScene(painter, figure.scene, rect(figure.area));
        painter.restore();
    }
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::black);
    for (const PageText& text : page.texts) {
        painter.setFont(LessonFont(text.size * scale, text.bold));
        painter.drawText(at(text.x, text.y), QString::fromStdString(text.text));
    }
    painter.restore();
}

}  // namespace tamirel
