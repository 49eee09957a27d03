// A private-profile (INI) store: one key per call, the file read at every call and rewritten
// at every write with all other sections, keys and comments kept. Section and key names match
// case-insensitively. Nothing is reported: a missing or unreadable file reads as empty, and a
// write that cannot be made has no effect.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings_path.h"

// The value of `key` in `section`, or `defaultText` when the file, section or key is absent;
// either is cut to `bufferSize` - 1 bytes.
std::string GetProfileString(const SettingsLocation& file, std::string_view section,
                             std::string_view key, std::string_view defaultText,
                             std::size_t bufferSize);

// Stores `value` as `key` in `section`, creating the file, the section and the key as needed.
// A line break ends the value, so that it cannot add lines of its own to the file. Returns
// whether the file was written.
bool WriteProfileString(const SettingsLocation& file, std::string_view section,
                        std::string_view key, std::string_view value);
