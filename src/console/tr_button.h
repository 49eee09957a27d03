// The TX and RX mode buttons (ids 1009 and 1005): armed, the next antenna click applies to this
// side only, and the face shows the selected colour. To assistive technology the button is
// checkable and checked while armed.
#pragma once

#include "console/owner_draw_button.h"

class CTRButton : public OwnerDrawButton {
    Q_OBJECT
public:
    CTRButton(int controlId, const ColorScheme& scheme, QWidget* parent);

    // Stores the flag and repaints now; a change of the flag is announced as a change of the
    // checked state.
    void SetArmed(bool armed);
    bool armed() const { return armed_; }

    void DrawItem(QPainter& painter, const QRect& rect, bool pressed) override;

private:
    bool armed_ = false;
};
