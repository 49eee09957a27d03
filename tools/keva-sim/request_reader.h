// What a console asks: one received message tree turned into one typed request.
//
// Members are read as the console reads the server's: exact names, the last occurrence of a
// name counts, integers by IntValue (clamped to 32 bits, so no number a client sends can
// overflow anything downstream). A message that is not one of the requests below, or that
// lacks a member the request needs, becomes an IgnoredRequest saying why.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "json/json_node.h"
#include "keva-sim/station_state.h"

struct StationRadio {
    int32_t station = 0;
    int32_t radio = 0;
};

struct HelloRequest {
    std::vector<StationRadio> radios;
};

struct AntennaSideRequest {
    Side side = Side::Tx;
    int32_t code = 0;
    int32_t antenna = 0;
};

struct AntennaRequest {
    StationRadio target;
    std::vector<AntennaSideRequest> sides;  // in the order the message gives them
};

struct FunctionRequest {
    StationRadio target;
    int32_t function = 0;
    int32_t state = 0;
};

struct RadioRequest {
    StationRadio target;
    int32_t frequency = 0;
};

struct DirectionRequest {
    int32_t rotator = 0;
    bool stop = false;
    int32_t bearing = 0;  // when not stop
};

struct IgnoredRequest {
    std::string why;
};

using Request = std::variant<IgnoredRequest, HelloRequest, AntennaRequest, FunctionRequest,
                             RadioRequest, DirectionRequest>;

Request ReadRequest(const JsonNode* root);

// One line for the log: "Antenna for station 1 radio 2: TX 1 on antenna 5, RX 1 on antenna 5".
std::string DescribeRequest(const Request& request);
