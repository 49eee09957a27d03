// Where the console's 29 controls sit, in dialog units of the console face (371 x 203 du,
// 557 x 330 px), and the order the keyboard visits them in.
#pragma once

#include <array>

#include "model/rotator.h"
#include "model/station_view.h"

// Control ids.
inline constexpr int FirstGridButtonId = 5;      // 5 to 19: slot j has id 5 + j
inline constexpr int FirstRotatorButtonId = 20;  // 20 to 29: rotator i has id 20 + i
inline constexpr int TxLabelId = 1007;
inline constexpr int RxLabelId = 1010;
inline constexpr int TxModeButtonId = 1009;
inline constexpr int RxModeButtonId = 1005;

inline constexpr int ConsoleWidthDu = 371;
inline constexpr int ConsoleHeightDu = 203;

// A control's place in dialog units.
struct DialogItem {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DialogItem&) const = default;
};

// The place of the control with this id; all zero for an id the console does not have.
DialogItem ConsoleItem(int id);

// The tab order: 5 to 19, 20, 24, 29, 21, 22, 23, 25 to 28, 1007, 1010, 1009, 1005.
inline constexpr int ConsoleControlCount = GridSlots + MaxRotators + 4;
std::array<int, ConsoleControlCount> ConsoleTabOrder();
