#include "link/server_values.h"

#include "settings/settings_file.h"

ServerValues ReadServerValues(const SettingsLocation& settings) {
    ServerValues values;
    values.address = ReadServerSetting(settings, "Address", "");
    values.portText = ReadServerSetting(settings, "Port", "12059");
    values.stationText = ReadServerSetting(settings, "Station", "1");
    values.radioText = ReadServerSetting(settings, "Radio", "1");
    return values;
}

namespace {

void TakeIfChanged(const SettingsLocation& settings, const char* key, std::string& held,
                   const std::string& edited) {
    if (edited != held) {
        held = edited;
        WriteServerSetting(settings, key, held);
    }
}

}  // namespace

void TakeEditedValues(const SettingsLocation& settings, ServerValues& held,
                      const ServerValues& edited) {
    TakeIfChanged(settings, "Address", held.address, edited.address);
    TakeIfChanged(settings, "Port", held.portText, edited.portText);
    TakeIfChanged(settings, "Station", held.stationText, edited.stationText);
    TakeIfChanged(settings, "Radio", held.radioText, edited.radioText);
}

std::string ConnectedTitle(const std::string& baseTitle, const ServerValues& values) {
    return baseTitle + " - Station " + values.stationText + " Radio " + values.radioText;
}

std::string DisconnectedTitle(const std::string& baseTitle, const ServerValues& values) {
    return ConnectedTitle(baseTitle, values) + " (Disconnected)";
}
