#include "keva-sim/station_state.h"

#include <algorithm>
#include <utility>

namespace {

const char* SideName(Side side) {
    return side == Side::Tx ? "TX" : "RX";
}

std::string JoinLongNames(const StationDescription& station, const std::vector<bool>& selected) {
    std::string names;
    for (std::size_t i = 0; i < selected.size(); ++i) {
        if (selected[i]) {
            names += (names.empty() ? "" : " + ") + station.antennas[i].longName;
        }
    }
    return names;
}

}  // namespace

StationState::StationState(StationDescription station) : station_(std::move(station)) {
    for (const RadioSetup& setup : station_.radios) {
        AddRadio(setup.radio);
    }
}

bool StationState::AddRadio(int32_t number) {
    if (HasRadio(number)) {
        return true;
    }
    if (radios_.size() >= MaxRadios) {
        return false;
    }
    Radio radio;
    radio.number = number;
    radio.frequency = station_.lowerFrequency;
    for (const RadioSetup& setup : station_.radios) {
        if (setup.radio == number) {
            radio.frequency = setup.frequency;
        }
    }
    radio.tx.assign(station_.antennas.size(), false);
    radio.rx.assign(station_.antennas.size(), false);
    radio.functions.resize(station_.functions.size());
    radios_.push_back(std::move(radio));
    return true;
}

bool StationState::HasRadio(int32_t radio) const {
    return Find(radio) != nullptr;
}

std::vector<int32_t> StationState::Radios() const {
    std::vector<int32_t> numbers;
    for (const Radio& r : radios_) {
        numbers.push_back(r.number);
    }
    return numbers;
}

int32_t StationState::Frequency(int32_t radio) const {
    const Radio* r = Find(radio);
    return r ? r->frequency : 0;
}

StationState::Radio* StationState::Find(int32_t radio) {
    for (Radio& r : radios_) {
        if (r.number == radio) {
            return &r;
        }
    }
    return nullptr;
}

const StationState::Radio* StationState::Find(int32_t radio) const {
    return const_cast<StationState*>(this)->Find(radio);
}

std::optional<std::size_t> StationState::AntennaIndex(int32_t number) const {
    for (std::size_t i = 0; i < station_.antennas.size(); ++i) {
        if (station_.antennas[i].number == number) {
            return i;
        }
    }
    return std::nullopt;
}

bool StationState::LockedByOther(const Radio& radio, std::size_t antenna) const {
    return std::any_of(radios_.begin(), radios_.end(),
                       [&](const Radio& other) { return &other != &radio && other.tx[antenna]; });
}

bool StationState::Usable(const Radio& radio, Side side, std::size_t antenna) const {
    const AntennaSetup& setup = station_.antennas[antenna];
    if (!setup.Covers(radio.frequency)) {
        return false;
    }
    return side == Side::Rx || (!setup.receiveOnly && !LockedByOther(radio, antenna));
}

std::string StationState::Refusal(const Radio& radio, Side side, std::size_t antenna) const {
    const AntennaSetup& setup = station_.antennas[antenna];
    std::string why = "antenna " + std::to_string(setup.number) + " is not available for " +
                      SideName(side) + " on radio " + std::to_string(radio.number);
    if (!setup.Covers(radio.frequency)) {
        return why + ": it does not cover " + std::to_string(radio.frequency) + " kHz";
    }
    if (side == Side::Tx && setup.receiveOnly) {
        return why + ": it is receive-only";
    }
    return why + ": another radio transmits on it";
}

std::vector<std::size_t> StationState::Covering(const Radio& radio) const {
    std::vector<std::size_t> covering;
    for (std::size_t i = 0; i < station_.antennas.size(); ++i) {
        if (station_.antennas[i].Covers(radio.frequency)) {
            covering.push_back(i);
        }
    }
    return covering;
}

std::string StationState::Step(Radio& radio, Side side, int direction) {
    std::vector<bool>& selection = side == Side::Tx ? radio.tx : radio.rx;
    const std::vector<std::size_t> covering = Covering(radio);
    const int64_t n = static_cast<int64_t>(covering.size());
    // Start from the first selected covering antenna; with none, just before the first (Next)
    // or just after the last (Previous).
    int64_t from = direction > 0 ? n - 1 : 0;
    for (int64_t k = 0; k < n; ++k) {
        if (selection[covering[k]]) {
            from = k;
            break;
        }
    }
    for (int64_t k = 1; k <= n; ++k) {
        const std::size_t candidate = covering[((from + direction * k) % n + n) % n];
        if (Usable(radio, side, candidate)) {
            selection.assign(selection.size(), false);
            selection[candidate] = true;
            return {};
        }
    }
    return std::string("no antenna to step to for ") + SideName(side) + " on radio " +
           std::to_string(radio.number);
}

