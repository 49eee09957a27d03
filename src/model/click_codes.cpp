#include "model/click_codes.h"

namespace {

// The code that asks for a side in its deciding state: drop a selected side, add an available
// one, nothing otherwise.
int32_t AdditiveCode(int32_t state) {
    switch (state) {
        case SwitchState::Selected:
            return RemoveAdditive;
        case SwitchState::Available:
            return AddAdditive;
        default:
            return NoAntennaCode;
    }
}

bool Selectable(int32_t state) {
    return state == SwitchState::Available || state == SwitchState::Selected;
}

}  // namespace

AntennaCodes AntennaClickCodes(const AntFuncDescription& antenna, bool txArmed, bool rxArmed) {
    AntennaCodes codes;
    if (!antenna.additive) {
        codes = {SelectAlone, SelectAlone};
    } else if (rxArmed) {
        codes = {NoAntennaCode, AdditiveCode(antenna.rxState)};
    } else if (Selectable(antenna.txState)) {
        codes = {AdditiveCode(antenna.txState), AdditiveCode(antenna.txState)};
    } else {
        codes = {NoAntennaCode, AdditiveCode(antenna.rxState)};
    }
    if (txArmed) {
        codes.rx = NoAntennaCode;
    }
    if (rxArmed) {
        codes.tx = NoAntennaCode;
    }
    return codes;
}

AntennaCodes AntennaDoubleClickCodes(bool lastClickTxArmed, bool lastClickRxArmed) {
    return {lastClickRxArmed ? NoAntennaCode : SelectAloneAgain,
            lastClickTxArmed ? NoAntennaCode : SelectAloneAgain};
}

int32_t FunctionClickState(const AntFuncDescription& function) {
    if (function.momentary) {
        return function.txState == SwitchState::Available ? SwitchOn : NoFunctionCode;
    }
    // Available asks to switch on, Selected to switch off: the state is the code.
    return Selectable(function.txState) ? function.txState : NoFunctionCode;
}

int32_t FunctionDoubleClickState(const AntFuncDescription& function) {
    return function.alternate && function.txState != SwitchState::Unavailable ? ToggleAlternate
                                                                              : NoFunctionCode;
}
