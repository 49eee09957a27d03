#include "console/color_scheme.h"

#include "settings/settings_file.h"

namespace {

uint32_t ReadColor(const char* key, uint32_t defaultValue) {
    return static_cast<uint32_t>(ReadColorSetting(key, static_cast<int32_t>(defaultValue)));
}

void WriteColor(const char* key, uint32_t value) {
    WriteColorSetting(key, static_cast<int32_t>(value));
}

}  // namespace

ColorScheme LoadColorScheme() {
    const ColorScheme defaults;
    ColorScheme scheme;
    scheme.unavailableColor = ReadColor("Unavailable", defaults.unavailableColor);
    scheme.availableColor = ReadColor("Available", defaults.availableColor);
    scheme.selectedColor = ReadColor("Selected", defaults.selectedColor);
    scheme.textColor = ReadColor("Text", defaults.textColor);
    return scheme;
}

void SaveColorScheme(const ColorScheme& scheme) {
    WriteColor("Unavailable", scheme.unavailableColor);
    WriteColor("Available", scheme.availableColor);
    WriteColor("Selected", scheme.selectedColor);
    WriteColor("Text", scheme.textColor);
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
