// A ServerLink whose send path records what the senders do: every event in order, and the texts
// sent, the failure texts shown and the reconnections asked separately.
#pragma once

#include <string>
#include <vector>

#include "link/core/server_link.h"

class RecordingLink : public OutgoingLink {
public:
    RecordingLink() { link.SetOutgoingLink(this); }
    RecordingLink(const RecordingLink&) = delete;
    RecordingLink& operator=(const RecordingLink&) = delete;

    bool Send(const std::string& text) override {
        sent.push_back(text);
        events.push_back("send");
        return sendSucceeds;
    }
    void ShowFailure(const std::string& failureText) override {
        failures.push_back(failureText);
        events.push_back("box: " + failureText);
    }
    void RequestReconnect() override {
        ++reconnects;
        events.push_back("reconnect");
    }

    ServerLink link;  // sends through this recorder
    bool sendSucceeds = true;
    std::vector<std::string> sent;
    std::vector<std::string> failures;
    int reconnects = 0;
    std::vector<std::string> events;
};
