// What a click on a grid button asks of the server: plain decisions, no widgets.
#pragma once

#include <cstdint>

#include "model/ant_func_description.h"

// TX and RX codes of an "Antenna" request; 0 leaves that side out.
struct AntennaCodes {
    int32_t tx = 0;
    int32_t rx = 0;
    bool operator==(const AntennaCodes&) const = default;
};

// A single click on an antenna, with the mode buttons' armed flags at the time of the click.
AntennaCodes AntennaClickCodes(const AntFuncDescription& antenna, bool txArmed, bool rxArmed);
// The second press of a double click, with the armed flags recorded at the first press.
AntennaCodes AntennaDoubleClickCodes(bool lastClickTxArmed, bool lastClickRxArmed);
// "Function" state codes; 0 sends nothing.
int32_t FunctionClickState(const AntFuncDescription& function);
int32_t FunctionDoubleClickState(const AntFuncDescription& function);
