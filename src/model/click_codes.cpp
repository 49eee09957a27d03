#include "model/click_codes.h"

namespace {

// The code that asks for a side in its deciding state: 4 to drop a selected side, 3 to add an
// available one, 0 (nothing) otherwise.
int32_t AdditiveCode(int32_t state) {
    switch (state) {
        case SwitchState::Selected:
            return 4;
        case SwitchState::Available:
            return 3;
        default:
            return 0;
    }
}

bool Selectable(int32_t state) {
    return state == SwitchState::Available || state == SwitchState::Selected;
}

}  // namespace

AntennaCodes AntennaClickCodes(const AntFuncDescription& antenna, bool txArmed, bool rxArmed) {
    AntennaCodes codes;
    if (!antenna.additive) {
        codes = {1, 1};
    } else if (rxArmed) {
        codes = {0, AdditiveCode(antenna.rxState)};
    } else if (Selectable(antenna.txState)) {
        codes = {AdditiveCode(antenna.txState), AdditiveCode(antenna.txState)};
    } else {
        codes = {0, AdditiveCode(antenna.rxState)};
    }
    if (txArmed) {
        codes.rx = 0;
    }
    if (rxArmed) {
        codes.tx = 0;
    }
    return codes;
}

AntennaCodes AntennaDoubleClickCodes(bool lastClickTxArmed, bool lastClickRxArmed) {
    return {lastClickRxArmed ? 0 : 2, lastClickTxArmed ? 0 : 2};
}

int32_t FunctionClickState(const AntFuncDescription& function) {
    if (function.momentary) {
        return function.txState == SwitchState::Available ? 1 : 0;
    }
    return Selectable(function.txState) ? function.txState : 0;
}

int32_t FunctionDoubleClickState(const AntFuncDescription& function) {
    return function.alternate && function.txState != SwitchState::Unavailable ? 3 : 0;
}
