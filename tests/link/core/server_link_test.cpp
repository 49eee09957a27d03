// ServerLink: the bytes of every outgoing message, their numbering, and what a failed send does.
#include "link/core/server_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/recording_link.h"

namespace {

using Send = std::function<void(ServerLink&)>;

// Each row starts from `start` as the last number sent; with `hello`, a "Hello" for station 4,
// radio -2 goes first. `count` texts are sent in all, `last` the last of them.
TEST(ServerLink, SendsTheMessageByteForByte) {
    const struct {
        const char* name;
        int32_t start;
        bool hello;
        std::size_t count;
        std::string last;
        Send send;
    } rows[] = {
        // clang-format off
        {"hello", 0, false, 1,
         R"({    "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {)"
         R"(        "Protocol" : "KEVA",        "Name" : "Windows Client",)"
         R"(        "Bidirectional" : true,        "Radios": [            {"Station" : 3,)"
         R"( "Radio" : 2}        ],        "Rows" : 5,        "Columns" : 3    }})",
         [](ServerLink& l) { l.SendHello(3, 2); }},
        {"before_any_hello_station_and_radio_are_0_and_the_number_wraps", 2147483647, false, 1,
         R"({ "Message" : "Radio", "Sequence" : -2147483648, "Version": 1, "Parameters" : { "Station" : 0, "Radio" : 0, "Frequency" : -7000} })",
         [](ServerLink& l) { l.SendRadio(-7000); }},
        {"antenna_tx_only", 0, true, 2,
         R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 1, "Antenna" : 5 } ] } })",
         [](ServerLink& l) { l.SendAntenna(1, 5, 0); }},
        {"antenna_rx_only", 0, true, 2,
         R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"RX" : 4, "Antenna" : 5 } ] } })",
         [](ServerLink& l) { l.SendAntenna(0, 5, 4); }},
        // Codes 0 on both sides, or state 0, send nothing and use no number.
        {"antenna_both_sides_after_requests_that_send_nothing", 0, true, 2,
         R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 7, "Antenna" : 0 },  {"RX" : 7, "Antenna" : 0 } ] } })",
         [](ServerLink& l) { l.SendAntenna(0, 7, 0), l.SendFunction(0, 12), l.SendAntenna(7, 0, 7); }},
        {"direction_turn_has_no_station", 0, true, 2,
         R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : { "Rotator" : 2, "Direction" : -90} })",
         [](ServerLink& l) { l.SendDirection(2, -90, false); }},
        {"direction_stop_leaves_the_bearing_out", 0, true, 2,
         R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : { "Rotator" : 2, "Stop" : true} })",
         [](ServerLink& l) { l.SendDirection(2, 90, true); }},
        {"a_later_hello_sets_station_and_radio_and_numbering_runs_on", 0, true, 4,
         R"({ "Message" : "Function", "Sequence" : 4, "Version": 1, "Parameters" : { "Station" : 5, "Radio" : 6, "Function" : 2147483647, "State" : 1} })",
         [](ServerLink& l) { l.SendRadio(1), l.SendHello(5, 6), l.SendFunction(1, 2147483647); }},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingLink recorder;
        ServerLink link(row.start);
        link.SetOutgoingLink(&recorder);
        if (row.hello) {
            link.SendHello(4, -2);
        }
        row.send(link);
        ASSERT_EQ(recorder.sent.size(), row.count);
        EXPECT_EQ(recorder.sent.back(), row.last);
    }
}

// A recorder whose failure box uninstalls the link, as a nested loop may do.
class UninstallingLink : public RecordingLink {
public:
    void ShowFailure(const std::string& failureText) override {
        RecordingLink::ShowFailure(failureText);
        link.SetOutgoingLink(nullptr);
    }
};

// Every send fails; a failed send uses its number up.
TEST(ServerLink, AFailedSendShowsItsTextThenAsksForOneReconnection) {
    const struct {
        const char* name;
        bool uninstallInTheBox;  // the box's nested loop removes the link: no reconnection
        std::vector<std::string> events;
        int32_t lastSequenceSent;
        Send send;
    } rows[] = {
        // clang-format off
        {"each_message", false,
         {"send", "box: Failed to send Hello message", "reconnect", "send", "box: Failed to send Antenna message", "reconnect",
          "send", "box: Failed to send Function message", "reconnect", "send", "box: Failed to send Radio message", "reconnect",
          "send", "box: Failed to send Direction message", "reconnect"}, 5,
         [](ServerLink& l) { l.SendHello(1, 1), l.SendAntenna(1, 1, 1), l.SendFunction(1, 1), l.SendRadio(1), l.SendDirection(1, 1, false); }},
        {"removed_in_the_box", true, {"send", "box: Failed to send Radio message"}, 1, [](ServerLink& l) { l.SendRadio(1); }},
        {"without_a_link_nothing_is_sent_but_the_number_is_used", false, {}, 1, [](ServerLink& l) { l.SetOutgoingLink(nullptr), l.SendRadio(1); }},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto recorder = row.uninstallInTheBox ? std::make_unique<UninstallingLink>()
                                                    : std::make_unique<RecordingLink>();
        recorder->sendSucceeds = false;
        row.send(recorder->link);
        EXPECT_EQ(recorder->events, row.events);
        EXPECT_EQ(recorder->link.lastSequenceSent(), row.lastSequenceSent);
    }
}

}  // namespace
