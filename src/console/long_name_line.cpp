#include "console/long_name_line.h"

#include <QPainter>
#include <QStyle>
#include <QTextLayout>

void LongNameLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect();
    QString laidOut = text();
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, font(), painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine first = layout.createLine();
    if (first.isValid()) {
        first.setLineWidth(area.width());
    }
    layout.endLayout();
    QString shown = first.isValid() ? laidOut.left(first.textLength()) : QString();
    if (shown.endsWith(QChar::LineSeparator)) {
        shown.chop(1);
    }
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                          shown, foregroundRole());
}
