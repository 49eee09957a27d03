#include "console/tr_button.h"

#include <QAccessible>
#include <QPainter>

#include "console/button_painting.h"
#include "console/color_scheme.h"
#include "console/console_accessibility.h"

CTRButton::CTRButton(int controlId, const ColorScheme& scheme, QWidget* parent)
    : OwnerDrawButton(controlId, scheme, parent) {}

void CTRButton::SetArmed(bool armed) {
    const bool changed = armed != armed_;
    armed_ = armed;
    Redraw();
    if (changed) {
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent event(this, checked);
        Announce(event);
        emit announced(&event);
    }
}

void CTRButton::DrawItem(QPainter& painter, const QRect& rect, bool pressed) {
    const ColorScheme& scheme = this->scheme();
    const QColor face = ColorFromRef(ModeButtonFace(armed_, scheme));
    painter.fillRect(rect, face);
    DrawButtonFrame(painter, rect, pressed);
    DrawSingleLineLabel(painter, rect, text(), ColorFromRef(scheme.textColor), face);
}
