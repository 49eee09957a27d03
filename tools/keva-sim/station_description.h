// The station that keva-sim plays: what its station file describes, fixed for the whole run.
//
// Names are kept as they stand in the station file, between the quotes: JSON string text with
// its escapes undecoded, so they go back on the wire unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A frequency range in kHz, both ends included.
struct Band {
    int32_t lowKhz = 0;
    int32_t highKhz = 0;
};

struct AntennaSetup {
    int32_t number = 0;
    std::string shortName;
    std::string longName;
    int32_t row = -1;
    int32_t column = -1;
    bool additive = false;     // added to or removed from a selection rather than replacing it
    bool receiveOnly = false;  // never Available for transmit
    std::vector<int32_t> rotators;
    std::vector<Band> bands;

    bool Covers(int64_t frequencyKhz) const;
};

struct FunctionSetup {
    int32_t number = 0;
    std::string shortName;
    std::string longName;
    int32_t row = -1;
    int32_t column = -1;
    bool momentary = false;  // falls back to Available shortly after it is switched on
    bool alternate = false;  // has a second mode, toggled by state code 3 and shown as Highlight
};

struct RotatorSetup {
    int32_t number = 0;
    std::string shortName;
    std::string longName;
    int32_t ccwLimit = 0;      // bearing of the counter-clockwise stop, 0..359
    int32_t rotation = 360;    // degrees from that stop clockwise to the other one
    bool hasStop = false;      // accepts "Stop"
    int32_t speed = 6;         // degrees per second
    int32_t startBearing = 0;  // where it points when the simulator starts, 0..359
};

// A radio's frequency before any "Radio" request names one.
struct RadioSetup {
    int32_t radio = 0;
    int32_t frequency = 0;
};

struct StationDescription {
    int32_t station = 1;
    int32_t lowerFrequency = 0;
    int32_t upperFrequency = 0;
    std::vector<RadioSetup> radios;
    std::vector<AntennaSetup> antennas;
    std::vector<FunctionSetup> functions;
    std::vector<RotatorSetup> rotators;
};
