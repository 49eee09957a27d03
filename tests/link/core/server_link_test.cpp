// ServerLink: the bytes of every outgoing message, their numbering, and what a failed send does.
#include "link/core/server_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/recording_link.h"

namespace {

class Recorder : public RecordingLink {
public:
    void ShowFailure(const std::string& failureText) override {
        RecordingLink::ShowFailure(failureText);
        if (uninstallFrom != nullptr) {
            uninstallFrom->SetOutgoingLink(nullptr);  // as the box's nested loop may do
        }
    }
    ServerLink* uninstallFrom = nullptr;
};

enum Mode { Sends, Fails, FailsAndTheBoxRemovesTheLink };

TEST(ServerLink, SendsEachMessageByteForByteNumberedAndHandlesAFailedSend) {
    const struct {
        const char* name;
        int32_t start;  // the last number sent before the row
        Mode mode;
        std::vector<std::string> events;
        std::string last;  // the last text sent; empty: not checked
        int32_t lastSent;
        std::function<void(ServerLink&)> send;
    } rows[] = {
        // clang-format off
        {"hello", 0, Sends, {"send"}, R"({    "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {        "Protocol" : "KEVA",        "Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [            {"Station" : 3, "Radio" : 2}        ],        "Rows" : 5,        "Columns" : 3    }})", 1, [](ServerLink& l) { l.SendHello(3, 2); }},
        {"before_any_hello_station_and_radio_are_0_and_the_number_wraps", 2147483647, Sends, {"send"}, R"({ "Message" : "Radio", "Sequence" : -2147483648, "Version": 1, "Parameters" : { "Station" : 0, "Radio" : 0, "Frequency" : -7000} })", -2147483647 - 1, [](ServerLink& l) { l.SendRadio(-7000); }},
        {"antenna_tx_only", 0, Sends, {"send", "send"}, R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 1, "Antenna" : 5 } ] } })", 2, [](ServerLink& l) { l.SendHello(4, -2), l.SendAntenna(1, 5, 0); }},
        {"antenna_rx_only", 0, Sends, {"send", "send"}, R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"RX" : 4, "Antenna" : 5 } ] } })", 2, [](ServerLink& l) { l.SendHello(4, -2), l.SendAntenna(0, 5, 4); }},
        // Codes 0 on both sides, or state 0, send nothing and use no number.
        {"antenna_both_sides_after_requests_that_send_nothing", 0, Sends, {"send", "send"}, R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 7, "Antenna" : 0 },  {"RX" : 7, "Antenna" : 0 } ] } })", 2, [](ServerLink& l) { l.SendHello(4, -2), l.SendAntenna(0, 7, 0), l.SendFunction(0, 12), l.SendAntenna(7, 0, 7); }},
        {"direction_turn_has_no_station", 0, Sends, {"send", "send"}, R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : { "Rotator" : 2, "Direction" : -90} })", 2, [](ServerLink& l) { l.SendHello(4, -2), l.SendDirection(2, -90, false); }},
        {"direction_stop_leaves_the_bearing_out", 0, Sends, {"send"}, R"({ "Message" : "Direction", "Sequence" : 1, "Version": 1, "Parameters" : { "Rotator" : 2, "Stop" : true} })", 1, [](ServerLink& l) { l.SendDirection(2, 90, true); }},
        {"a_later_hello_sets_station_and_radio_and_numbering_runs_on", 0, Sends, {"send", "send", "send"}, R"({ "Message" : "Function", "Sequence" : 3, "Version": 1, "Parameters" : { "Station" : 5, "Radio" : 6, "Function" : 2147483647, "State" : 1} })", 3, [](ServerLink& l) { l.SendRadio(1), l.SendHello(5, 6), l.SendFunction(1, 2147483647); }},
        // A failed send uses its number up, shows its text, then asks for one reconnection.
        {"each_failed_message", 0, Fails, {"send", "box: Failed to send Hello message", "reconnect", "send", "box: Failed to send Antenna message", "reconnect", "send", "box: Failed to send Function message", "reconnect", "send", "box: Failed to send Radio message", "reconnect", "send", "box: Failed to send Direction message", "reconnect"}, "", 5,
         [](ServerLink& l) { l.SendHello(1, 1), l.SendAntenna(1, 1, 1), l.SendFunction(1, 1), l.SendRadio(1), l.SendDirection(1, 1, false); }},
        {"link_removed_in_the_box_asks_no_reconnection", 0, FailsAndTheBoxRemovesTheLink, {"send", "box: Failed to send Radio message"}, "", 1, [](ServerLink& l) { l.SendRadio(1); }},
        {"without_a_link_nothing_is_sent_but_the_number_is_used", 0, Sends, {}, "", 1, [](ServerLink& l) { l.SetOutgoingLink(nullptr), l.SendRadio(1); }},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recorder recorder;
        ServerLink link(row.start);
        link.SetOutgoingLink(&recorder);
        recorder.sendSucceeds = row.mode == Sends;
        recorder.uninstallFrom = row.mode == FailsAndTheBoxRemovesTheLink ? &link : nullptr;
        row.send(link);
        EXPECT_EQ(recorder.events, row.events);
        if (!row.last.empty()) {
            EXPECT_EQ(recorder.sent.back(), row.last);
        }
        EXPECT_EQ(link.lastSequenceSent(), row.lastSent);
    }
}

}  // namespace
