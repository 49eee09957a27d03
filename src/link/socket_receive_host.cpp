#include "link/socket_receive_host.h"

#include "link/message_box.h"
#include "link/tcp.h"

SocketReceiveHost::SocketReceiveHost(std::function<void()> requestReconnect)
    : requestReconnect_(std::move(requestReconnect)) {}

int64_t SocketReceiveHost::ReadSocket(char* buffer, int32_t capacity) {
    return g_tcp.Read(buffer, capacity);
}

void SocketReceiveHost::PostReadNotification() {
    g_tcp.PostReadNotification();
}

void SocketReceiveHost::ShowError(const std::string& text) {
    ShowMessageBox(text);
}

void SocketReceiveHost::RequestReconnect() {
    requestReconnect_();
}
