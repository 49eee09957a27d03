#include "link/connection_control.h"

#include <cstdlib>

#include "link/core/senders.h"
#include "link/server_dialog.h"
#include "link/tcp.h"
#include "settings/atol_value.h"

namespace {
// Proposed, and held in memory only, while no address is stored.
constexpr const char* DefaultAddress = "127.0.0.1";
}  // namespace

std::optional<ServerValues> AskForServer(const ServerValues& held, QWidget* parent) {
    CServerDialog dialog(parent);
    dialog.addressText = held.address;
    dialog.portText = held.portText;
    dialog.stationText = held.stationText;
    dialog.radioText = held.radioText;
    if (dialog.DoModal() != CServerDialog::IdOk) {
        return std::nullopt;
    }
    return ServerValues{dialog.addressText, dialog.portText, dialog.stationText, dialog.radioText};
}

void OnConnectServer(ConnectionConsole& console) {
    ServerValues held = ReadServerValues();
    bool askFirst = held.address.empty();
    if (askFirst) {
        held.address = DefaultAddress;
    }
    console.ResetConsole();
    console.SetWindowTitle(DisconnectedTitle(console.baseTitle(), held));
    console.DiscardReader();

    // The first attempt goes straight to the stored server; every later one asks first,
    // pre-filled with the values that failed.
    for (;;) {
        g_tcp.Close();
        if (askFirst) {
            const std::optional<ServerValues> edited = AskForServer(held, console.consoleWidget());
            if (!edited) {
                std::exit(0);
            }
            TakeEditedValues(held, *edited);
        }
        askFirst = true;
        if (g_tcp.Connect(held.address, AtolValue(held.portText), console.consoleWidget())) {
            break;
        }
    }

    console.SetConnectedTitle(ConnectedTitle(console.baseTitle(), held));
    console.ArmReconnect();
    SendHello(AtolValue(held.stationText), AtolValue(held.radioText));
}
