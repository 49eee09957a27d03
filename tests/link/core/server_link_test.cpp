// ServerLink: the bytes of every outgoing message, their numbering, and what a failed send does.
#include "link/core/server_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/recording_link.h"

namespace {

struct TextRow {
    const char* name;
    bool hello;  // a "Hello" for station 4, radio -2 goes first
    std::function<void(ServerLink&)> send;
    std::size_t count;  // texts sent in all
    std::string last;   // the last text sent
};

const TextRow kTextRows[] = {
    {"hello", false, [](ServerLink& l) { l.SendHello(3, 2); }, 1,
     R"({    "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {)"
     R"(        "Protocol" : "KEVA",        "Name" : "Windows Client",)"
     R"(        "Bidirectional" : true,        "Radios": [            {"Station" : 3,)"
     R"( "Radio" : 2}        ],        "Rows" : 5,        "Columns" : 3    }})"},
    {"before_any_hello_station_and_radio_are_0", false, [](ServerLink& l) { l.SendRadio(7000); }, 1,
     R"({ "Message" : "Radio", "Sequence" : 1, "Version": 1, "Parameters" : {)"
     R"( "Station" : 0, "Radio" : 0, "Frequency" : 7000} })"},
    {"antenna_tx_only", true, [](ServerLink& l) { l.SendAntenna(1, 5, 0); }, 2,
     R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 1, "Antenna" : 5 } ] } })"},
    {"antenna_rx_only", true, [](ServerLink& l) { l.SendAntenna(0, 5, 4); }, 2,
     R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Station" : 4, "Radio" : -2, "Antennas" : [ {"RX" : 4, "Antenna" : 5 } ] } })"},
    {"antenna_both_sides_one_comma_two_blanks", true, [](ServerLink& l) { l.SendAntenna(2, 7, 2); },
     2,
     R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 2, "Antenna" : 7 },)"
     R"(  {"RX" : 2, "Antenna" : 7 } ] } })"},
    // Codes 0 on both sides (or state 0) send nothing, and the next message gets the number.
    {"antenna_codes_0_use_no_number", true,
     [](ServerLink& l) { l.SendAntenna(0, 7, 0), l.SendAntenna(7, 0, 7); }, 2,
     R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 7, "Antenna" : 0 },)"
     R"(  {"RX" : 7, "Antenna" : 0 } ] } })"},
    {"function", true, [](ServerLink& l) { l.SendFunction(3, 12); }, 2,
     R"({ "Message" : "Function", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Station" : 4, "Radio" : -2, "Function" : 12, "State" : 3} })"},
    {"function_state_0_uses_no_number", true,
     [](ServerLink& l) { l.SendFunction(0, 12), l.SendFunction(2, 12); }, 2,
     R"({ "Message" : "Function", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Station" : 4, "Radio" : -2, "Function" : 12, "State" : 2} })"},
    {"radio_negative_frequency", true, [](ServerLink& l) { l.SendRadio(-14074); }, 2,
     R"({ "Message" : "Radio", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Station" : 4, "Radio" : -2, "Frequency" : -14074} })"},
    {"direction_turn_has_no_station", true, [](ServerLink& l) { l.SendDirection(2, -90, false); },
     2,
     R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Rotator" : 2, "Direction" : -90} })"},
    {"direction_stop_leaves_the_bearing_out", true,
     [](ServerLink& l) { l.SendDirection(2, 90, true); }, 2,
     R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : {)"
     R"( "Rotator" : 2, "Stop" : true} })"},
    {"a_later_hello_sets_station_and_radio_and_numbering_runs_on", true,
     [](ServerLink& l) { l.SendRadio(1), l.SendHello(5, 6), l.SendFunction(1, 2147483647); }, 4,
     R"({ "Message" : "Function", "Sequence" : 4, "Version": 1, "Parameters" : {)"
     R"( "Station" : 5, "Radio" : 6, "Function" : 2147483647, "State" : 1} })"},
};

