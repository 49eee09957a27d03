// The receive path's view of the platform: g_tcp's socket, message boxes and the console's
// reconnection rule.
#pragma once

#include <functional>

#include "link/core/receive_path.h"

class SocketReceiveHost : public ReceiveHost {
public:
    explicit SocketReceiveHost(std::function<void()> requestReconnect);

    int64_t ReadSocket(char* buffer, int32_t capacity) override;
    void PostReadNotification() override;
    void ShowError(const std::string& text) override;
    void RequestReconnect() override;

private:
    std::function<void()> requestReconnect_;
};
