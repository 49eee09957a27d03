// The console's outgoing commands. Each sender numbers its message (g_lastSequenceSent + 1,
// wrapping as two's complement), formats it byte for byte and hands it to SendMessageText.
#pragma once

#include <cstdint>
#include <string>

// Sequence number of the last outgoing message; never reset, so numbering runs on across
// reconnections.
extern int32_t g_lastSequenceSent;
// Station and radio named in the last "Hello"; 0 before the first.
extern int32_t g_station;
extern int32_t g_radio;

// Adds 1 to g_lastSequenceSent (2147483647 wraps to -2147483648) and returns the new value.
int32_t NextSequenceNumber();

// Where sent text goes: the application installs the real link (the TCP socket, a message box
// and the console's reconnection rule); tests install a recorder.
class OutgoingLink {
public:
    virtual ~OutgoingLink() = default;
    virtual bool Send(const std::string& text) = 0;                // false when not sent
    virtual void ShowFailure(const std::string& failureText) = 0;  // modal box, OK button
    virtual void RequestReconnect() = 0;
};

// Installs `link` (not owned; may be null) and returns the previous one.
OutgoingLink* SetOutgoingLink(OutgoingLink* link);

// The one send path: send, and on failure show `failureText` and request one reconnection.
void SendMessageText(const std::string& text, const std::string& failureText);

void SendHello(int32_t station, int32_t radio);
void SendAntenna(int32_t txCode, int32_t antenna, int32_t rxCode);  // nothing when both are 0
void SendFunction(int32_t state, int32_t function);                 // nothing when state is 0
void SendRadio(int32_t frequency);
void SendDirection(int32_t rotator, int32_t bearing, bool stop);
