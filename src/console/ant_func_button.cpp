#include "console/ant_func_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include "console/accessible_texts.h"
#include "console/button_painting.h"
#include "console/color_scheme.h"

CAntFuncButton::CAntFuncButton(int controlId, const ColorScheme& scheme, QWidget* parent)
    : OwnerDrawButton(controlId, scheme, parent) {
    RememberDescription();
}

void CAntFuncButton::SetState(const GridButtonState& state) {
    state_ = state;
    Redraw();
}

void CAntFuncButton::SetKind(DescriptionKind kind) {
    kind_ = kind;
    AnnounceDescription();
}

void CAntFuncButton::DrawItem(QPainter& painter, const QRect& rect, bool pressed) {
    const ColorScheme& scheme = this->scheme();
    DrawFills(painter, AntFuncFills(state_, scheme, rect.size()), rect.topLeft());
    DrawButtonFrame(painter, rect, pressed);
    QRect labelRect = rect;
    if (state_.highlight) {
        labelRect = rect.adjusted(3, 3, -3, -3);
        DrawFocusRectangle(painter, labelRect);
    }
    DrawSingleLineLabel(painter, labelRect, text(), ColorFromRef(scheme.textColor), std::nullopt);
}

QString CAntFuncButton::SpokenDescription() const {
    return Spoken(GridButtonDescription(kind_, state_));
}

void CAntFuncButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        doubleOnRelease_ = event->modifiers() == Qt::ShiftModifier;
    }
    OwnerDrawButton::keyPressEvent(event);
}

void CAntFuncButton::keyReleaseEvent(QKeyEvent* event) {
    const bool doubleClick =
        event->key() == Qt::Key_Space && !event->isAutoRepeat() && doubleOnRelease_ && isDown();
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        doubleOnRelease_ = false;
    }
    // The release clicks; the click's handler may run a nested loop (a message box) in which
    // the console hides or disables this button, as it can between the two presses of a mouse
    // double click. A hidden or disabled button gets no second press.
    QPointer<CAntFuncButton> self(this);
    OwnerDrawButton::keyReleaseEvent(event);
    if (doubleClick && self && isVisible() && isEnabled()) {
        emit doubleClicked();
    }
}
