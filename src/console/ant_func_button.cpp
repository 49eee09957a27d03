#include "console/ant_func_button.h"

#include <QPainter>

#include "console/button_painting.h"
#include "console/color_scheme.h"

CAntFuncButton::CAntFuncButton(int controlId, QWidget* parent)
    : OwnerDrawButton(controlId, parent) {}

void CAntFuncButton::SetState(const GridButtonState& state) {
    state_ = state;
    Redraw();
}

void CAntFuncButton::DrawItem(QPainter& painter, const QRect& rect, bool pressed) {
    const ColorScheme& scheme = CurrentColorScheme();
    DrawFills(painter, AntFuncFills(state_, scheme, rect.size()), rect.topLeft());
    DrawButtonFrame(painter, rect, pressed);
    QRect labelRect = rect;
    if (state_.highlight) {
        labelRect = rect.adjusted(3, 3, -3, -3);
        DrawFocusRectangle(painter, labelRect);
    }
    DrawSingleLineLabel(painter, labelRect, text(), ColorFromRef(scheme.textColor), std::nullopt);
}
