#include "console/button_painting.h"

#include <QFontMetrics>
#include <QPainter>

#include "console/color_scheme.h"

namespace {

void Line(QPainter& painter, int x, int y, int width, int height, const QColor& color) {
    if (width > 0 && height > 0) {
        painter.fillRect(QRect(x, y, width, height), color);
    }
}

void FillLabelCell(QPainter& painter, const QRect& rect, int flags, const QString& text,
                   const QColor& background) {
    const QRect cell = painter.boundingRect(rect, flags, text);
    if (!text.isEmpty() && cell.isValid()) {
        painter.fillRect(cell, background);
    }
}

}  // namespace

void DrawFills(QPainter& painter, const std::vector<FaceFill>& fills, QPoint origin) {
    for (const FaceFill& fill : fills) {
        if (fill.rect.isValid()) {
            painter.fillRect(fill.rect.translated(origin), ColorFromRef(fill.color));
        }
    }
}

void DrawButtonFrame(QPainter& painter, const QRect& rect, bool pressed) {
    const int x = rect.left();
    const int y = rect.top();
    const int w = rect.width();
    const int h = rect.height();
    if (pressed) {
        Line(painter, x, y, w, 1, EdgeShadow);
        Line(painter, x, y, 1, h, EdgeShadow);
        Line(painter, x + 1, y + 1, w - 1, 1, EdgeDarkShadow);
        Line(painter, x + 1, y + 1, 1, h - 1, EdgeDarkShadow);
    } else {
        Line(painter, x, y + h - 1, w, 1, EdgeDarkShadow);
        Line(painter, x + w - 1, y, 1, h, EdgeDarkShadow);
        Line(painter, x, y + h - 2, w - 1, 1, EdgeShadow);
        Line(painter, x + w - 2, y, 1, h - 1, EdgeShadow);
    }
}

void DrawFocusRectangle(QPainter& painter, const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    // One-pixel squares rather than points: a square covers whole device pixels at any pixel
    // ratio, where a point is centred on a pixel corner once the ratio is above 1.
    QList<QRect> dots;
    auto add = [&dots](int x, int y) {
        if ((x + y) % 2 == 0) {
            dots.append(QRect(x, y, 1, 1));
        }
    };
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width() - 1;
    const int bottom = rect.top() + rect.height() - 1;
    for (int x = left; x <= right; ++x) {
        add(x, top);
        if (bottom != top) {
            add(x, bottom);
        }
    }
    for (int y = top + 1; y < bottom; ++y) {
        add(left, y);
        if (right != left) {
            add(right, y);
        }
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRects(dots.data(), static_cast<int>(dots.size()));
    painter.restore();
}

void DrawSingleLineLabel(QPainter& painter, const QRect& rect, const QString& text,
                         const QColor& textColor, const std::optional<QColor>& background) {
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (background) {
        FillLabelCell(painter, rect, flags, text, *background);
    }
    painter.setPen(textColor);
    painter.drawText(rect, flags, text);
}

void DrawTwoLineLabel(QPainter& painter, const QRect& rect, const QString& text,
                      const QColor& textColor, const QColor& background) {
    const int lineHeight = QFontMetrics(painter.font()).height();
    const int flags = Qt::AlignHCenter | Qt::AlignTop;  // no mnemonic: "&" is drawn as itself
    int top = rect.top() + TwoLineLabelTop(rect.height(), lineHeight);
    painter.setPen(textColor);
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QRect cell(rect.left(), top, rect.width(), lineHeight);
        FillLabelCell(painter, cell, flags, line, background);
        painter.drawText(cell, flags, line);
        top += lineHeight;
    }
}
