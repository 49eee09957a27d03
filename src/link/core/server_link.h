// ServerLink: the console's side of the conversation with the server, one for the whole run.
//
// It numbers every outgoing message (lastSequenceSent + 1, wrapping as two's complement),
// formats it byte for byte with the station and radio of the last "Hello", and hands it to the
// one send path; it checks every incoming envelope against lastSequenceReceived before
// dispatch. Neither number is ever reset, so numbering runs on across reconnections.
#pragma once

#include <cstdint>
#include <string>

#include "link/core/dispatch.h"

// Where sent text goes: the console installs the real link (the socket, a message box and the
// reconnection rule); tests install a recorder.
class OutgoingLink {
public:
    virtual ~OutgoingLink() = default;
    virtual bool Send(const std::string& text) = 0;                // false when not sent
    virtual void ShowFailure(const std::string& failureText) = 0;  // modal box, OK button
    virtual void RequestReconnect() = 0;
};

class ServerLink {
public:
    // Numbering starts after `lastSequenceSent` (0 in the console; a test may start near the
    // wrap).
    explicit ServerLink(int32_t lastSequenceSent = 0) : lastSequenceSent_(lastSequenceSent) {}
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    // Installs the send path (not owned; none drops what is sent).
    void SetOutgoingLink(OutgoingLink* link) { outgoingLink_ = link; }

    // The one send path: send, and on failure show `failureText` and request one reconnection.
    void SendMessageText(const std::string& text, const std::string& failureText);

    // Takes `station` and `radio` for every later request.
    void SendHello(int32_t station, int32_t radio);
    void SendAntenna(int32_t txCode, int32_t antenna, int32_t rxCode);  // nothing when both are 0
    void SendFunction(int32_t state, int32_t function);                 // nothing when state is 0
    void SendRadio(int32_t frequency);
    void SendDirection(int32_t rotator, int32_t bearing, bool stop);

    // Checks the envelope and sequence number of one complete message, then calls its handler;
    // complaints go to `reporter`.
    void Dispatch(const MessageTable& table, const JsonNode* root, const Reporter& reporter) {
        DispatchServerMessage(table, root, lastSequenceReceived_, reporter);
    }

    int32_t lastSequenceSent() const { return lastSequenceSent_; }
    int32_t lastSequenceReceived() const { return lastSequenceReceived_; }
    int32_t station() const { return station_; }  // 0 before the first "Hello"
    int32_t radio() const { return radio_; }

private:
    int32_t NextSequenceNumber();

    OutgoingLink* outgoingLink_ = nullptr;
    int32_t lastSequenceSent_ = 0;
    int32_t lastSequenceReceived_ = 0;
    int32_t station_ = 0;
    int32_t radio_ = 0;
};
