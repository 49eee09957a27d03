// Loading the station file: one JSON object, read with the project's own reader and checked
// strictly, since a mistake in it would otherwise show up only as a puzzling console.
//
//   { "Station": 1, "LowerFrequency": 1800, "UpperFrequency": 29700,
//     "Radios":    [ {"Radio": 1, "Frequency": 14025} ],
//     "Antennas":  [ {"Antenna": 1, "ShortName": "Tribander", "LongName": "...", "Row": 0,
//                     "Column": 0, "Additive": false, "ReceiveOnly": false, "Rotators": [1],
//                     "Bands": [[14000, 14350], [21000, 21450]]} ],
//     "Functions": [ {"Function": 1, "ShortName": "Amp", "Row": 3, "Column": 2,
//                     "Momentary": false, "Alternate": false} ],
//     "Rotators":  [ {"Rotator": 1, "ShortName": "Tower", "CCWLimit": 180, "Rotation": 450,
//                     "HasStop": true, "Speed": 6, "StartBearing": 0} ] }
//
// "Station" defaults to 1, "Radios", "Functions" and "Rotators" to none, "LongName" to the
// short name, "Row" and "Column" to -1 (no place), flags to false, "Speed" to 6 and
// "StartBearing" to the rotator's counter-clockwise limit.
#pragma once

#include <string>
#include <string_view>

#include "keva-sim/station_description.h"

// On failure returns false and sets `error` to one line naming the first problem.
bool ParseStation(std::string_view text, StationDescription& station, std::string& error);

// As ParseStation, reading the file at `path`; the error names the file.
bool LoadStationFile(const std::string& path, StationDescription& station, std::string& error);
