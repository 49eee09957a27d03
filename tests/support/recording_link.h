// An OutgoingLink, installed for its lifetime, that records what the senders do: every event in
// order, and the texts sent, the failure texts shown and the reconnections asked separately.
#pragma once

#include <string>
#include <vector>

#include "link/core/senders.h"

class RecordingLink : public OutgoingLink {
public:
    RecordingLink() : previous_(SetOutgoingLink(this)) {}
    ~RecordingLink() override { SetOutgoingLink(previous_); }

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

    bool sendSucceeds = true;
    std::vector<std::string> sent;
    std::vector<std::string> failures;
    int reconnects = 0;
    std::vector<std::string> events;

private:
    OutgoingLink* previous_;
};
