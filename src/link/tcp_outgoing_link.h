// Where the senders' text goes in the running console: the socket, a message box on failure,
// and the console's reconnection rule.
#pragma once

#include <functional>

#include "link/core/server_link.h"

class CTCP;

class TcpOutgoingLink : public OutgoingLink {
public:
    TcpOutgoingLink(CTCP& tcp, std::function<void()> requestReconnect);

    bool Send(const std::string& text) override;
    void ShowFailure(const std::string& failureText) override;
    void RequestReconnect() override;

private:
    CTCP& tcp_;
    std::function<void()> requestReconnect_;
};
