// The Relative Antennas window: "Ant 1" to "Ant 4", "Next" and "Previous" each send one
// "Antenna" message with a relative code on both sides; the server decides which antennas that
// means. The window stays open for further clicks; OK and Cancel close it and send nothing.
#pragma once

#include <QDialog>
#include <cstdint>

#include "protocol/codes.h"

class QPushButton;

// What one button of the window sends.
struct RelativeRequest {
    int32_t code = NoAntennaCode;
    int32_t antenna = 0;
};
// By control id: 3 to 6 ("Ant 1" to "Ant 4"), 8 ("Next"), 7 ("Previous"); no code for others.
RelativeRequest RelativeRequestFor(int controlId);

class CRelative : public QDialog {
    Q_OBJECT
public:
    explicit CRelative(QWidget* parent = nullptr);

    QPushButton* button(int controlId) const;  // 1 to 8; else none

    // Asks for one "Antenna" with the button's code on both sides.
    void OnRelativeClicked(int controlId);

signals:
    void antennaRequested(int32_t txCode, int32_t antenna, int32_t rxCode);
};
