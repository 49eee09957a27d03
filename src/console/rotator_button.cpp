#include "console/rotator_button.h"

#include <QPainter>

#include "console/accessible_texts.h"
#include "console/button_painting.h"
#include "console/color_scheme.h"

CRotatorButton::CRotatorButton(int controlId, const ColorScheme& scheme, QWidget* parent)
    : OwnerDrawButton(controlId, scheme, parent) {
    RememberDescription();
}

void CRotatorButton::SetLabelAndMarks(const std::string& label, bool onGrid, bool inUse) {
    onGrid_ = onGrid;
    inUse_ = inUse;
    setText(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
    Redraw();
}

void CRotatorButton::DrawItem(QPainter& painter, const QRect& rect, bool pressed) {
    const ColorScheme& scheme = this->scheme();
    DrawFills(painter, RotatorFills(onGrid_, inUse_, scheme, rect.size()), rect.topLeft());
    DrawButtonFrame(painter, rect, pressed);
    const QColor textColor = ColorFromRef(scheme.textColor);
    const QColor background = ColorFromRef(RotatorLabelBackground(onGrid_, inUse_, scheme));
    const QString label = text();
    if (label.contains(QLatin1Char('\n'))) {
        DrawTwoLineLabel(painter, rect, label, textColor, background);
    } else {
        DrawSingleLineLabel(painter, rect, label, textColor, background);
    }
}

QString CRotatorButton::SpokenName() const {
    return Spoken(RotatorButtonName(text().toStdString()));
}

QString CRotatorButton::SpokenDescription() const {
    return Spoken(RotatorButtonDescription(text().toStdString(), onGrid_, inUse_));
}
