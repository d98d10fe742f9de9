#include "controls/qt/drawing_painter.h"

#include <QtCore/QLineF>
#include <QtCore/QRectF>
#include <QtGui/QPainter>
#include <cmath>

#include "controls/picture_box.h"

namespace tamirel {

QPen PenForStyle(std::int16_t style, qreal width) {
    QPen pen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (style == kTransparent) {
        pen.setStyle(Qt::NoPen);
    } else if (const std::vector<double>& dashes = DashPattern(style); !dashes.empty()) {
        pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    }
    return pen;
}

namespace {

// True when no part of the circle can show in `area`: it lies wholly outside the area, or
// the area lies wholly inside it. Saves rasterising huge circles nobody can see.
bool CircleInvisible(QPointF centre, qreal radius, const QRectF& area) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    if (!box.intersects(area)) return true;
    for (const QPointF corner : {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()}) {
        if (QLineF(centre, corner).length() >= radius) return false;
    }
    return true;
}

}  // namespace

void PaintDrawing(QPainter& painter, const Drawing& drawing, QSizeF size, qreal penWidth,
                  std::size_t from) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);

    // Without antialiasing a pen of k device pixels at device coordinate c covers the pixels
    // from c - (k - 1) / 2 on, so the first pen width starts at pixel 0 and the last ends at
    // the last pixel.
    const qreal devicePixel = 1.0 / painter.device()->devicePixelRatioF();
    const qreal inset = (penWidth - devicePixel) / 2;
    const qreal spanX = size.width() - devicePixel - 2 * inset;
    const qreal spanY = size.height() - devicePixel - 2 * inset;
    const auto at = [&](double fx, double fy) { return QPointF(inset + fx * spanX, inset + fy * spanY); };
    const QRectF area(QPointF(0, 0), size);

    // Always clipped: besides keeping the drawing inside, it puts the raster engine on its
    // quick path for lines (about twice as fast as unclipped on an image).
    painter.setClipRect(area);

    int penStyle = -1;   // the style of the painter's pen; a new pen only when it changes
    const auto usePen = [&](std::int16_t style) {
        if (style == penStyle) return;
        painter.setPen(PenForStyle(style, penWidth));
        penStyle = style;
    };
    for (std::size_t i = from; i < drawing.primitives.size(); ++i) {
        const Primitive& p = drawing.primitives[i];
        if (p.style == kTransparent) continue;
        switch (p.kind) {
            case Primitive::Kind::Circle: {
                const QPointF centre = at(p.x1, p.y1);
                const qreal radius = p.x2 * spanX;
                if (CircleInvisible(centre, radius, area)) break;
                usePen(p.style);
                painter.drawEllipse(centre, radius, radius);
                break;
            }
            case Primitive::Kind::Point:
                // A point is a dot whatever the line style, except under the transparent one.
                usePen(kSolid);
                painter.drawPoint(at(p.x1, p.y1));
                break;
            case Primitive::Kind::Line:
                usePen(p.style);
                painter.drawLine(at(p.x1, p.y1), at(p.x2, p.y2));
                break;
        }
    }
}

}  // namespace tamirel
