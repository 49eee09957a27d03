#include "link/connection_control.h"

#include <cstdlib>

#include "base/atol_value.h"
#include "link/core/server_link.h"
#include "link/tcp.h"

namespace {
// Proposed, and held in memory only, while no address is stored.
constexpr const char* DefaultAddress = "127.0.0.1";
}  // namespace

void OnConnectServer(ConnectionConsole& console, CTCP& tcp, ServerLink& serverLink) {
    ServerValues held = ReadServerValues(console.settings());
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
        tcp.Close();
        if (askFirst) {
            const std::optional<ServerValues> edited = console.AskForServer(held);
            if (!edited) {
                std::exit(0);
            }
            TakeEditedValues(console.settings(), held, *edited);
        }
        askFirst = true;
        if (tcp.Connect(held.address, AtolValue(held.portText), console.consoleWidget())) {
            break;
        }
    }

    console.SetConnectedTitle(ConnectedTitle(console.baseTitle(), held));
    console.ArmReconnect();
    serverLink.SendHello(AtolValue(held.stationText), AtolValue(held.radioText));
}
