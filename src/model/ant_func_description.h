// One antenna or function as the server's "Configuration" described it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/codes.h"

enum class DescriptionKind : int32_t { Antenna = 0, Function = 1 };

struct AntFuncDescription {
    DescriptionKind kind = DescriptionKind::Antenna;
    int32_t number = -1;
    std::optional<std::string> shortName;
    std::optional<std::string> longName;
    int32_t row = -1;
    int32_t column = -1;
    bool additive = false;
    bool momentary = false;
    bool alternate = false;
    // Nothing looks available until a "State" names the description.
    int32_t txState = SwitchState::Unavailable;
    int32_t rxState = SwitchState::Unavailable;
    std::vector<int32_t> rotators;  // numbers of the rotators that turn this antenna
};
