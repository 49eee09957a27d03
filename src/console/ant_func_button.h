// A button of the antenna and function grid (ids 5 to 19): a face split between the TX state
// (upper half) and the RX state (lower half), a selection bar per selected side, and a focus
// rectangle when the server asks for a highlight.
#pragma once

#include "console/owner_draw_button.h"
#include "model/station_view.h"

class CAntFuncButton : public OwnerDrawButton {
    Q_OBJECT
public:
    CAntFuncButton(int controlId, QWidget* parent);

    // Stores the state fields and repaints now.
    void SetState(const GridButtonState& state);
    const GridButtonState& state() const { return state_; }
    int32_t txState() const { return state_.txState; }
    int32_t rxState() const { return state_.rxState; }
    bool highlight() const { return state_.highlight; }

    void DrawItem(QPainter& painter, const QRect& rect, bool pressed) override;

private:
    GridButtonState state_;  // all Unavailable, no highlight, until a State message names it
};
