// The envelope of incoming messages and their dispatch to the message handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "json/json_node.h"
#include "json/report.h"

// One row of the dispatch table: a "Message" name and its handler, which receives the value of
// "Parameters" (any kind; the handler tests it).
struct MessageRoute {
    std::string_view name;
    std::function<void(const JsonNode* parameters)> handler;
};
using MessageTable = std::vector<MessageRoute>;

// Checks the envelope and the sequence number of one complete message and calls the handler of
// its name. "Server" resynchronises the sequence and has no handler. Every complaint goes
// through ReportMessage; nothing here ends the connection. `lastSequenceReceived` is the number
// of the last message received, taken over from every message that has a full envelope.
void DispatchServerMessage(const MessageTable& table, const JsonNode* root,
                           int32_t& lastSequenceReceived, const Reporter& reporter);
