#include "console/compass_rose.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "console/compass_geometry.h"

namespace {

// Radii of the rings, from the outside in.
constexpr double BezelRadius = 177.5;
constexpr double TickOuterRadius = 172;
constexpr double MinorTickInnerRadius = 166;
constexpr double MajorTickInnerRadius = 160;
constexpr double ScaleInnerRadius = 158;
constexpr double FigureRadius = 145;
constexpr double InnerRingRadius = 131;
constexpr double IntercardinalRadius = 110;
constexpr double CardinalPointLength = 104;
constexpr double IntercardinalPointLength = 66;

const QColor White(240, 240, 240);
const QColor LightGrey(200, 200, 200);
const QColor MidGrey(140, 140, 140);
const QColor DarkGrey(80, 80, 80);
const QColor ShadedGrey(105, 105, 105);

// The point at `radius` along `bearing` (degrees, clockwise from north), y downwards.
QPointF Polar(double bearing, double radius) {
    const double t = bearing * std::numbers::pi / 180.0;
    return QPointF(radius * std::sin(t), -radius * std::cos(t));
}

QFont RoseFont(int pixelSize, QFont::Weight weight, bool italic = false) {
    QFont font(QApplication::font().family());
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

void DrawCentredText(QPainter& painter, QPointF centre, const QString& text) {
    painter.drawText(QRectF(centre.x() - 30, centre.y() - 15, 60, 30), Qt::AlignCenter, text);
}

void DrawRings(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(MidGrey, 1.5));
    painter.drawEllipse(QPointF(0, 0), BezelRadius, BezelRadius);
    painter.setPen(QPen(DarkGrey, 1));
    painter.drawEllipse(QPointF(0, 0), TickOuterRadius + 2, TickOuterRadius + 2);
    painter.setPen(QPen(MidGrey, 1));
    painter.drawEllipse(QPointF(0, 0), ScaleInnerRadius, ScaleInnerRadius);
    painter.setPen(QPen(DarkGrey, 1));
    painter.drawEllipse(QPointF(0, 0), InnerRingRadius, InnerRingRadius);
}

void DrawTicks(QPainter& painter) {
    for (int bearing = 0; bearing < 360; bearing += 5) {
        const bool major = bearing % 15 == 0;
        painter.setPen(major ? QPen(White, 1.6, Qt::SolidLine, Qt::FlatCap)
                             : QPen(MidGrey, 1.0, Qt::SolidLine, Qt::FlatCap));
        const double inner = major ? MajorTickInnerRadius : MinorTickInnerRadius;
        painter.drawLine(Polar(bearing, inner), Polar(bearing, TickOuterRadius));
    }
}

void DrawFigures(QPainter& painter) {
    painter.setFont(RoseFont(11, QFont::Normal));
    painter.setPen(LightGrey);
    for (int bearing = 0; bearing < 360; bearing += 15) {
        if (bearing % 90 != 0) {
            DrawCentredText(painter, Polar(bearing, FigureRadius), QString::number(bearing));
        }
    }
    painter.setFont(RoseFont(19, QFont::Bold));
    painter.setPen(White);
    const char* const cardinals[] = {"N", "E", "S", "W"};
    for (int i = 0; i < 4; ++i) {
        DrawCentredText(painter, Polar(90.0 * i, FigureRadius), QString::fromLatin1(cardinals[i]));
    }
    painter.setFont(RoseFont(13, QFont::Normal, true));
    painter.setPen(MidGrey);
    const char* const intercardinals[] = {"ne", "se", "sw", "nw"};
    for (int i = 0; i < 4; ++i) {
        DrawCentredText(painter, Polar(45.0 + 90.0 * i, IntercardinalRadius),
                        QString::fromLatin1(intercardinals[i]));
    }
}

// One point of the star: a long kite split along its axis into a lit and a shaded half.
void DrawStarPoint(QPainter& painter, double bearing, double length, double halfWidth,
                   const QColor& lit, const QColor& shaded) {
    const QPointF tip = Polar(bearing, length);
    const QPointF left = Polar(bearing - 90, halfWidth);
    const QPointF right = Polar(bearing + 90, halfWidth);
    const QPointF centre(0, 0);
    painter.setPen(QPen(Qt::black, 0.8));
    painter.setBrush(lit);
    painter.drawPolygon(QPolygonF({centre, left, tip}));
    painter.setBrush(shaded);
    painter.drawPolygon(QPolygonF({centre, tip, right}));
}

void DrawStar(QPainter& painter) {
    for (int i = 0; i < 4; ++i) {
        DrawStarPoint(painter, 45.0 + 90.0 * i, IntercardinalPointLength, 11, MidGrey, DarkGrey);
    }
    for (int i = 0; i < 4; ++i) {
        DrawStarPoint(painter, 90.0 * i, CardinalPointLength, 15, White, ShadedGrey);
    }
    painter.setPen(QPen(MidGrey, 1));
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(0, 0), 5, 5);
}

// Screens go up to a few times 1; the bound keeps the image size far from overflow.
constexpr qreal LargestRatio = 16;

qreal UsableRatio(qreal devicePixelRatio) {
    if (!std::isfinite(devicePixelRatio) || devicePixelRatio <= 0) {
        return 1;
    }
    return std::min(devicePixelRatio, LargestRatio);
}

}  // namespace

QImage PaintCompassRose(qreal devicePixelRatio) {
    const qreal ratio = UsableRatio(devicePixelRatio);
    const int side = static_cast<int>(std::ceil(CompassSize * ratio));
    QImage rose(side, side, QImage::Format_RGB32);
    rose.setDevicePixelRatio(ratio);  // the painter below draws in logical pixels
    rose.fill(Qt::black);
    QPainter painter(&rose);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // The centre of pixel (180, 180).
    painter.translate(CompassCentre + 0.5, CompassCentre + 0.5);
    DrawRings(painter);
    DrawTicks(painter);
    DrawFigures(painter);
    DrawStar(painter);
    return rose;
}

const QImage& CompassRoseImage() {
    return CompassRoseImage(1);
}

const QImage& CompassRoseImage(qreal devicePixelRatio) {
    const qreal ratio = UsableRatio(devicePixelRatio);
    // Node-based: a reference handed out stays valid when other ratios are added.
    static std::map<qreal, QImage> roses;
    auto found = roses.find(ratio);
    if (found == roses.end()) {
        found = roses.emplace(ratio, PaintCompassRose(ratio)).first;
    }
    return found->second;
}
