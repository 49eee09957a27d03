// keva-sim over the wire: the real program on a loopback port, real sockets, bytes checked.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpSocket>
#include <QTest>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "json/json_reader.h"
#include "support/report_recorder.h"
#include "support/sim_process.h"

namespace {

constexpr int Patience = 30000;  // ms; generous for a loaded machine and sanitizers

// The console's Hello, byte for byte, for radio `radio` of station 1.
std::string Hello(int radio) {
    return R"({    "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {        "Protocol" : "KEVA",        "Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [            {"Station" : 1, "Radio" : )" +
           std::to_string(radio) + R"(}        ],        "Rows" : 5,        "Columns" : 3    }})";
}
const char* const kGreeting =
    "Server 1, Configuration 2, Rotators 3, Rotation 4, Rotation 5, State 6";

// A console's end of one connection: sends text, keeps what arrives.
class Console {
public:
    explicit Console(quint16 port) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = socket_.readAll();
            raw.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            if (status == JsonStatus::NeedMore) {
                status = reader_.Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            }
        });
        socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
        socket_.waitForConnected(Patience);
    }
    void Send(const std::string& text) {
        socket_.write(text.data(), static_cast<qint64>(text.size()));
        socket_.flush();
    }
    bool WaitForClose() {
        return QTest::qWaitFor([&] { return socket_.state() == QAbstractSocket::UnconnectedState; },
                               Patience);
    }
    bool Connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    // Message `i` (from 1), without its line feed.
    std::string Line(std::size_t i) const {
        std::size_t start = 0;
        for (; i > 1 && start != 0 + std::string::npos; --i) {
            start = raw.find('\n', start);
            start = start == std::string::npos ? start : start + 1;
        }
        return start >= raw.size() ? "" : raw.substr(start, raw.find('\n', start) - start);
    }
    // "Name Sequence" of each whole message, in order; where the text stops looking like a
    // message, its first byte in hex, and no more.
    std::string Heads() const {
        static const std::regex head(
            R"re(\{"Message": "(\w+)", "Sequence": (\d+), "Version": 1, "Parameters": \{.*\}\})re");
        std::string heads;
        std::size_t start = 0;
        for (std::size_t end; start < raw.size(); start = end + 1) {
            std::smatch m;
            end = raw.find('\n', start);
            const std::string line = raw.substr(start, end - start);
            if (line[0] != '{' || (end != std::string::npos && !std::regex_match(line, m, head))) {
                return heads + ", x" + QByteArray(1, line[0]).toHex().toStdString();
            }
            if (end == std::string::npos) {
                break;
            }
            heads += (heads.empty() ? "" : ", ") + m[1].str() + " " + m[2].str();
        }
        return heads;
    }
    bool WaitForHeads(const std::string& heads) {
        return QTest::qWaitFor([&] { return Heads() == heads; }, Patience);
    }

    std::string raw;
    JsonStatus status = JsonStatus::NeedMore;
    ReportRecorder reports;  // the reader's words about a bad byte

private:
    QTcpSocket socket_;
    JsonReader reader_{[](const JsonNode*) {}, reports};
};

struct Row {
    const char* name;
    const char* options;  // given to keva-sim, separated by spaces
    std::string request;  // sent after the Hello
    const char* heads;    // every message received
    bool closes;
    const char* holds = "";   // "message number=part of its text" lines
    const char* logged = "";  // once in keva-sim's log
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

#define TOWER_AT_45 "4=\"Rotator\": 1, \"CCWLimit\": 180, \"Rotation\": 450, \"Position\": 225}"
#define NO_NAMES "=\"TXLongName\": \"\", \"RXLongName\": \"\""
const Row kRows[] = {
    {"GreetingInOneWrite", "", "", kGreeting, false, TOWER_AT_45 "\n6" NO_NAMES,
     "connection 1: Hello for station 1 radio 1"},
    {"GreetingInOneByteWrites", "--chunk 1", "", kGreeting, false, TOWER_AT_45 "\n6" NO_NAMES},
    {"GreetingInSevenByteWrites", "--chunk 7", "", kGreeting, false, TOWER_AT_45 "\n6" NO_NAMES},
    {"MomentaryFunctionFallsBack", "",
     R"({ "Message" : "Function", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 1, "Radio" : 1, "Function" : 2, "State" : 1} })",
     "Server 1, Configuration 2, Rotators 3, Rotation 4, Rotation 5, State 6, State 7, State 8",
     false, "7={\"Function\": 2, \"State\": 2\n8={\"Function\": 2, \"State\": 1",
     "connection 1: Function for station 1 radio 1: function 2 state 1"},
    {"RefusedRequestIsLoggedAndAnsweredWithTheStateUnchanged", "",
     R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 1, "Radio" : 1, "Antennas" : [ {"TX" : 1, "Antenna" : 10 } ] } })",
     "Server 1, Configuration 2, Rotators 3, Rotation 4, Rotation 5, State 6, State 7", false,
     "7" NO_NAMES, "ignored \"Antenna\": "},
    {"BrokenJsonClosesTheConnection", "", "{\"Message\" x", kGreeting, true},
    {"CloseAfterCountsMessages", "--close-after 3", "", "Server 1, Configuration 2, Rotators 3",
     true},
    {"BadByteAfterCountsMessages", "--bad-byte-after 2", "", "Server 1, Configuration 2, x01",
     false},
};

