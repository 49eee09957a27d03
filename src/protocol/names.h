// The names the KEVA protocol gives its messages and their members, byte for byte. Names are
// compared exactly and case-sensitively.
#pragma once

#include <string_view>

namespace MessageName {
// From the console.
inline constexpr std::string_view Hello = "Hello";
inline constexpr std::string_view Antenna = "Antenna";
inline constexpr std::string_view Function = "Function";
inline constexpr std::string_view Radio = "Radio";
inline constexpr std::string_view Direction = "Direction";
// From the server.
inline constexpr std::string_view Server = "Server";
inline constexpr std::string_view Configuration = "Configuration";
inline constexpr std::string_view State = "State";
inline constexpr std::string_view Rotators = "Rotators";
inline constexpr std::string_view Rotation = "Rotation";
}  // namespace MessageName

namespace MemberName {
// The envelope of every message.
inline constexpr std::string_view Message = "Message";
inline constexpr std::string_view Sequence = "Sequence";
inline constexpr std::string_view Version = "Version";
inline constexpr std::string_view Parameters = "Parameters";
// Who a request is for.
inline constexpr std::string_view Radios = "Radios";
inline constexpr std::string_view Station = "Station";
inline constexpr std::string_view Radio = "Radio";
// Antennas and functions, as described and as reported.
inline constexpr std::string_view Antennas = "Antennas";
inline constexpr std::string_view Antenna = "Antenna";
inline constexpr std::string_view Functions = "Functions";
inline constexpr std::string_view Function = "Function";
inline constexpr std::string_view ShortName = "ShortName";
inline constexpr std::string_view LongName = "LongName";
inline constexpr std::string_view Row = "Row";
inline constexpr std::string_view Column = "Column";
inline constexpr std::string_view Additive = "Additive";
inline constexpr std::string_view Momentary = "Momentary";
inline constexpr std::string_view Alternate = "Alternate";
inline constexpr std::string_view Description = "Description";
inline constexpr std::string_view LowerFrequency = "LowerFrequency";
inline constexpr std::string_view UpperFrequency = "UpperFrequency";
inline constexpr std::string_view Frequency = "Frequency";
inline constexpr std::string_view TX = "TX";
inline constexpr std::string_view RX = "RX";
inline constexpr std::string_view State = "State";
inline constexpr std::string_view Highlight = "Highlight";
inline constexpr std::string_view TXLongName = "TXLongName";
inline constexpr std::string_view RXLongName = "RXLongName";
// Rotators.
inline constexpr std::string_view Rotators = "Rotators";
inline constexpr std::string_view Rotator = "Rotator";
inline constexpr std::string_view HasStop = "HasStop";
inline constexpr std::string_view CCWLimit = "CCWLimit";
inline constexpr std::string_view Rotation = "Rotation";
inline constexpr std::string_view Position = "Position";
inline constexpr std::string_view Direction = "Direction";
inline constexpr std::string_view Stop = "Stop";
}  // namespace MemberName
