// A button of the antenna and function grid (ids 5 to 19): a face split between the TX state
// (upper half) and the RX state (lower half), a selection bar per selected side, and a focus
// rectangle when the server asks for a highlight.
//
// From the keyboard, Space clicks the focused button and Shift+Space gives what a double click
// gives: clicked(), then doubleClicked().
#pragma once

#include "console/owner_draw_button.h"
#include "model/ant_func_description.h"
#include "model/station_view.h"

class CAntFuncButton : public OwnerDrawButton {
    Q_OBJECT
public:
    CAntFuncButton(int controlId, const ColorScheme& scheme, QWidget* parent);

    // Stores the state fields and repaints now.
    void SetState(const GridButtonState& state);
    const GridButtonState& state() const { return state_; }
    int32_t txState() const { return state_.txState; }
    int32_t rxState() const { return state_.rxState; }
    bool highlight() const { return state_.highlight; }

    // Whether the button shows an antenna (TX and RX told apart) or a function (one state), for
    // the words of its description; the face does not depend on it. Antenna until set.
    void SetKind(DescriptionKind kind);
    DescriptionKind kind() const { return kind_; }

    void DrawItem(QPainter& painter, const QRect& rect, bool pressed) override;
    QString SpokenDescription() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    GridButtonState state_;  // all Unavailable, no highlight, until a State message names it
    DescriptionKind kind_ = DescriptionKind::Antenna;
    bool doubleOnRelease_ = false;  // Space went down with Shift held
};
