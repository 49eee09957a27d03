// The arithmetic of the compass, apart from any widget. Bearings are whole degrees, 0 = north =
// up, clockwise. Radians and degrees convert with the constants 3.14159265 and
// 57.29577957855229 exactly as written (not the exact value of pi), in double precision, and
// every server value meets arithmetic in 64 bits or doubles, so no int32 input can overflow.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int CompassSize = 360;    // the rose is CompassSize x CompassSize pixels
inline constexpr int CompassCentre = 180;  // ... centred on pixel (180, 180)
inline constexpr int CompassRadius = 180;

// Radians of a bearing in degrees: degrees x 3.14159265 / 180.
double DegreesToRadians(int64_t degrees);

// The bearing pressed at (x, y), pixels from the control's top-left corner: the direction from
// the centre rounded to the nearest degree, 0 to 360 inclusive (a press straight above the
// centre gives 360; one on the centre gives 90). The distance from the centre is ignored.
int32_t BearingFromPoint(int x, int y);

// The unreachable range is shaded only while the range of rotation is below a full turn.
bool RangeShaded(int32_t rotation);

// The two radial points (relative to the centre, y downwards) that bound the shaded wedge:
// p1 on bearing ccwLimit, p2 on bearing ccwLimit + rotation, each
// (trunc(180 sin t + 0.5), -trunc(180 cos t + 0.5)).
struct WedgeRadials {
    int x1 = 0, y1 = 0;
    int x2 = 0, y2 = 0;
    bool operator==(const WedgeRadials&) const = default;
};
WedgeRadials WedgeRadialPoints(int32_t ccwLimit, int32_t rotation);

// The wedge as a pie in Qt's angles (degrees, 0 = three o'clock, counter-clockwise on screen):
// from the radial through p1 counter-clockwise to the radial through p2; when the two points
// coincide the pie is the whole circle (sweep 360).
struct PieAngles {
    double startDegrees = 0;
    double sweepDegrees = 0;  // in (0, 360]
};
PieAngles WedgePieAngles(const WedgeRadials& radials);

// The needle is drawn for a reported position only (NoPosition and other values of 20000 and
// more draw none).
bool NeedleVisible(int32_t relativePosition);
// The needle's rotation about the centre: (relativePosition + 180) in radians, applied to a
// needle drawn along the local y axis.
double NeedleRadians(int32_t relativePosition);

// "Rotator - " followed by the short name, or "Rotator" when the name is empty.
std::string RotatorWindowTitle(const std::string& shortName);
