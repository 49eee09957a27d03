// Drawing pieces shared by the owner-drawn buttons: fills, the classic 3-D frame, the dotted
// focus rectangle drawn by inversion, and the labels.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

#include "console/button_geometry.h"

class QPainter;

// The frame greys, fixed like the classic system colours rather than taken from a palette.
inline const QColor EdgeDarkShadow(105, 105, 105);
inline const QColor EdgeShadow(160, 160, 160);

// Paints each fill, its rectangle offset by `origin`.
void DrawFills(QPainter& painter, const std::vector<FaceFill>& fills, QPoint origin);

// Released: a raised edge on the bottom and right sides (outer line dark shadow, inner line
// shadow). Pressed: a sunken edge on the top and left sides (outer line shadow, inner line dark
// shadow). The other two sides are left as the face.
void DrawButtonFrame(QPainter& painter, const QRect& rect, bool pressed);

// A dotted one-pixel rectangle on the border pixels of `rect`, every other pixel inverted
// (those whose x + y is even), so drawing it twice restores the picture.
void DrawFocusRectangle(QPainter& painter, const QRect& rect);

// One line centred both ways; "&" marks the next character as the mnemonic. With a background
// the text's cell is filled with it first, otherwise the face shows behind the letters.
void DrawSingleLineLabel(QPainter& painter, const QRect& rect, const QString& text,
                         const QColor& textColor, const std::optional<QColor>& background);

// Lines broken at each line feed, each centred horizontally on its own cell filled with
// `background`; the first line's top is H/2 - line height, and "&" is drawn as itself.
void DrawTwoLineLabel(QPainter& painter, const QRect& rect, const QString& text,
                      const QColor& textColor, const QColor& background);
