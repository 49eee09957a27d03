// The four colours every console button is painted in. A colour is a colour reference laid out
// 0x00BBGGRR (red in the low byte), used as it is without any check.
#pragma once

#include <QColor>
#include <cstdint>

#include "settings/settings_path.h"

struct ColorScheme {
    uint32_t unavailableColor = 16744576;  // (128, 128, 255)
    uint32_t availableColor = 16711680;    // (0, 0, 255)
    uint32_t selectedColor = 255;          // (255, 0, 0)
    uint32_t textColor = 7929855;          // (255, 255, 120)
    bool operator==(const ColorScheme&) const = default;
};

// Reads "Unavailable", "Available", "Selected" and "Text", in this order, from the settings
// file, each key defaulting to the value above.
ColorScheme LoadColorScheme(const SettingsLocation& settings);

// Writes the four colours of `scheme` in the same order, each as decimal text.
void SaveColorScheme(const SettingsLocation& settings, const ColorScheme& scheme);

// The colour a colour reference stands for (bits 24 to 31 ignored).
QColor ColorFromRef(uint32_t colorRef);
// The colour reference of a colour.
uint32_t RefFromColor(const QColor& color);