void PrintTo(const TextRow& row, std::ostream* out) {
    *out << row.name;
}

class ServerLinkTextTest : public testing::TestWithParam<TextRow> {};

TEST_P(ServerLinkTextTest, SendsTheMessageByteForByte) {
    const TextRow& row = GetParam();
    RecordingLink recorder;
    if (row.hello) {
        recorder.link.SendHello(4, -2);
    }
    row.send(recorder.link);
    ASSERT_EQ(recorder.sent.size(), row.count);
    EXPECT_EQ(recorder.sent.back(), row.last);
    EXPECT_EQ(recorder.link.lastSequenceSent(), static_cast<int32_t>(row.count));
    EXPECT_TRUE(recorder.failures.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, ServerLinkTextTest, testing::ValuesIn(kTextRows),
                         [](const testing::TestParamInfo<TextRow>& info) {
                             return std::string(info.param.name);
                         });

// A recorder whose failure box uninstalls the link, as a nested loop may do.
class UninstallingLink : public RecordingLink {
public:
    void ShowFailure(const std::string& failureText) override {
        RecordingLink::ShowFailure(failureText);
        link.SetOutgoingLink(nullptr);
    }
};

struct FailureRow {
    const char* name;
    std::function<void(ServerLink&)> send;  // every send fails
    std::vector<std::string> events;
    int32_t lastSequenceSent;  // a failed send uses its number up
};

const FailureRow kFailureRows[] = {
    {"hello",
     [](ServerLink& l) { l.SendHello(1, 1); },
     {"send", "box: Failed to send Hello message", "reconnect"},
     1},
    {"antenna",
     [](ServerLink& l) { l.SendAntenna(1, 1, 1); },
     {"send", "box: Failed to send Antenna message", "reconnect"},
     1},
    {"function",
     [](ServerLink& l) { l.SendFunction(1, 1); },
     {"send", "box: Failed to send Function message", "reconnect"},
     1},
    {"radio",
     [](ServerLink& l) { l.SendRadio(1); },
     {"send", "box: Failed to send Radio message", "reconnect"},
     1},
    {"direction",
     [](ServerLink& l) { l.SendDirection(1, 1, false); },
     {"send", "box: Failed to send Direction message", "reconnect"},
     1},
    {"one_reconnection_per_failed_send",
     [](ServerLink& l) { l.SendRadio(1), l.SendDirection(1, 1, true); },
     {"send", "box: Failed to send Radio message", "reconnect", "send",
      "box: Failed to send Direction message", "reconnect"},
     2},
    {"nothing_sent_nothing_failed",
     [](ServerLink& l) { l.SendAntenna(0, 1, 0), l.SendFunction(0, 1); },
     {},
     0},
    {"without_a_link_nothing_is_sent_but_the_number_is_used",
     [](ServerLink& l) { l.SetOutgoingLink(nullptr), l.SendRadio(1); },
     {},
     1},
};

void PrintTo(const FailureRow& row, std::ostream* out) {
    *out << row.name;
}

class ServerLinkFailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(ServerLinkFailureTest, ShowsItsTextThenAsksForOneReconnection) {
    const FailureRow& row = GetParam();
    RecordingLink recorder;
    recorder.sendSucceeds = false;
    row.send(recorder.link);
    EXPECT_EQ(recorder.events, row.events);
    EXPECT_EQ(recorder.link.lastSequenceSent(), row.lastSequenceSent);
}

INSTANTIATE_TEST_SUITE_P(Rows, ServerLinkFailureTest, testing::ValuesIn(kFailureRows),
                         [](const testing::TestParamInfo<FailureRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(ServerLinkFailure, NoReconnectionWhenTheBoxRemovedTheLink) {
    UninstallingLink recorder;
    recorder.sendSucceeds = false;
    recorder.link.SendRadio(1);
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"send", "box: Failed to send Radio message"}));
}

}  // namespace
