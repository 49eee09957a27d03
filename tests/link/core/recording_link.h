// An OutgoingLink that records what the senders do, in order.
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
        events.push_back("box: " + failureText);
    }
    void RequestReconnect() override { events.push_back("reconnect"); }

    bool sendSucceeds = true;
    std::vector<std::string> sent;
    std::vector<std::string> events;

private:
    OutgoingLink* previous_;
};
