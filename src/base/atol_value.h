// Every decimal text becomes a number by the rules of atol: numbers in received messages, and
// text typed by the operator or read from the settings file (port, station, radio, frequency,
// bearing, colours).
#pragma once

#include <cstdint>
#include <string_view>

// Leading white space skipped, one optional sign, decimal digits up to the first non-digit; no
// digits give 0. A value beyond the 32-bit range is clamped to 2147483647 or -2147483648, as
// strtol clamps, instead of overflowing.
int32_t AtolValue(std::string_view text);
