// The texts of the console's outgoing messages, byte for byte. Each is one line; nothing is
// appended (no terminator, no line break): the JSON objects themselves delimit the messages.
#pragma once

#include <cstdint>
#include <string>

std::string HelloText(int32_t sequence, int32_t station, int32_t radio);
// The TX entry is present when txCode is not 0, the RX entry when rxCode is not 0.
std::string AntennaText(int32_t sequence, int32_t station, int32_t radio, int32_t txCode,
                        int32_t antenna, int32_t rxCode);
std::string FunctionText(int32_t sequence, int32_t station, int32_t radio, int32_t function,
                         int32_t state);
std::string RadioText(int32_t sequence, int32_t station, int32_t radio, int32_t frequency);
std::string DirectionTurnText(int32_t sequence, int32_t rotator, int32_t bearing);
std::string DirectionStopText(int32_t sequence, int32_t rotator);
