#include "link/server_values.h"

#include "settings/settings_file.h"

ServerValues ReadServerValues() {
    ServerValues values;
    values.address = ReadServerSetting("Address", "");
    values.portText = ReadServerSetting("Port", "12059");
    values.stationText = ReadServerSetting("Station", "1");
    values.radioText = ReadServerSetting("Radio", "1");
    return values;
}

namespace {

void TakeIfChanged(const char* key, std::string& held, const std::string& edited) {
    if (edited != held) {
        held = edited;
        WriteServerSetting(key, held);
    }
}

}  // namespace

void TakeEditedValues(ServerValues& held, const ServerValues& edited) {
    TakeIfChanged("Address", held.address, edited.address);
    TakeIfChanged("Port", held.portText, edited.portText);
    TakeIfChanged("Station", held.stationText, edited.stationText);
    TakeIfChanged("Radio", held.radioText, edited.radioText);
}

std::string ConnectedTitle(const std::string& baseTitle, const ServerValues& values) {
    return baseTitle + " - Station " + values.stationText + " Radio " + values.radioText;
}

std::string DisconnectedTitle(const std::string& baseTitle, const ServerValues& values) {
    return ConnectedTitle(baseTitle, values) + " (Disconnected)";
}
