#include "settings/settings_file.h"

#include "base/atol_value.h"
#include "settings/private_profile.h"

namespace {

constexpr std::size_t kServerBufferSize = 1024;
constexpr std::size_t kColorBufferSize = 10;

}  // namespace

std::string ReadServerSetting(const SettingsLocation& file, std::string_view key,
                              std::string_view defaultText) {
    return GetProfileString(file, "Server", key, defaultText, kServerBufferSize);
}

int32_t ReadColorSetting(const SettingsLocation& file, std::string_view key, int32_t defaultValue) {
    const std::string text = GetProfileString(file, "color", key, "*", kColorBufferSize);
    if (!text.empty() && text.front() == '*') {
        return defaultValue;
    }
    return AtolValue(text);
}

void WriteServerSetting(const SettingsLocation& file, std::string_view key, std::string_view text) {
    WriteProfileString(file, "Server", key, text);
}

// Every 32-bit value is written whole; a value longer than 9 characters reads back cut.
void WriteColorSetting(const SettingsLocation& file, std::string_view key, int32_t value) {
    WriteProfileString(file, "Color", key, std::to_string(value));
}
