#include "link/tcp_outgoing_link.h"

#include "link/message_box.h"
#include "link/tcp.h"

TcpOutgoingLink::TcpOutgoingLink(std::function<void()> requestReconnect)
    : requestReconnect_(std::move(requestReconnect)) {}

bool TcpOutgoingLink::Send(const std::string& text) {
    return g_tcp.Send(text);
}

void TcpOutgoingLink::ShowFailure(const std::string& failureText) {
    ShowMessageBox(failureText);
}

void TcpOutgoingLink::RequestReconnect() {
    requestReconnect_();
}
