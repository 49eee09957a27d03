#include "link/tcp_outgoing_link.h"

#include "link/message_box.h"
#include "link/tcp.h"

TcpOutgoingLink::TcpOutgoingLink(CTCP& tcp, std::function<void()> requestReconnect)
    : tcp_(tcp), requestReconnect_(std::move(requestReconnect)) {}

bool TcpOutgoingLink::Send(const std::string& text) {
    return tcp_.Send(text);
}

void TcpOutgoingLink::ShowFailure(const std::string& failureText) {
    ShowMessageBox(failureText);
}

void TcpOutgoingLink::RequestReconnect() {
    requestReconnect_();
}
