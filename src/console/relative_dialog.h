// The Relative Antennas window: "Ant 1" to "Ant 4", "Next" and "Previous" each send one
// "Antenna" message with a relative code on both sides; the server decides which antennas that
// means. The window stays open for further clicks; OK and Cancel close it and send nothing.
#pragma once

#include <QDialog>
#include <cstdint>

class QPushButton;

// The relative codes, sent as both the TX and the RX code.
inline constexpr int32_t RelativeAntenna = 5;
inline constexpr int32_t NextAntenna = 6;
inline constexpr int32_t PreviousAntenna = 7;

// What one button of the window sends.
struct RelativeRequest {
    int32_t code = 0;
    int32_t antenna = 0;
};
// By control id: 3 to 6 ("Ant 1" to "Ant 4"), 8 ("Next"), 7 ("Previous"); code 0 for others.
RelativeRequest RelativeRequestFor(int controlId);

class CRelative : public QDialog {
    Q_OBJECT
public:
    explicit CRelative(QWidget* parent = nullptr);

    QPushButton* button(int controlId) const;  // 1 to 8; else none

    // One SendAntenna with the button's code on both sides.
    void OnRelativeClicked(int controlId);
};
