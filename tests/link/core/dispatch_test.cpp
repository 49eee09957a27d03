#include "link/core/dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/json_reader.h"
#include "support/report_recorder.h"

namespace {

// One row: the last sequence number before, the message, the level-0 reports ("|" between
// them), the handlers called (name and the kind of the parameters) and the number after.
struct DispatchRow {
    const char* behaviour;
    int32_t lastBefore;
    std::string message;
    std::string shown;
    std::string called;
    int32_t lastAfter;
};

// A message with every header member; `rest` replaces the "Parameters" member.
std::string Msg(const std::string& name, const std::string& sequence,
                const std::string& version = "1", const std::string& rest = R"("Parameters":{})") {
    return R"({"Message":)" + name + R"(,"Sequence":)" + sequence + R"(,"Version":)" + version +
           "," + rest + "}";
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        joined += (joined.empty() ? "" : "|") + text;
    }
    return joined;
}

class DispatchTest : public testing::Test {
protected:
    DispatchTest() {
        for (const char* name : {"Configuration", "State", "Rotation", "Rotators"}) {
            table.push_back({name, [this, name](const JsonNode* parameters) {
                                 called.push_back(
                                     std::string(name) + " " +
                                     std::to_string(static_cast<int>(parameters ? parameters->kind
                                                                                : JsonKind::Null)));
                             }});
        }
    }

    void Dispatch(const std::string& text, int32_t& lastSequenceReceived) {
        JsonReader reader([&](const JsonNode* root) {
            DispatchServerMessage(table, root, lastSequenceReceived);
        });
        ASSERT_EQ(reader.Feed(text.data(), text.size()), JsonStatus::NeedMore) << text;
    }

    MessageTable table;
    std::vector<std::string> shown;
    std::vector<std::string> called;
    ReportRecorder recorder{&shown};
};

const std::string kPartial = "Partial message received - header fields are missing";

TEST_F(DispatchTest, EnvelopeChecksReportsAndHandlers) {
    const std::string unknown = " received from client";
    const DispatchRow rows[] = {
        {"empty object", 5, "{}", "Message is empty or unreadable", "", 5},
        {"no Parameters", 5, R"({"Message":"State","Sequence":6,"Version":1})", kPartial, "", 5},
        {"no Message", 5, R"({"Sequence":6,"Version":1,"Parameters":{}})", kPartial, "", 5},
        {"Message without text", 5, Msg("true", "6"), kPartial, "", 5},
        {"Version 0", 5, Msg(R"("State")", "6", "0"), kPartial, "", 5},
        {"negative Sequence", 5, Msg(R"("State")", "-1"), kPartial, "", 5},
        {"no Sequence", 5, R"({"Message":"State","Version":1,"Parameters":{}})", kPartial, "", 5},
        {"lower-case message is an unknown header item", 5,
         R"({"message":"State","Sequence":6,"Version":1,"Parameters":{}})", kPartial, "", 5},
        {"expected sequence: handled silently", 0, Msg(R"("State")", "1"), "", "State 3", 1},
        {"sequence 10 after start", 0, Msg(R"("State")", "10"),
         "Got sequence number 10, expected 1", "State 3", 10},
        {"the next one is expected to carry 11", 10, Msg(R"("Configuration")", "11"), "",
         "Configuration 3", 11},
        {"a repetition is reported and handled", 11, Msg(R"("Rotation")", "11"),
         "Got sequence number 11, expected 12", "Rotation 3", 11},
        {"Server resynchronises without a handler or report", 7, Msg(R"("Server")", "100"), "", "",
         100},
        {"Server with a bad header is partial", 7, Msg(R"("Server")", "100", "0"), kPartial, "", 7},
        {"unknown name still counts its sequence", 0, Msg(R"("Ping")", "1"),
         "Unknown message Ping" + unknown, "", 1},
        {"the name is never a format", 0, Msg(R"("%s%n%d")", "1"),
         "Unknown message %s%n%d" + unknown, "", 1},
        {"names are case-sensitive", 0, Msg(R"("state")", "1"), "Unknown message state" + unknown,
         "", 1},
        {"other header members are ignored silently", 0,
         R"({"Time":"12:00","Message":"Rotators","Sequence":1,"Version":1,"Parameters":[]})", "",
         "Rotators 4", 1},
        {"members in any order; the last occurrence counts", 0,
         R"({"Parameters":5,"Sequence":9,"Version":2,"Message":"State","Sequence":1})", "",
         "State 2", 1},
        {"sequence in atol rules", 11, Msg(R"("State")", "12.9", "-3", R"("Parameters":null)"), "",
         "State 7", 12},
        {"sequence given as a string", 2, Msg(R"("State")", R"("3")"), "", "State 3", 3},
        {"the expected number wraps after the largest", 2147483647, Msg(R"("State")", "5"),
         "Got sequence number 5, expected -2147483648", "State 3", 5},
    };
    for (const DispatchRow& row : rows) {
        SCOPED_TRACE(row.behaviour);
        int32_t lastSequenceReceived = row.lastBefore;
        shown.clear();
        called.clear();
        Dispatch(row.message, lastSequenceReceived);
        EXPECT_EQ(Joined(shown), row.shown);
        EXPECT_EQ(Joined(called), row.called);
        EXPECT_EQ(lastSequenceReceived, row.lastAfter);
    }
}

TEST_F(DispatchTest, NoRootIsReportedAsEmpty) {
    int32_t lastSequenceReceived = 3;
    DispatchServerMessage(table, nullptr, lastSequenceReceived);
    EXPECT_EQ(shown, std::vector<std::string>{"Message is empty or unreadable"});
    EXPECT_EQ(lastSequenceReceived, 3);
}

TEST_F(DispatchTest, HandlerMayChangeTheTableWhileItRuns) {
    // A handler that waits in a message box can see the console rebuild its table.
    int32_t lastSequenceReceived = 0;
    table = {{"State", [this](const JsonNode*) {
                  table.clear();
                  table.shrink_to_fit();
                  called.push_back("State");
              }}};
    Dispatch(R"({"Message":"State","Sequence":1,"Version":1,"Parameters":{}})",
             lastSequenceReceived);
    EXPECT_EQ(called, std::vector<std::string>{"State"});
}

}  // namespace
