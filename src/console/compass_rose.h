// The compass rose: 360 x 360 px, north up, centred on pixel (180, 180), white and grey on
// black: a graduated ring with a figure every 15 degrees, N, E, S and W on the ring, ne, se, sw
// and nw inside and an eight-pointed star in the middle. Painted once per process.
#pragma once

class QImage;

const QImage& CompassRoseImage();
// A freshly painted rose (CompassRoseImage keeps the first).
QImage PaintCompassRose();
