// The receive path's view of the platform: the socket, message boxes and the console's
// reconnection rule.
#pragma once

#include <functional>

#include "link/core/receive_path.h"

class CTCP;

class SocketReceiveHost : public ReceiveHost {
public:
    SocketReceiveHost(CTCP& tcp, std::function<void()> requestReconnect);

    int64_t ReadSocket(char* buffer, int32_t capacity) override;
    void PostReadNotification() override;
    void ShowError(const std::string& text) override;
    void RequestReconnect() override;

private:
    CTCP& tcp_;
    std::function<void()> requestReconnect_;
};
