// Where the senders' text goes in the running console: g_tcp, a message box on failure, and
// the console's reconnection rule.
#pragma once

#include <functional>

#include "link/core/senders.h"

class TcpOutgoingLink : public OutgoingLink {
public:
    explicit TcpOutgoingLink(std::function<void()> requestReconnect);

    bool Send(const std::string& text) override;
    void ShowFailure(const std::string& failureText) override;
    void RequestReconnect() override;

private:
    std::function<void()> requestReconnect_;
};
