// The console's settings: section "Server" (keys "Address", "Port", "Station", "Radio", all
// text) and section "Color" (keys "Unavailable", "Available", "Selected", "Text", decimal
// colour values laid out 0x00BBGGRR). Nothing is cached: every read goes to the file. The
// program passes CurrentSettingsLocation(); tests pass a file of their own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_path.h"

// The key's value in section "Server", or `defaultText` when absent; at most 1023 characters.
std::string ReadServerSetting(const SettingsLocation& file, std::string_view key,
                              std::string_view defaultText);
// The key's value in section "Color": `defaultValue` when absent or when the value starts with
// '*'; otherwise its first 9 characters converted by atol rules.
int32_t ReadColorSetting(const SettingsLocation& file, std::string_view key, int32_t defaultValue);
void WriteServerSetting(const SettingsLocation& file, std::string_view key, std::string_view text);
// Stored as decimal text ("%d").
void WriteColorSetting(const SettingsLocation& file, std::string_view key, int32_t value);
