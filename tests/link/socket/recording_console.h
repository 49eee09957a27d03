// A console window stand-in for OnConnectServer: it records what is asked of it and runs the
// real Server Information dialog when asked for the server.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "console/server_dialog.h"
#include "link/connection_control.h"

class RecordingConsole : public ConnectionConsole {
public:
    QWidget* consoleWidget() override { return &widget; }
    const std::string& baseTitle() const override { return base; }
    void ResetConsole() override { calls.push_back("reset"); }
    void SetWindowTitle(const std::string& title) override { calls.push_back("title " + title); }
    void DiscardReader() override { calls.push_back("discard"); }
    void SetConnectedTitle(const std::string& title) override {
        calls.push_back("connected " + title);
    }
    void ArmReconnect() override { calls.push_back("arm"); }
    const SettingsLocation& settings() const override { return file; }
    std::optional<ServerValues> AskForServer(const ServerValues& held) override {
        CServerDialog dialog(&widget);
        dialog.addressText = held.address;
        dialog.portText = held.portText;
        dialog.stationText = held.stationText;
        dialog.radioText = held.radioText;
        if (dialog.DoModal() != CServerDialog::IdOk) {
            return std::nullopt;
        }
        return ServerValues{dialog.addressText, dialog.portText, dialog.stationText,
                            dialog.radioText};
    }

    SettingsLocation file;  // the settings file: none until a test names one
    QWidget widget;
    std::string base = "KEVA Windows Client";
    std::vector<std::string> calls;
};
