#include "console/compass_drawing.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "console/compass_geometry.h"
#include "console/compass_rose.h"

namespace {

// The centre of pixel (180, 180): lines centred on it cover whole pixels.
constexpr double CentreX = CompassCentre + 0.5;
constexpr double CentreY = CompassCentre + 0.5;

const QColor ShadeColor(0, 0, 0, 192);
const QColor NeedleColor(255, 0, 0);

void DrawRangeShade(QPainter& painter, int32_t ccwLimit, int32_t rotation) {
    const PieAngles pie = WedgePieAngles(WedgeRadialPoints(ccwLimit, rotation));
    QPainterPath wedge;
    wedge.moveTo(0, 0);
    wedge.arcTo(QRectF(-CompassRadius, -CompassRadius, 2 * CompassRadius, 2 * CompassRadius),
                pie.startDegrees, pie.sweepDegrees);
    wedge.closeSubpath();
    painter.fillPath(wedge, ShadeColor);
}

void DrawNeedle(QPainter& painter, int32_t relativePosition) {
    const double t = NeedleRadians(relativePosition);
    const double c = std::cos(t);
    const double s = std::sin(t);
    // (x, y) is drawn at (x cos t - y sin t, x sin t + y cos t): the local y axis points at the
    // bearing.
    painter.setTransform(QTransform(c, s, -s, c, 0, 0), true);
    painter.setPen(QPen(NeedleColor, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(0, -10), QPointF(0, 143));
    painter.setPen(QPen(NeedleColor, 7, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(0, -10), QPointF(0, 130));
}

// The pixel ratio of what the painter really paints on: when a widget is rendered into an
// image (QWidget::render, grab), its painter's device() is still the widget, while the engine
// paints on the image.
qreal TargetPixelRatio(const QPainter& painter) {
    if (const QPaintEngine* engine = painter.paintEngine()) {
        if (const QPaintDevice* target = engine->paintDevice()) {
            return target->devicePixelRatio();
        }
    }
    return painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
}

}  // namespace

void DrawCompassRose(QPainter& painter) {
    painter.drawImage(QPointF(0, 0), CompassRoseImage(TargetPixelRatio(painter)));
}

void DrawCompassFace(QPainter& painter, int32_t ccwLimit, int32_t rotation,
                     int32_t relativePosition) {
    painter.save();
    DrawCompassRose(painter);
    painter.setClipRect(QRect(0, 0, CompassSize, CompassSize));
    painter.translate(CentreX, CentreY);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (RangeShaded(rotation)) {
        DrawRangeShade(painter, ccwLimit, rotation);
    }
    if (NeedleVisible(relativePosition)) {
        DrawNeedle(painter, relativePosition);
    }
    painter.restore();
}
