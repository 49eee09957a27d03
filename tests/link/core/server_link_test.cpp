// ServerLink: the bytes of every outgoing message, their numbering, what a failed send does,
// and the check of every incoming envelope.
#include "link/core/server_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "json/json_reader.h"
#include "support/recording_link.h"
#include "support/report_recorder.h"

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
        std::string last;  // the last text sent
        int32_t lastSent;
        std::function<void(ServerLink&)> send;
    } rows[] = {
        // clang-format off
        {"hello", 0, Sends, {"send"}, R"({    "Message" : "Hello",    "Sequence" : 1,    "Version": 1,)"
            R"(    "Parameters" : {        "Protocol" : "KEVA",        "Name" : "Windows Client",        "Bidirectional" : true,)"
            R"(        "Radios": [            {"Station" : 3, "Radio" : 2}        ],        "Rows" : 5,        "Columns" : 3    }})",
            1, [](ServerLink& l) { l.SendHello(3, 2); }},
        {"before_any_hello_station_and_radio_are_0_and_the_number_wraps", 2147483647, Sends, {"send"}, R"({ "Message" : "Radio",)"
            R"( "Sequence" : -2147483648, "Version": 1, "Parameters" : { "Station" : 0, "Radio" : 0, "Frequency" : -7000} })",
            -2147483647 - 1, [](ServerLink& l) { l.SendRadio(-7000); }},
        {"antenna_tx_only", 0, Sends, {"send", "send"}, R"({ "Message" : "Antenna", "Sequence" : 2,)"
            R"( "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 1, "Antenna" : 5 } ] } })",
            2, [](ServerLink& l) { l.SendHello(4, -2), l.SendAntenna(1, 5, 0); }},
        {"antenna_rx_only", 0, Sends, {"send", "send"}, R"({ "Message" : "Antenna", "Sequence" : 2,)"
            R"( "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2, "Antennas" : [ {"RX" : 4, "Antenna" : 5 } ] } })",
            2, [](ServerLink& l) { l.SendHello(4, -2), l.SendAntenna(0, 5, 4); }},
        // Codes 0 on both sides, or state 0, send nothing and use no number.
        {"antenna_both_sides_after_requests_that_send_nothing", 0, Sends, {"send", "send"},
            R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 4, "Radio" : -2,)"
            R"( "Antennas" : [ {"TX" : 7, "Antenna" : 0 },  {"RX" : 7, "Antenna" : 0 } ] } })",
            2, [](ServerLink& l) { l.SendHello(4, -2), l.SendAntenna(0, 7, 0), l.SendFunction(0, 12), l.SendAntenna(7, 0, 7); }},
        {"direction_turn_has_no_station", 0, Sends, {"send", "send"},
            R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : { "Rotator" : 2, "Direction" : -90} })",
            2, [](ServerLink& l) { l.SendHello(4, -2), l.SendDirection(2, -90, false); }},
        {"direction_stop_leaves_the_bearing_out", 0, Sends, {"send"}, R"({ "Message" : "Direction", "Sequence" : 1,)"
            R"( "Version": 1, "Parameters" : { "Rotator" : 2, "Stop" : true} })", 1, [](ServerLink& l) { l.SendDirection(2, 90, true); }},
        {"a_later_hello_sets_station_and_radio_and_numbering_runs_on", 0, Sends, {"send", "send", "send"}, R"({ "Message" : "Function",)"
            R"( "Sequence" : 3, "Version": 1, "Parameters" : { "Station" : 5, "Radio" : 6, "Function" : 2147483647, "State" : 1} })",
            3, [](ServerLink& l) { l.SendRadio(1), l.SendHello(5, 6), l.SendFunction(1, 2147483647); }},
        // A failed send uses its number up, shows its text, then asks for one reconnection.
        {"each_failed_message", 0, Fails, {"send", "box: Failed to send Hello message", "reconnect",
            "send", "box: Failed to send Antenna message", "reconnect", "send", "box: Failed to send Function message", "reconnect",
            "send", "box: Failed to send Radio message", "reconnect", "send", "box: Failed to send Direction message", "reconnect"},
            R"({ "Message" : "Direction", "Sequence" : 5, "Version": 1, "Parameters" : { "Rotator" : 1, "Direction" : 1} })", 5,
         [](ServerLink& l) { l.SendHello(1, 1), l.SendAntenna(1, 1, 1), l.SendFunction(1, 1), l.SendRadio(1), l.SendDirection(1, 1, false); }},
        {"link_removed_in_the_box_asks_no_reconnection", 0, FailsAndTheBoxRemovesTheLink, {"send", "box: Failed to send Radio message"},
            R"({ "Message" : "Radio", "Sequence" : 1, "Version": 1, "Parameters" : { "Station" : 0, "Radio" : 0, "Frequency" : 1} })",
            1, [](ServerLink& l) { l.SendRadio(1); }},
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
        EXPECT_EQ(recorder.sent.empty() ? "" : recorder.sent.back(), row.last);
        EXPECT_EQ(link.lastSequenceSent(), row.lastSent);
    }
}

