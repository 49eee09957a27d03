#include "sim_test_station.h"

namespace {

AntennaSetup Antenna(int32_t number, const std::string& name, std::vector<Band> bands,
                     bool additive = false, bool receiveOnly = false) {
    AntennaSetup a;
    a.number = number;
    a.shortName = name;
    a.longName = name + " long";
    a.bands = std::move(bands);
    a.additive = additive;
    a.receiveOnly = receiveOnly;
    return a;
}

FunctionSetup Function(int32_t number, const std::string& name, bool momentary, bool alternate) {
    FunctionSetup f;
    f.number = number;
    f.shortName = f.longName = name;
    f.momentary = momentary;
    f.alternate = alternate;
    return f;
}

}  // namespace

StationDescription TestStation() {
    const Band b80{3500, 4000};
    const Band b20{14000, 14350};
    const Band b15{21000, 21450};
    StationDescription s;
    s.lowerFrequency = 1800;
    s.upperFrequency = 29700;
    s.radios = {{1, 14025}, {2, 14100}};
    s.antennas = {Antenna(1, "Low", {b80}),
                  Antenna(2, "Yagi", {b20}),
                  Antenna(3, "Tri", {b20, b15}),
                  Antenna(4, "Vert", {b80, b20}),
                  Antenna(5, "Bev", {b80, b20}, true, true),
                  Antenna(6, "Stack", {b20}, true)};
    s.functions = {Function(1, "Amp", false, false), Function(2, "Tune", true, false),
                   Function(3, "Split", false, true)};
    return s;
}
