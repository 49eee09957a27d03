// What a screen reader says of the console's controls, in plain words, apart from any widget:
// everything the faces show in colours. Texts are UTF-8 bytes; only '&' and line feeds are
// looked at, so any byte sequence passes through unharmed.
#pragma once

#include <cstdint>
#include <string>

#include "model/ant_func_description.h"
#include "model/station_view.h"

// A single-line label as the face shows it: "&&" is one '&', a lone '&' (the mnemonic mark, or
// a last character) is not shown, and a line feed shows as a blank.
std::string LabelAsShown(const std::string& label);

// "unavailable" for 0, "selected" for 2, "available" for any other code (as the face draws it).
std::string SwitchStateWord(int32_t state);

// An antenna: "TX <word>, RX <word>"; a function: the word of its state (the TX state, which
// the server sets equal to the RX state). Then ", highlighted" while the highlight is set.
std::string GridButtonDescription(DescriptionKind kind, const GridButtonState& state);

// A rotator button's label as shown: a two-line label reads with its line feeds as blanks and
// '&' as itself; a one-line label follows LabelAsShown.
std::string RotatorButtonName(const std::string& label);

// "bearing <n> degrees" when the label's last line is a bearing, then "on the grid" and
// "in use" for the marks that are set, joined by ", "; empty when none applies.
std::string RotatorButtonDescription(const std::string& label, bool onGrid, bool inUse);

// The needle's bearing: "<n> degrees", or "no position" when no needle is drawn.
std::string CompassValueText(int32_t relativePosition);

// The range the rotator reaches: "reachable from <ccwLimit> clockwise through
// <ccwLimit + rotation> degrees" while part of the circle is shaded, else "no limit".
std::string CompassRangeText(int32_t ccwLimit, int32_t rotation);
