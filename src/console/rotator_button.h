// A rotator button of the console (ids 20 to 29): available-coloured when an antenna on the grid
// lists the rotator, with both selection bars while such an antenna is selected. Its label is
// the rotator's name and, on a second line, its bearing.
#pragma once

#include <string>

#include "console/owner_draw_button.h"

class CRotatorButton : public OwnerDrawButton {
    Q_OBJECT
public:
    CRotatorButton(int controlId, const ColorScheme& scheme, QWidget* parent);

    // Sets the label (UTF-8) and both marks, then repaints now.
    void SetLabelAndMarks(const std::string& label, bool onGrid, bool inUse);
    bool onGrid() const { return onGrid_; }
    bool inUse() const { return inUse_; }

    void DrawItem(QPainter& painter, const QRect& rect, bool pressed) override;
    QString SpokenName() const override;
    QString SpokenDescription() const override;

private:
    bool onGrid_ = false;
    bool inUse_ = false;
};
