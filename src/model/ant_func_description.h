// One antenna or function as the server's "Configuration" described it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class DescriptionKind : int32_t { Antenna = 0, Function = 1 };

// The state of an antenna side or of a function. Values are stored as received: any code but
// these is drawn as available and not selected.
namespace SwitchState {
inline constexpr int32_t Unavailable = 0;
inline constexpr int32_t Available = 1;
inline constexpr int32_t Selected = 2;
}  // namespace SwitchState

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
