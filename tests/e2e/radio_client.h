// A second console on the wire, without a window: a plain socket that speaks the console's own
// "Hello", "Antenna" and "Radio" texts for another radio and keeps the antenna states of the
// latest "State" it was sent.
#pragma once

#include <QTcpSocket>
#include <cstdint>
#include <map>
#include <string>

#include "json/json_reader.h"

class RadioClient {
public:
    struct Sides {
        int32_t tx = -1;
        int32_t rx = -1;
        bool operator==(const Sides&) const = default;
    };

    RadioClient(int32_t station, int32_t radio);

    // Connects (blocking) and says "Hello"; false when the connection failed.
    bool Connect(quint16 port);
    void SendRadio(int32_t frequencyKhz);
    void SendAntenna(int32_t txCode, int32_t antenna, int32_t rxCode);

    // The antenna's states in the latest "State"; -1 for both before one names it.
    Sides Antenna(int32_t antenna) const;
    int states() const { return states_; }

private:
    void Send(const std::string& text);
    void OnReadyRead();
    void OnMessage(const JsonNode* root);

    int32_t station_;
    int32_t radio_;
    int32_t sequence_ = 0;
    QTcpSocket socket_;
    JsonReader reader_;
    std::map<int32_t, Sides> antennas_;
    int states_ = 0;
};
