#include "link/core/server_link.h"

#include "protocol/codes.h"
#include "protocol/protocol_text.h"

int32_t ServerLink::NextSequenceNumber() {
    lastSequenceSent_ = static_cast<int32_t>(static_cast<uint32_t>(lastSequenceSent_) + 1u);
    return lastSequenceSent_;
}

void ServerLink::SendMessageText(const std::string& text, const std::string& failureText) {
    if (outgoingLink_ == nullptr || outgoingLink_->Send(text)) {
        return;
    }
    outgoingLink_->ShowFailure(failureText);
    // The box ran a nested event loop: ask the link installed now.
    if (outgoingLink_ != nullptr) {
        outgoingLink_->RequestReconnect();
    }
}

void ServerLink::SendHello(int32_t station, int32_t radio) {
    const int32_t sequence = NextSequenceNumber();
    station_ = station;
    radio_ = radio;
    SendMessageText(HelloText(sequence, station, radio), "Failed to send Hello message");
}

void ServerLink::SendAntenna(int32_t txCode, int32_t antenna, int32_t rxCode) {
    if (txCode == NoAntennaCode && rxCode == NoAntennaCode) {
        return;
    }
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(AntennaText(sequence, station_, radio_, txCode, antenna, rxCode),
                    "Failed to send Antenna message");
}

void ServerLink::SendFunction(int32_t state, int32_t function) {
    if (state == NoFunctionCode) {
        return;
    }
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(FunctionText(sequence, station_, radio_, function, state),
                    "Failed to send Function message");
}

void ServerLink::SendRadio(int32_t frequency) {
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(RadioText(sequence, station_, radio_, frequency),
                    "Failed to send Radio message");
}

void ServerLink::SendDirection(int32_t rotator, int32_t bearing, bool stop) {
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(
        stop ? DirectionStopText(sequence, rotator) : DirectionTurnText(sequence, rotator, bearing),
        "Failed to send Direction message");
}
