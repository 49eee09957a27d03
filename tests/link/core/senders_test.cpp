#include "link/core/server_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "link/socket/hello_text.h"
#include "support/recording_link.h"

namespace {

class SendersTest : public testing::Test {
protected:
    void SetUp() override {
        g_lastSequenceSent = 0;
        g_station = 0;
        g_radio = 0;
    }

    RecordingLink link;
};

TEST_F(SendersTest, FirstHelloOfTheProcessIsTheFormatWithItsThreeNumbers) {
    SendHello(3, 2);
    ASSERT_EQ(link.sent.size(), 1u);
    EXPECT_EQ(link.sent[0], HelloText(1, 3, 2));
    EXPECT_EQ(g_station, 3);
    EXPECT_EQ(g_radio, 2);
}

struct SenderRow {
    const char* behaviour;
    std::function<void()> send;
    std::optional<std::string> expected;  // none: nothing is sent
};

TEST_F(SendersTest, EachSenderWritesItsMessageByteForByte) {
    g_station = 4;
    g_radio = -2;
    const SenderRow rows[] = {
        {"antenna TX only", [] { SendAntenna(1, 5, 0); },
         R"({ "Message" : "Antenna", "Sequence" : 8, "Version": 1, "Parameters" : {)"
         R"( "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 1, "Antenna" : 5 } ] } })"},
        {"antenna RX only", [] { SendAntenna(0, 5, 4); },
         R"({ "Message" : "Antenna", "Sequence" : 8, "Version": 1, "Parameters" : {)"
         R"( "Station" : 4, "Radio" : -2, "Antennas" : [ {"RX" : 4, "Antenna" : 5 } ] } })"},
        {"antenna both sides, separated by a comma and two blanks", [] { SendAntenna(2, 7, 2); },
         R"({ "Message" : "Antenna", "Sequence" : 8, "Version": 1, "Parameters" : {)"
         R"( "Station" : 4, "Radio" : -2, "Antennas" : [ {"TX" : 2, "Antenna" : 7 },)"
         R"(  {"RX" : 2, "Antenna" : 7 } ] } })"},
        {"antenna with both codes 0 sends nothing", [] { SendAntenna(0, 7, 0); }, std::nullopt},
        {"function", [] { SendFunction(3, 12); },
         R"({ "Message" : "Function", "Sequence" : 8, "Version": 1, "Parameters" : {)"
         R"( "Station" : 4, "Radio" : -2, "Function" : 12, "State" : 3} })"},
        {"function state 0 sends nothing", [] { SendFunction(0, 12); }, std::nullopt},
        {"radio with a negative frequency", [] { SendRadio(-14074); },
         R"({ "Message" : "Radio", "Sequence" : 8, "Version": 1, "Parameters" : {)"
         R"( "Station" : 4, "Radio" : -2, "Frequency" : -14074} })"},
        {"direction turn with a negative bearing", [] { SendDirection(2, -90, false); },
         R"({ "Message" : "Direction", "Sequence" : 8, "Version": 1, "Parameters" : {)"
         R"( "Rotator" : 2, "Direction" : -90} })"},
        {"direction stop leaves the bearing out", [] { SendDirection(2, 90, true); },
         R"({ "Message" : "Direction", "Sequence" : 8, "Version": 1, "Parameters" : {)"
         R"( "Rotator" : 2, "Stop" : true} })"},
    };
    for (const SenderRow& row : rows) {
        g_lastSequenceSent = 7;
        link.sent.clear();
        row.send();
        if (row.expected) {
            ASSERT_EQ(link.sent.size(), 1u) << row.behaviour;
            EXPECT_EQ(link.sent[0], *row.expected) << row.behaviour;
            EXPECT_EQ(g_lastSequenceSent, 8) << row.behaviour;
        } else {
            EXPECT_TRUE(link.sent.empty()) << row.behaviour;
            EXPECT_EQ(g_lastSequenceSent, 7) << row.behaviour << ": the counter is untouched";
        }
    }
}

TEST_F(SendersTest, SequenceNumbersRunOnAcrossHellosAndWrapAtTheTop) {
    SendRadio(7000);  // before the first "Hello": station and radio 0
    EXPECT_NE(link.sent[0].find(R"("Station" : 0, "Radio" : 0,)"), std::string::npos);
    SendHello(1, 1);
    SendRadio(1);
    SendHello(5, 6);
    EXPECT_EQ(link.sent[3], HelloText(4, 5, 6));

    g_lastSequenceSent = 2147483646;
    EXPECT_EQ(NextSequenceNumber(), 2147483647);
    SendFunction(1, 1);
    EXPECT_EQ(g_lastSequenceSent, -2147483647 - 1);
    EXPECT_NE(link.sent.back().find(R"("Sequence" : -2147483648,)"), std::string::npos);
    EXPECT_EQ(NextSequenceNumber(), -2147483647);
}

TEST_F(SendersTest, FailedSendShowsItsTextThenAsksForOneReconnection) {
    link.sendSucceeds = false;
    SendAntenna(1, 1, 1);
    SendFunction(1, 1);
    SendRadio(1);
    SendDirection(1, 1, false);
    SendHello(1, 1);
    const std::vector<std::string> expected = {
        "send", "box: Failed to send Antenna message",   "reconnect",
        "send", "box: Failed to send Function message",  "reconnect",
        "send", "box: Failed to send Radio message",     "reconnect",
        "send", "box: Failed to send Direction message", "reconnect",
        "send", "box: Failed to send Hello message",     "reconnect",
    };
    EXPECT_EQ(link.events, expected);
    EXPECT_EQ(g_lastSequenceSent, 5) << "numbers of failed sends are used up";
}

TEST_F(SendersTest, ReconnectionGoesToTheLinkInstalledAfterTheBox) {
    // The failure box runs a nested loop, in which the application may replace its link.
    struct SwappingLink : OutgoingLink {
        bool Send(const std::string&) override { return false; }
        void ShowFailure(const std::string&) override { SetOutgoingLink(replacement); }
        void RequestReconnect() override { ++reconnects; }
        OutgoingLink* replacement = nullptr;
        int reconnects = 0;
    };
    RecordingLink replacement;
    SwappingLink swapping;
    swapping.replacement = &replacement;
    SetOutgoingLink(&swapping);
    SendRadio(1);
    EXPECT_EQ(swapping.reconnects, 0);
    EXPECT_EQ(replacement.events, std::vector<std::string>{"reconnect"});
}

TEST_F(SendersTest, WithoutALinkNothingIsSentButTheNumberIsUsed) {
    OutgoingLink* installed = SetOutgoingLink(nullptr);
    SendRadio(1);
    SetOutgoingLink(installed);
    EXPECT_TRUE(link.events.empty());
    EXPECT_EQ(g_lastSequenceSent, 1);
}

}  // namespace
