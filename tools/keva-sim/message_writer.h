// The text of everything keva-sim sends. Each message is one JSON object on one line:
//   {"Message": "State", "Sequence": 7, "Version": 1, "Parameters": {...}}
// followed by a line feed (the console needs no separator; the line feed keeps captures
// readable). Names from the station file go out exactly as they stand there.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "keva-sim/rotator_motion.h"
#include "keva-sim/station_description.h"
#include "keva-sim/station_state.h"

std::string EnvelopeText(std::string_view message, int64_t sequence, std::string_view parameters);

std::string ServerParameters(const StationDescription& station);
std::string ConfigurationParameters(const StationDescription& station);
std::string RotatorsParameters(const StationDescription& station);
std::string RotationParameters(const RotationReport& report);
std::string StateParameters(const RadioView& view);