std::string StationState::RequestAntenna(int32_t radioNumber, Side side, int32_t code,
                                         int32_t antenna) {
    Radio* radio = Find(radioNumber);
    if (radio == nullptr) {
        return "radio " + std::to_string(radioNumber) + " is unknown";
    }
    std::vector<bool>& selection = side == Side::Tx ? radio->tx : radio->rx;
    if (code == NextAntenna || code == PreviousAntenna) {
        return Step(*radio, side, code == NextAntenna ? 1 : -1);
    }
    std::optional<std::size_t> index;
    if (code == RelativeAntenna) {
        const std::vector<std::size_t> covering = Covering(*radio);
        if (antenna < 0 || static_cast<std::size_t>(antenna) >= covering.size()) {
            return "radio " + std::to_string(radioNumber) + " has no relative antenna " +
                   std::to_string(antenna);
        }
        index = covering[static_cast<std::size_t>(antenna)];
    } else if (code >= SelectAlone && code <= RemoveAdditive) {
        index = AntennaIndex(antenna);
        if (!index) {
            return "the station has no antenna " + std::to_string(antenna);
        }
    } else {
        return "unknown antenna code " + std::to_string(code);
    }

    const std::size_t i = *index;
    if (code == RemoveAdditive) {
        if (!station_.antennas[i].additive || !selection[i]) {
            return "antenna " + std::to_string(antenna) +
                   " is not an additive antenna selected for " + SideName(side);
        }
        selection[i] = false;
        return {};
    }
    if (code == AddAdditive && !station_.antennas[i].additive) {
        return "antenna " + std::to_string(antenna) + " is not additive";
    }
    if (!Usable(*radio, side, i)) {
        return Refusal(*radio, side, i);
    }
    if (code != AddAdditive) {
        selection.assign(selection.size(), false);
    }
    selection[i] = true;
    return {};
}

std::string StationState::RequestFunction(int32_t radioNumber, int32_t function, int32_t code,
                                          int64_t nowMs) {
    Radio* radio = Find(radioNumber);
    if (radio == nullptr) {
        return "radio " + std::to_string(radioNumber) + " is unknown";
    }
    std::size_t i = 0;
    while (i < station_.functions.size() && station_.functions[i].number != function) {
        ++i;
    }
    if (i == station_.functions.size()) {
        return "the station has no function " + std::to_string(function);
    }
    const FunctionSetup& setup = station_.functions[i];
    FunctionState& state = radio->functions[i];
    switch (code) {
        case SwitchOn:
            state.state = SwitchState::Selected;
            if (setup.momentary) {
                state.fallBackAt = nowMs + MomentaryMs;
            }
            return {};
        case SwitchOff:
            state.state = SwitchState::Available;
            state.fallBackAt.reset();
            return {};
        case ToggleAlternate:
            if (!setup.alternate) {
                return "function " + std::to_string(function) + " has no alternate mode";
            }
            state.highlight = !state.highlight;
            return {};
        default:
            return "unknown function code " + std::to_string(code);
    }
}

std::string StationState::RequestFrequency(int32_t radioNumber, int32_t frequencyKhz) {
    Radio* radio = Find(radioNumber);
    if (radio == nullptr) {
        return "radio " + std::to_string(radioNumber) + " is unknown";
    }
    radio->frequency = frequencyKhz;
    for (std::size_t i = 0; i < station_.antennas.size(); ++i) {
        if (!station_.antennas[i].Covers(frequencyKhz)) {
            radio->tx[i] = false;
            radio->rx[i] = false;
        }
    }
    return {};
}

std::vector<int32_t> StationState::ExpireMomentary(int64_t nowMs) {
    std::vector<int32_t> changed;
    for (Radio& radio : radios_) {
        bool any = false;
        for (FunctionState& f : radio.functions) {
            if (f.fallBackAt && *f.fallBackAt <= nowMs) {
                f.fallBackAt.reset();
                f.state = SwitchState::Available;
                any = true;
            }
        }
        if (any) {
            changed.push_back(radio.number);
        }
    }
    return changed;
}

std::optional<int64_t> StationState::NextDeadline() const {
    std::optional<int64_t> next;
    for (const Radio& radio : radios_) {
        for (const FunctionState& f : radio.functions) {
            if (f.fallBackAt && (!next || *f.fallBackAt < *next)) {
                next = f.fallBackAt;
            }
        }
    }
    return next;
}

RadioView StationState::View(int32_t radioNumber) const {
    RadioView view;
    const Radio* radio = Find(radioNumber);
    if (radio == nullptr) {
        return view;
    }
    for (std::size_t i = 0; i < station_.antennas.size(); ++i) {
        AntennaView a;
        a.antenna = station_.antennas[i].number;
        a.tx = radio->tx[i]                  ? SwitchState::Selected
               : Usable(*radio, Side::Tx, i) ? SwitchState::Available
                                             : SwitchState::Unavailable;
        a.rx = radio->rx[i]                  ? SwitchState::Selected
               : Usable(*radio, Side::Rx, i) ? SwitchState::Available
                                             : SwitchState::Unavailable;
        view.antennas.push_back(a);
    }
    for (std::size_t i = 0; i < station_.functions.size(); ++i) {
        view.functions.push_back({station_.functions[i].number, radio->functions[i].state,
                                  radio->functions[i].highlight});
    }
    view.txLongName = JoinLongNames(station_, radio->tx);
    view.rxLongName = JoinLongNames(station_, radio->rx);
    return view;
}
