// The numbers the KEVA protocol gives meaning to: the codes of an "Antenna" or "Function"
// request and the state of an antenna side or a function in a "State".
#pragma once

#include <cstdint>

// One side ("TX" or "RX") of an "Antenna" request; NoAntennaCode leaves the side out.
enum AntennaCode : int32_t {
    NoAntennaCode = 0,
    SelectAlone = 1,
    SelectAloneAgain = 2,  // the second press of a double click
    AddAdditive = 3,
    RemoveAdditive = 4,
    RelativeAntenna = 5,  // the n-th antenna of the band, n from 0, named by "Antenna"
    NextAntenna = 6,
    PreviousAntenna = 7,
};

// The "State" of a "Function" request; NoFunctionCode sends nothing.
enum FunctionCode : int32_t {
    NoFunctionCode = 0,
    SwitchOn = 1,
    SwitchOff = 2,
    ToggleAlternate = 3,
};

// The state of an antenna side or of a function. Values are kept as received: any code but
// these is drawn as available and not selected.
namespace SwitchState {
inline constexpr int32_t Unavailable = 0;
inline constexpr int32_t Available = 1;
inline constexpr int32_t Selected = 2;
}  // namespace SwitchState
