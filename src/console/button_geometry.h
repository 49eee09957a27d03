// Where the console buttons put their colours, apart from any widget. Rectangles have
// exclusive right and bottom edges: QRect(x, y, width, height).
#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>
#include <string>
#include <vector>

#include "console/color_scheme.h"
#include "model/station_view.h"

// A state counts as available when it is not 0 and as selected only when it is 2.
bool StateAvailable(int32_t state);
bool StateSelected(int32_t state);

// The selection bars: rows 6 to 8 and rows H - 9 to H - 7, from x = 10 to W - 10 exclusive.
QRect TopBarRect(QSize size);
QRect BottomBarRect(QSize size);

// One fill of a face, painted in list order.
struct FaceFill {
    QRect rect;
    uint32_t color = 0;
    bool operator==(const FaceFill&) const = default;
};

// The fills of a grid button: its face (whole, or split with the lower half H/2 .. H - 1 in the
// RX colour first and then the upper half 0 .. (H + 1)/2 - 1 in the TX colour, so that the
// middle row of an odd height takes the TX colour), then the bar of each selected side.
std::vector<FaceFill> AntFuncFills(const GridButtonState& state, const ColorScheme& scheme,
                                   QSize size);
// The fills of a rotator button: face, then both bars while in use.
std::vector<FaceFill> RotatorFills(bool onGrid, bool inUse, const ColorScheme& scheme, QSize size);
// The label background of a rotator button: the face colour, or availableColor while in use.
uint32_t RotatorLabelBackground(bool onGrid, bool inUse, const ColorScheme& scheme);
// The face of a mode button.
uint32_t ModeButtonFace(bool armed, const ColorScheme& scheme);

// A rotator label is laid out on two lines when it holds a line feed; the first line's top is
// H/2 - lineHeight, so the two lines sit right above and below the middle.
bool TwoLineLabel(const std::string& label);
int TwoLineLabelTop(int height, int lineHeight);
