#include "link/core/dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/json_reader.h"
#include "support/report_recorder.h"

namespace {

// `called`: the handlers called, by name and the kind of their parameters.
struct DispatchRow {
    const char* behaviour;
    int32_t lastBefore;
    std::string message;  // empty: no root at all
    std::string shown;    // none, or the one report
    std::string called;
    int32_t lastAfter;
};

// A message with every header member; `rest` replaces the "Parameters" member.
std::string Msg(const std::string& name, const std::string& sequence,
                const std::string& version = "1", const std::string& rest = R"("Parameters":{})") {
    return R"({"Message":)" + name + R"(,"Sequence":)" + sequence + R"(,"Version":)" + version +
           "," + rest + "}";
}

const char kPartial[] = "Partial message received - header fields are missing";

TEST(DispatchServerMessage, ChecksTheEnvelopeReportsAndCallsTheHandler) {
    // clang-format off
    const DispatchRow rows[] = {
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
    };
    // clang-format on
    for (const DispatchRow& row : rows) {
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
        EXPECT_EQ(shown.texts, row.shown.empty() ? std::vector<std::string>{}
                                                 : std::vector<std::string>{row.shown});
        EXPECT_EQ(called, row.called);
        EXPECT_EQ(lastSequenceReceived, row.lastAfter);
    }
}

}  // namespace
