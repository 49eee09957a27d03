#include "link/core/senders.h"

#include "link/core/protocol_text.h"

int32_t g_lastSequenceSent = 0;
int32_t g_station = 0;
int32_t g_radio = 0;

namespace {

OutgoingLink* outgoingLink = nullptr;

}  // namespace

int32_t NextSequenceNumber() {
    g_lastSequenceSent = static_cast<int32_t>(static_cast<uint32_t>(g_lastSequenceSent) + 1u);
    return g_lastSequenceSent;
}

OutgoingLink* SetOutgoingLink(OutgoingLink* link) {
    OutgoingLink* previous = outgoingLink;
    outgoingLink = link;
    return previous;
}

void SendMessageText(const std::string& text, const std::string& failureText) {
    OutgoingLink* link = outgoingLink;
    if (link == nullptr || link->Send(text)) {
        return;
    }
    link->ShowFailure(failureText);
    // The box ran a nested event loop: ask for the link installed now.
    if (OutgoingLink* current = outgoingLink) {
        current->RequestReconnect();
    }
}

void SendHello(int32_t station, int32_t radio) {
    const int32_t sequence = NextSequenceNumber();
    g_station = station;
    g_radio = radio;
    SendMessageText(HelloText(sequence, station, radio), "Failed to send Hello message");
}

void SendAntenna(int32_t txCode, int32_t antenna, int32_t rxCode) {
    if (txCode == 0 && rxCode == 0) {
        return;
    }
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(AntennaText(sequence, g_station, g_radio, txCode, antenna, rxCode),
                    "Failed to send Antenna message");
}

void SendFunction(int32_t state, int32_t function) {
    if (state == 0) {
        return;
    }
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(FunctionText(sequence, g_station, g_radio, function, state),
                    "Failed to send Function message");
}

void SendRadio(int32_t frequency) {
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(RadioText(sequence, g_station, g_radio, frequency),
                    "Failed to send Radio message");
}

void SendDirection(int32_t rotator, int32_t bearing, bool stop) {
    const int32_t sequence = NextSequenceNumber();
    SendMessageText(
        stop ? DirectionStopText(sequence, rotator) : DirectionTurnText(sequence, rotator, bearing),
        "Failed to send Direction message");
}
