// Paints a compass face: the rose at (0, 0), the unreachable range darkened to black at 192/255
// (only while rotation < 360) and the red needle at relativePosition (only while it is below
// 20000). The painter's state is restored afterwards.
#pragma once

#include <cstdint>

class QPainter;

void DrawCompassFace(QPainter& painter, int32_t ccwLimit, int32_t rotation,
                     int32_t relativePosition);
// The rose alone, painted for the pixel ratio of the painter's target.
void DrawCompassRose(QPainter& painter);