// A message with every header member; `rest` replaces the "Parameters" member.
std::string Msg(const std::string& name, const std::string& sequence,
                const std::string& version = "1", const std::string& rest = R"("Parameters":{})") {
    return R"({"Message":)" + name + R"(,"Sequence":)" + sequence + R"(,"Version":)" + version +
           "," + rest + "}";
}

const char kPartial[] = "Partial message received - header fields are missing";

TEST(DispatchServerMessage, ChecksTheEnvelopeReportsAndCallsTheHandler) {
    const struct {
        const char* behaviour;
        int32_t lastBefore;
        std::string message;  // empty: no root at all
        std::string shown;    // none, or the one report
        std::string called;   // the handlers called, by name and the kind of their parameters
        int32_t lastAfter;
    } rows[] = {
        // clang-format off
        {"no root", 3, "", "Message is empty or unreadable", "", 3},
        {"empty object", 5, "{}", "Message is empty or unreadable", "", 5},
        {"no Parameters", 5, R"({"Message":"State","Sequence":6,"Version":1})", kPartial, "", 5},
        {"Message without text", 5, Msg("true", "6"), kPartial, "", 5},
        {"Version 0", 5, Msg(R"("State")", "6", "0"), kPartial, "", 5},
        {"no Sequence", 5, R"({"Message":"State","Version":1,"Parameters":{}})", kPartial, "", 5},
        {"expected sequence: handled silently", 0, Msg(R"("State")", "1"), "", "State 3", 1},
        {"Server resynchronises without a handler or report", 7, Msg(R"("Server")", "100"), "", "", 100},
        {"an unknown name still counts its sequence and is never a format", 0, Msg(R"("%s%n%d")", "1"), "Unknown message %s%n%d received from client", "", 1},
        {"a route without a handler", 0, Msg(R"("Silent")", "1"), "", "", 1},
        {"other header members are ignored silently", 0, R"({"Time":"12:00","Message":"Rotators","Sequence":1,"Version":1,"Parameters":[]})", "", "Rotators 4", 1},
        {"members in any order; the last occurrence counts", 0, R"({"Parameters":5,"Sequence":9,"Version":2,"Message":"State","Sequence":1})", "", "State 2", 1},
        {"sequence in atol rules", 11, Msg(R"("State")", "12.9", "-3", R"("Parameters":null)"), "", "State 7", 12},
        {"the expected number wraps after the largest", 2147483647, Msg(R"("State")", "5"), "Got sequence number 5, expected -2147483648", "State 3", 5},
        // A handler that waits in a message box can see the console rebuild its table.
        {"a handler may clear the table while it runs", 0, Msg(R"("Clear")", "1"), "", "Clear 3", 1},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        MessageTable table = {{"Silent", nullptr}};
        std::string called;
        for (const char* name : {"Configuration", "State", "Rotation", "Rotators", "Clear"}) {
            table.push_back({name, [&, name](const JsonNode* parameters) {
                                 called += name + (" " + std::to_string(int(parameters->kind)));
                                 if (name == std::string("Clear")) {
                                     table.clear(), table.shrink_to_fit();
                                 }
                             }});
        }
        ReportRecorder shown;
        int32_t lastSequenceReceived = row.lastBefore;
        JsonReader reader(
            [&](const JsonNode* root) {
                DispatchServerMessage(table, root, lastSequenceReceived, shown);
            },
            shown);
        if (row.message.empty()) {
            DispatchServerMessage(table, nullptr, lastSequenceReceived, shown);
        }
        EXPECT_EQ(reader.Feed(row.message.data(), row.message.size()), JsonStatus::NeedMore);
        EXPECT_EQ(shown.texts, std::vector<std::string>(!row.shown.empty(), row.shown));
        EXPECT_EQ(called, row.called);
        EXPECT_EQ(lastSequenceReceived, row.lastAfter);
    }
}

}  // namespace
