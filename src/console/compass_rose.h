// The compass rose: 360 x 360 px, north up, centred on pixel (180, 180), white and grey on
// black: a graduated ring with a figure every 15 degrees, N, E, S and W on the ring, ne, se, sw
// and nw inside and an eight-pointed star in the middle. Painted once per process for each
// device pixel ratio in use, at that ratio's resolution with the same geometry in logical
// pixels, so that a screen scaled by 2 shows a rose drawn for its pixels, not one stretched.
#pragma once

#include <QtGlobal>

class QImage;

// The rose at device pixel ratio 1: 360 x 360 pixels.
const QImage& CompassRoseImage();
// The rose for `devicePixelRatio` (ratios of 0 or below, or not finite, count as 1; above 16
// as 16): an image of ceil(360 x ratio) pixels square carrying that ratio, so that it draws
// 360 x 360 logical pixels.
const QImage& CompassRoseImage(qreal devicePixelRatio);
// A freshly painted rose (CompassRoseImage keeps the first of each ratio).
QImage PaintCompassRose(qreal devicePixelRatio = 1);
