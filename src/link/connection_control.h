// OnConnectServer: from whatever state the console is in to a fresh connection.
//
// It resets the console, drops the reader and the old socket, asks the operator for the server
// when no address is stored or an attempt has failed, connects, and introduces the console with
// "Hello". Cancel in the Server Information dialog ends the process with status 0.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "link/server_values.h"

class CTCP;
class ServerLink;

// What a connection attempt needs of the console window.
class ConnectionConsole {
public:
    virtual ~ConnectionConsole() = default;
    // Parent of the dialogs, and where the socket's notifications are posted.
    virtual QWidget* consoleWidget() = 0;
    // The window title as first set, without station or radio.
    virtual const std::string& baseTitle() const = 0;
    virtual void ResetConsole() = 0;
    virtual void SetWindowTitle(const std::string& title) = 0;
    // Drops the reader and everything received on the old connection.
    virtual void DiscardReader() = 0;
    // Stores the title of the connected console and shows it.
    virtual void SetConnectedTitle(const std::string& title) = 0;
    // A lost link may ask for a reconnection again.
    virtual void ArmReconnect() = 0;
    // The settings file the server values are read from and written to.
    virtual const SettingsLocation& settings() const = 0;
    // Runs the Server Information dialog on `held`: the edited texts on OK, none on Cancel.
    virtual std::optional<ServerValues> AskForServer(const ServerValues& held) = 0;
};

// Connects `tcp` and introduces the console through `serverLink`.
void OnConnectServer(ConnectionConsole& console, CTCP& tcp, ServerLink& serverLink);
