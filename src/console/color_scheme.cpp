#include "console/color_scheme.h"

#include "settings/settings_file.h"

namespace {

uint32_t ReadColor(const SettingsLocation& settings, const char* key, uint32_t defaultValue) {
    return static_cast<uint32_t>(
        ReadColorSetting(settings, key, static_cast<int32_t>(defaultValue)));
}

void WriteColor(const SettingsLocation& settings, const char* key, uint32_t value) {
    WriteColorSetting(settings, key, static_cast<int32_t>(value));
}

}  // namespace

ColorScheme LoadColorScheme(const SettingsLocation& settings) {
    const ColorScheme defaults;
    ColorScheme scheme;
    scheme.unavailableColor = ReadColor(settings, "Unavailable", defaults.unavailableColor);
    scheme.availableColor = ReadColor(settings, "Available", defaults.availableColor);
    scheme.selectedColor = ReadColor(settings, "Selected", defaults.selectedColor);
    scheme.textColor = ReadColor(settings, "Text", defaults.textColor);
    return scheme;
}

void SaveColorScheme(const SettingsLocation& settings, const ColorScheme& scheme) {
    WriteColor(settings, "Unavailable", scheme.unavailableColor);
    WriteColor(settings, "Available", scheme.availableColor);
    WriteColor(settings, "Selected", scheme.selectedColor);
    WriteColor(settings, "Text", scheme.textColor);
}

QColor ColorFromRef(uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFFu), static_cast<int>((colorRef >> 8) & 0xFFu),
                  static_cast<int>((colorRef >> 16) & 0xFFu));
}

uint32_t RefFromColor(const QColor& color) {
    const QRgb rgb = color.rgb();
    return static_cast<uint32_t>(qRed(rgb)) | (static_cast<uint32_t>(qGreen(rgb)) << 8) |
           (static_cast<uint32_t>(qBlue(rgb)) << 16);
}
