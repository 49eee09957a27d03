// The station's switching rules: which antennas each radio has selected on each side, the
// functions' states, and what every radio may select. No sockets, no clock of its own: the
// caller passes the time, so tests drive it directly.
//
// Rules:
// - An antenna is Unavailable on both sides for a radio whose frequency it does not cover.
// - A receive-only antenna is Unavailable for transmit.
// - An antenna selected for transmit by one radio is Unavailable for transmit to every other
//   radio (lock-out). Receiving is shared.
// - A side holds a set of antennas: codes 1 and 2 select one antenna alone, 3 adds an additive
//   antenna, 4 removes one; 5 selects the n-th covering antenna (n from 0), 6 and 7 step to
//   the next or previous covering antenna that the side may use, wrapping round.
// - A function is Available (1) or Selected (2); a momentary one falls back to Available
//   MomentaryMs after it was switched on. Code 3 toggles an alternate function's second mode,
//   shown as its highlight.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "keva-sim/station_description.h"
#include "protocol/codes.h"

enum class Side { Tx, Rx };

struct AntennaView {
    int32_t antenna = 0;
    int32_t tx = SwitchState::Unavailable;
    int32_t rx = SwitchState::Unavailable;
    bool highlight = false;
    bool operator==(const AntennaView&) const = default;
};

struct FunctionView {
    int32_t function = 0;
    int32_t state = SwitchState::Available;
    bool highlight = false;
    bool operator==(const FunctionView&) const = default;
};

// What one radio's "State" message says.
struct RadioView {
    std::string txLongName;  // long names of the selected antennas, joined by " + "
    std::string rxLongName;
    std::vector<AntennaView> antennas;
    std::vector<FunctionView> functions;
    bool operator==(const RadioView&) const = default;
};

class StationState {
public:
    static constexpr int64_t MomentaryMs = 300;
    static constexpr std::size_t MaxRadios = 64;

    explicit StationState(StationDescription station);

    const StationDescription& Description() const { return station_; }

    // A radio starts with nothing selected, every function Available, and the frequency its
    // station file gives (else the station's lower frequency). Known radios are left alone.
    // False when the station already has MaxRadios radios.
    bool AddRadio(int32_t radio);
    bool HasRadio(int32_t radio) const;
    std::vector<int32_t> Radios() const;
    int32_t Frequency(int32_t radio) const;

    // Each returns the empty text when the request was applied, else why it was ignored.
    std::string RequestAntenna(int32_t radio, Side side, int32_t code, int32_t antenna);
    std::string RequestFunction(int32_t radio, int32_t function, int32_t code, int64_t nowMs);
    // Antennas that do not cover the new frequency leave the radio's selection.
    std::string RequestFrequency(int32_t radio, int32_t frequencyKhz);

    // Momentary functions whose time has come fall back; returns the radios that changed.
    std::vector<int32_t> ExpireMomentary(int64_t nowMs);
    // The earliest time at which ExpireMomentary has something to do.
    std::optional<int64_t> NextDeadline() const;

    RadioView View(int32_t radio) const;

private:
    struct FunctionState {
        int32_t state = SwitchState::Available;
        bool highlight = false;
        std::optional<int64_t> fallBackAt;
    };
    struct Radio {
        int32_t number = 0;
        int32_t frequency = 0;
        std::vector<bool> tx;  // by antenna index
        std::vector<bool> rx;
        std::vector<FunctionState> functions;  // by function index
    };

    Radio* Find(int32_t radio);
    const Radio* Find(int32_t radio) const;
    std::optional<std::size_t> AntennaIndex(int32_t number) const;
    bool LockedByOther(const Radio& radio, std::size_t antenna) const;
    bool Usable(const Radio& radio, Side side, std::size_t antenna) const;
    std::vector<std::size_t> Covering(const Radio& radio) const;
    std::string Step(Radio& radio, Side side, int direction);
    std::string Refusal(const Radio& radio, Side side, std::size_t antenna) const;

    StationDescription station_;
    std::vector<Radio> radios_;
};
