// The application object: owns the QApplication, the connection to the server and the link's
// state (sequence numbers, station, radio), all alive for the whole run, and runs the console
// window modally.
#pragma once

#include <QApplication>

#include "link/core/server_link.h"
#include "link/tcp.h"

class CKEVAWindowsClientApp {
public:
    CKEVAWindowsClientApp(int& argc, char** argv);

    // Runs the console until it closes.
    void InitInstance();

private:
    QApplication application_;
    CTCP tcp_;
    ServerLink serverLink_;
};
