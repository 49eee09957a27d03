#include "link/core/dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/json_reader.h"
#include "report_recorder.h"

namespace {

struct DispatchRow {
    const char* behaviour;
    int32_t lastBefore;
    std::string message;
    std::vector<std::string> shown;   // level-0 reports, in order
    std::vector<std::string> called;  // handler name and the kind of the parameters
    int32_t lastAfter;
};

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

    void Dispatch(const std::string& text) {
        JsonReader reader([this](const JsonNode* root) { DispatchServerMessage(table, root); });
        ASSERT_EQ(reader.Feed(text.data(), text.size()), JsonStatus::NeedMore) << text;
    }

    MessageTable table;
    std::vector<std::string> shown;
    std::vector<std::string> called;
    ReportRecorder recorder{shown};
};

const std::string kPartial = "Partial message received - header fields are missing";

TEST_F(DispatchTest, EnvelopeChecksReportsAndHandlers) {
    const DispatchRow rows[] = {
        {"empty object", 5, R"({})", {"Message is empty or unreadable"}, {}, 5},
        {"no Parameters", 5, R"({"Message":"State","Sequence":6,"Version":1})", {kPartial}, {}, 5},
        {"no Message", 5, R"({"Sequence":6,"Version":1,"Parameters":{}})", {kPartial}, {}, 5},
        {"Message without text",
         5,
         R"({"Message":true,"Sequence":6,"Version":1,"Parameters":{}})",
         {kPartial},
         {},
         5},
        {"Version 0",
         5,
         R"({"Message":"State","Sequence":6,"Version":0,"Parameters":{}})",
         {kPartial},
         {},
         5},
        {"negative Sequence",
         5,
         R"({"Message":"State","Sequence":-1,"Version":1,"Parameters":{}})",
         {kPartial},
         {},
         5},
        {"no Sequence", 5, R"({"Message":"State","Version":1,"Parameters":{}})", {kPartial}, {}, 5},
        {"lower-case message is an unknown header item",
         5,
         R"({"message":"State","Sequence":6,"Version":1,"Parameters":{}})",
         {kPartial},
         {},
         5},
        {"expected sequence: handled silently",
         0,
         R"({"Message":"State","Sequence":1,"Version":1,"Parameters":{}})",
         {},
         {"State 3"},
         1},
        {"sequence 10 after start",
         0,
         R"({"Message":"State","Sequence":10,"Version":1,"Parameters":{}})",
         {"Got sequence number 10, expected 1"},
         {"State 3"},
         10},
        {"the next one is expected to carry 11",
         10,
         R"({"Message":"Configuration","Sequence":11,"Version":1,"Parameters":{}})",
         {},
         {"Configuration 3"},
         11},
        {"a repetition is reported and handled",
         11,
         R"({"Message":"Rotation","Sequence":11,"Version":1,"Parameters":{}})",
         {"Got sequence number 11, expected 12"},
         {"Rotation 3"},
         11},
        {"Server resynchronises without a handler or report",
         7,
         R"({"Message":"Server","Sequence":100,"Version":1,"Parameters":{}})",
         {},
         {},
         100},
        {"Server with a bad header is partial",
         7,
         R"({"Message":"Server","Sequence":100,"Version":0,"Parameters":{}})",
         {kPartial},
         {},
         7},
        {"unknown name still counts its sequence",
         0,
         R"({"Message":"Ping","Sequence":1,"Version":1,"Parameters":{}})",
         {"Unknown message Ping received from client"},
         {},
         1},
        {"the name is never a format",
         0,
         R"({"Message":"%s%n%d","Sequence":1,"Version":1,"Parameters":{}})",
         {"Unknown message %s%n%d received from client"},
         {},
         1},
        {"names are case-sensitive",
         0,
         R"({"Message":"state","Sequence":1,"Version":1,"Parameters":{}})",
         {"Unknown message state received from client"},
         {},
         1},
        {"other header members are ignored silently",
         0,
         R"({"Time":"12:00","Message":"Rotators","Sequence":1,"Version":1,"Parameters":[]})",
         {},
         {"Rotators 4"},
         1},
        {"members in any order; the last occurrence counts",
         0,
         R"({"Parameters":5,"Sequence":9,"Version":2,"Message":"State","Sequence":1})",
         {},
         {"State 2"},
         1},
        {"sequence in atol rules",
         11,
         R"({"Message":"State","Sequence":12.9,"Version":-3,"Parameters":null})",
         {},
         {"State 7"},
         12},
        {"sequence given as a string",
         2,
         R"({"Message":"State","Sequence":"3","Version":1,"Parameters":{}})",
         {},
         {"State 3"},
         3},
        {"the expected number wraps after the largest",
         2147483647,
         R"({"Message":"State","Sequence":5,"Version":1,"Parameters":{}})",
         {"Got sequence number 5, expected -2147483648"},
         {"State 3"},
         5},
    };
    for (const DispatchRow& row : rows) {
        g_lastSequenceReceived = row.lastBefore;
        shown.clear();
        called.clear();
        Dispatch(row.message);
        EXPECT_EQ(shown, row.shown) << row.behaviour;
        EXPECT_EQ(called, row.called) << row.behaviour;
        EXPECT_EQ(g_lastSequenceReceived, row.lastAfter) << row.behaviour;
    }
}

TEST_F(DispatchTest, NoRootIsReportedAsEmpty) {
    g_lastSequenceReceived = 3;
    DispatchServerMessage(table, nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"Message is empty or unreadable"});
    EXPECT_EQ(g_lastSequenceReceived, 3);
}

TEST_F(DispatchTest, HandlerMayChangeTheTableWhileItRuns) {
    // A handler that waits in a message box can see the console rebuild its table.
    g_lastSequenceReceived = 0;
    table = {{"State", [this](const JsonNode*) {
                  table.clear();
                  table.shrink_to_fit();
                  called.push_back("State");
              }}};
    Dispatch(R"({"Message":"State","Sequence":1,"Version":1,"Parameters":{}})");
    EXPECT_EQ(called, std::vector<std::string>{"State"});
}

}  // namespace
