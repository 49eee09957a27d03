// The four connection values of section "Server": read at every connection attempt, shown in
// the Server Information dialog, and written back only where the operator changed them.
#pragma once

#include <string>

#include "settings/settings_path.h"

struct ServerValues {
    std::string address;
    std::string portText;
    std::string stationText;
    std::string radioText;
    bool operator==(const ServerValues&) const = default;
};

// "Address" (default empty), "Port" ("12059"), "Station" ("1"), "Radio" ("1"), in this order.
ServerValues ReadServerValues(const SettingsLocation& settings);

// For "Address", "Port", "Station", "Radio" in this order: an edited text that differs from the
// held one, byte for byte, replaces it and is written to the settings file. Equal texts are not
// written, so a default that was never stored stays unstored.
void TakeEditedValues(const SettingsLocation& settings, ServerValues& held,
                      const ServerValues& edited);

// "<base> - Station <station> Radio <radio>", with the texts as typed, not converted.
std::string ConnectedTitle(const std::string& baseTitle, const ServerValues& values);
// The same followed by " (Disconnected)".
std::string DisconnectedTitle(const std::string& baseTitle, const ServerValues& values);
