#include "link/socket_receive_host.h"

#include "link/message_box.h"
#include "link/tcp.h"

SocketReceiveHost::SocketReceiveHost(CTCP& tcp, std::function<void()> requestReconnect)
    : tcp_(tcp), requestReconnect_(std::move(requestReconnect)) {}

int64_t SocketReceiveHost::ReadSocket(char* buffer, int32_t capacity) {
    return tcp_.Read(buffer, capacity);
}

void SocketReceiveHost::PostReadNotification() {
    tcp_.PostReadNotification();
}

void SocketReceiveHost::ShowError(const std::string& text) {
    ShowMessageBox(text);
}

void SocketReceiveHost::RequestReconnect() {
    requestReconnect_();
}
