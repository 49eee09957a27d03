#include "console/compass_geometry.h"

#include <cmath>
#include <numbers>

namespace {

// Used exactly as written, not derived from the exact value of pi.
constexpr double PiAsWritten = 3.14159265;
constexpr double DegreesPerRadianAsWritten = 57.29577957855229;

int RadialComponent(double value) {
    return static_cast<int>(std::trunc(value + 0.5));
}

// Qt's angle of a point given with y downwards: degrees, counter-clockwise from three o'clock.
double ScreenAngleDegrees(int x, int y) {
    return std::atan2(-static_cast<double>(y), static_cast<double>(x)) * 180.0 / std::numbers::pi;
}

}  // namespace

double DegreesToRadians(int64_t degrees) {
    return static_cast<double>(degrees) * PiAsWritten / 180.0;
}

int32_t BearingFromPoint(int x, int y) {
    const double a =
        std::atan2(static_cast<double>(y) - CompassCentre, static_cast<double>(x) - CompassCentre);
    double d = a * DegreesPerRadianAsWritten + 90;
    if (d < 0) {
        d = d + 360;
    }
    return static_cast<int32_t>(d + 0.5);  // toward zero; d lies in [0, 360)
}

bool RangeShaded(int32_t rotation) {
    return rotation < 360;
}

WedgeRadials WedgeRadialPoints(int32_t ccwLimit, int32_t rotation) {
    const double t1 = DegreesToRadians(ccwLimit);
    const double t2 = DegreesToRadians(static_cast<int64_t>(ccwLimit) + rotation);
    WedgeRadials radials;
    radials.x1 = RadialComponent(CompassRadius * std::sin(t1));
    radials.y1 = -RadialComponent(CompassRadius * std::cos(t1));
    radials.x2 = RadialComponent(CompassRadius * std::sin(t2));
    radials.y2 = -RadialComponent(CompassRadius * std::cos(t2));
    return radials;
}

PieAngles WedgePieAngles(const WedgeRadials& radials) {
    PieAngles pie;
    pie.startDegrees = ScreenAngleDegrees(radials.x1, radials.y1);
    if (radials.x1 == radials.x2 && radials.y1 == radials.y2) {
        pie.sweepDegrees = 360;
        return pie;
    }
    double sweep = std::fmod(ScreenAngleDegrees(radials.x2, radials.y2) - pie.startDegrees, 360.0);
    if (sweep <= 0) {
        sweep += 360;
    }
    pie.sweepDegrees = sweep;
    return pie;
}

bool NeedleVisible(int32_t relativePosition) {
    return relativePosition < 20000;
}

double NeedleRadians(int32_t relativePosition) {
    return DegreesToRadians(static_cast<int64_t>(relativePosition) + 180);
}

std::string RotatorWindowTitle(const std::string& shortName) {
    return shortName.empty() ? std::string("Rotator") : "Rotator - " + shortName;
}
