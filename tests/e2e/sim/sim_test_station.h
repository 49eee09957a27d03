// A small station for the rules tests, built in code so each test sees every antenna.
#pragma once

#include <string>

#include "keva-sim/station_description.h"

// Antennas, in this order (numbers 1 to 6):
//   1 "Low"   3.5 MHz only
//   2 "Yagi"  14 MHz
//   3 "Tri"   14 and 21 MHz
//   4 "Vert"  3.5 and 14 MHz
//   5 "Bev"   3.5 and 14 MHz, additive, receive-only
//   6 "Stack" 14 MHz, additive
// Functions 1 "Amp" (plain), 2 "Tune" (momentary), 3 "Split" (alternate).
// Radio 1 starts on 14025 kHz, radio 2 on 14100 kHz.
StationDescription TestStation();