class SimWire : public testing::TestWithParam<Row> {};

TEST_P(SimWire, Answers) {
    const Row& row = GetParam();
    SimProcess sim;
    std::string error;
    const QString options = row.options;
    ASSERT_TRUE(sim.Start(options.split(' ', Qt::SkipEmptyParts), 0, error)) << error;
    Console console(sim.port());
    console.Send(Hello(1) + row.request);
    EXPECT_TRUE(console.WaitForHeads(row.heads)) << console.Heads();
    if (row.closes) {
        EXPECT_TRUE(console.WaitForClose());
        EXPECT_EQ(console.Heads(), row.heads) << "nothing more before the close";
    } else {
        EXPECT_TRUE(console.Connected());
    }
    const bool badByte = std::string_view(row.heads).ends_with("x01");
    EXPECT_EQ(console.status != JsonStatus::NeedMore, badByte) << "the stream stays JSON";
    EXPECT_EQ(console.reports.texts.size(), badByte ? 1u : 0u);
    std::istringstream holds(row.holds);
    for (std::string hold; std::getline(holds, hold);) {
        const std::size_t at = hold.find('=');
        EXPECT_NE(console.Line(std::stoul(hold.substr(0, at))).find(hold.substr(at + 1)),
                  std::string::npos)
            << hold;
    }
    if (*row.logged) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return sim.CountLogged(row.logged) == 1; }, Patience))
            << sim.log();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SimWire, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return info.param.name; });

bool Holds(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

// A state reaches every console of the radio, and the lock-out reaches the other radio.
TEST(SimWireAcross, StatesReachEveryConsoleConcerned) {
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start({}, 0, error)) << error;
    Console first(sim.port()), second(sim.port()), third(sim.port());
    first.Send(Hello(1));
    third.Send(Hello(1));
    // Radio 2 moves to 20 m, where the tribander (antenna 5) covers it too.
    second.Send(
        Hello(2) +
        R"({ "Message" : "Radio", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 1, "Radio" : 2, "Frequency" : 14100} })");
    ASSERT_TRUE(second.WaitForHeads(std::string(kGreeting) + ", State 7"));
    EXPECT_TRUE(Holds(second.Line(7), R"({"Antenna": 5, "TX": 1, "RX": 1)"));
    ASSERT_TRUE(first.WaitForHeads(kGreeting) && third.WaitForHeads(kGreeting));

    first.Send(
        R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 1, "Radio" : 1, "Antennas" : [ {"TX" : 1, "Antenna" : 5 },  {"RX" : 1, "Antenna" : 5 } ] } })");
    for (Console* console : {&first, &third}) {
        ASSERT_TRUE(console->WaitForHeads(std::string(kGreeting) + ", State 7"));
        EXPECT_TRUE(Holds(console->Line(7), R"x("TXLongName": "20/15/10 m Tribander (tower)")x"));
        EXPECT_TRUE(Holds(console->Line(7), R"({"Antenna": 5, "TX": 2, "RX": 2)"));
    }
    // Radio 2 is locked out of transmitting on it, and still may receive on it.
    ASSERT_TRUE(second.WaitForHeads(std::string(kGreeting) + ", State 7, State 8"));
    EXPECT_TRUE(Holds(second.Line(8), R"({"Antenna": 5, "TX": 0, "RX": 1)"));
}

// The tower points at 45 (Position 180 + 45); 50 is five degrees on, reached within a second,
// with at least one report on the way.
TEST(SimWireAcross, RotatorReportsWhileTurningAndWhenItStops) {
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start({}, 0, error)) << error;
    Console console(sim.port());
    console.Send(
        Hello(1) +
        R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : { "Rotator" : 1, "Direction" : 50} })");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Holds(console.raw, R"("Position": 230})"); }, Patience));
    const std::string heads = console.Heads();
    EXPECT_TRUE(
        std::regex_match(heads.substr(std::strlen(kGreeting)), std::regex("(, Rotation \\d+){2,}")))
        << heads;
}

TEST(SimWireAcross, BadStationFileExitsWithStatus2) {
    QProcess process;
    process.start(QStringLiteral(KEVA_SIM_PATH),
                  {"--port", "0", "--station", QStringLiteral("/nonexistent/station.json")});
    ASSERT_TRUE(process.waitForFinished(Patience));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "keva-sim: /nonexistent/station.json: cannot be read\n");
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

}  // namespace
