// Dialog templates are laid out in dialog units; these are the classic base units of an 8-point
// dialog font (6 x 13 px per 4 x 8 units), with halves rounded up. Qt's scale factor applies
// on top.
#pragma once

#include <QRect>

constexpr int DialogUnitsToPixelsX(int du) {
    return (du * 3 + 1) / 2;
}
constexpr int DialogUnitsToPixelsY(int du) {
    return (du * 13 + 4) / 8;
}

// A control's rectangle from its template position and size.
inline QRect DialogRect(int x, int y, int width, int height) {
    return QRect(DialogUnitsToPixelsX(x), DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(width),
                 DialogUnitsToPixelsY(height));
}
