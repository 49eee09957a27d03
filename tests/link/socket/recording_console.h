// A console window stand-in for OnConnectServer: it records what is asked of it.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

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

    QWidget widget;
    std::string base = "KEVA Windows Client";
    std::vector<std::string> calls;
};
