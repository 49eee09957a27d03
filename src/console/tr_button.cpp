#include "console/tr_button.h"

#include <QPainter>

#include "console/button_painting.h"
#include "console/color_scheme.h"

CTRButton::CTRButton(int controlId, QWidget* parent) : OwnerDrawButton(controlId, parent) {}

void CTRButton::SetArmed(bool armed) {
    armed_ = armed;
    Redraw();
}

void CTRButton::DrawItem(QPainter& painter, const QRect& rect, bool pressed) {
    const ColorScheme& scheme = CurrentColorScheme();
    const QColor face = ColorFromRef(ModeButtonFace(armed_, scheme));
    painter.fillRect(rect, face);
    DrawButtonFrame(painter, rect, pressed);
    DrawSingleLineLabel(painter, rect, text(), ColorFromRef(scheme.textColor), face);
}
