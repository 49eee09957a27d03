// keva-sim over the wire: the real program on a loopback port, real sockets, bytes checked.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpSocket>
#include <QTest>
#include <deque>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "json/json_reader.h"
#include "support/hello_bytes.h"
#include "support/report_recorder.h"
#include "support/sim_process.h"

namespace {

constexpr int Patience = 30000;  // ms; generous for a loaded machine and sanitizers

// A console's end of one connection: sends text, keeps what arrives.
struct Console {
    explicit Console(quint16 port) {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = socket.readAll();
            raw += bytes.toStdString();
            if (status == JsonStatus::NeedMore)
                status = reader_.Feed(bytes.constData(), std::size_t(bytes.size()));
        });
        socket.connectToHost(QStringLiteral("127.0.0.1"), port);
        socket.waitForConnected(Patience);
    }
    // "Name Sequence" of each whole message; where the text stops being one, its first byte.
    std::string Heads() const {
        static const std::regex head(
            R"re(\{"Message": "(\w+)", "Sequence": (\d+), "Version": 1, "Parameters": \{.*\}\})re");
        std::istringstream in(raw);
        std::string heads;
        std::smatch m;
        for (std::string line; std::getline(in, line);) {
            if (line[0] != '{' || (!in.eof() && !std::regex_match(line, m, head))) {
                return heads + ", x" + QByteArray(1, line[0]).toHex().toStdString();
            }
            heads += in.eof() ? "" : (heads.empty() ? "" : ", ") + m[1].str() + " " + m[2].str();
        }
        return heads;
    }

    std::string raw;
    JsonStatus status = JsonStatus::NeedMore;
    ReportRecorder reports;  // the reader's words about a bad byte
    QTcpSocket socket;
    JsonReader reader_{[](const JsonNode*) {}, reports};
};

// Console `console` sends `send`, then its messages must match `heads` and its text `holds` (a
// regular expression searched for). A row gives keva-sim `options`; with `closes` the first
// console's connection ends with its last message; `logged` is logged once.
// clang-format off
struct Step { std::size_t console; std::string send, heads; const char* holds = ""; };
struct Row { const char *name, *options; std::vector<Step> steps; bool closes = false; const char* logged = ""; };
#define TOWER_AT_45 R"("Rotator": 1, "CCWLimit": 180, "Rotation": 450, "Position": 225\})"
#define NO_NAMES R"("TXLongName": "", "RXLongName": "")"
#define ANTENNA_5(tx, rx) R"(\{"Antenna": 5, "TX": )" #tx R"(, "RX": )" #rx
#define TRIBANDER R"re("TXLongName": "20/15/10 m Tribander \(tower\)"[^\n]*)re"
#define LAST R"([^\n]*\n$)"  // in the last message
#define NEXT R"([^\n]*\n[^\n]*)"  // and in the message after
const std::string Greeting = "Server 1, Configuration 2, Rotators 3, Rotation 4, Rotation 5, State 6";
const Row kRows[] = {
    {"GreetingInOneWrite", "", {{0, FirstHello, Greeting, TOWER_AT_45 NEXT NEXT NO_NAMES}}, false, "connection 1: Hello for station 1 radio 1"},
    {"GreetingInOneByteWrites", "--chunk 1", {{0, FirstHello, Greeting, TOWER_AT_45 NEXT NEXT NO_NAMES}}},
    {"GreetingInSevenByteWrites", "--chunk 7", {{0, FirstHello, Greeting, TOWER_AT_45 NEXT NEXT NO_NAMES}}},
    {"MomentaryFunctionFallsBack", "", {{0, FirstHello + R"({"Message":"Function","Parameters":{"Station":1,"Radio":1,"Function":2,"State":1}})",
        Greeting + ", State 7, State 8", R"(\{"Function": 2, "State": 2)" NEXT R"(\{"Function": 2, "State": 1)" LAST}},
        false, "connection 1: Function for station 1 radio 1: function 2 state 1"},
    {"RefusedRequestIsLoggedAndAnsweredWithTheStateUnchanged", "", {{0, FirstHello + R"({"Message":"Antenna","Parameters":{"Station":1,)"
        R"("Radio":1,"Antennas":[{"TX":1,"Antenna":10}]}})", Greeting + ", State 7", NO_NAMES LAST}}, false, "ignored \"Antenna\": "},
    {"BrokenJsonClosesTheConnection", "", {{0, FirstHello + "{\"Message\" x", Greeting}}, true},
    {"CloseAfterCountsMessages", "--close-after 3", {{0, FirstHello, "Server 1, Configuration 2, Rotators 3"}}, true},
    {"BadByteAfterCountsMessages", "--bad-byte-after 2", {{0, FirstHello, "Server 1, Configuration 2, x01"}}},
    // The tower points at 45 (Position 180 + 45); 50 is five degrees on, with reports on the way.
    {"RotatorReportsWhileTurningAndWhenItStops", "", {{0, FirstHello + R"({"Message":"Direction","Parameters":{"Rotator":1,"Direction":50}})",
        Greeting + "(, Rotation \\d+){2,}", R"("Position": 230\})" LAST}}},
    // Every console of a radio gets its states; radio 2 on 20 m receives on radio 1's tribander.
    {"StatesReachEveryConsoleConcerned", "", {{0, FirstHello, Greeting}, {2, FirstHello, Greeting},
      {1, HelloBytes(1, 1, 2) + R"({"Message":"Radio","Parameters":{"Station":1,"Radio":2,"Frequency":14100}})", Greeting + ", State 7", ANTENNA_5(1, 1) LAST},
      {0, R"({"Message":"Antenna","Parameters":{"Station":1,"Radio":1,"Antennas":[{"TX":1,"Antenna":5},{"RX":1,"Antenna":5}]}})",
          Greeting + ", State 7", TRIBANDER ANTENNA_5(2, 2) LAST},
      {2, "", Greeting + ", State 7", TRIBANDER ANTENNA_5(2, 2) LAST},
      {1, "", Greeting + ", State 7, State 8", ANTENNA_5(0, 1) LAST}}},
};
// clang-format on

class SimWire : public testing::TestWithParam<int> {};

TEST_P(SimWire, Answers) {
    const Row& row = kRows[GetParam()];
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start(QString(row.options).split(' ', Qt::SkipEmptyParts), 0, error)) << error;
    std::deque<Console> consoles;  // a Console stays where it is built
    for (const Step& step : row.steps) {
        while (consoles.size() <= step.console)
            consoles.emplace_back(sim.port());
        Console& console = consoles[step.console];
        console.socket.write(step.send.data(), std::ssize(step.send));
        const auto holds = [&] {
            return std::regex_search(console.raw, std::regex(step.holds)) &&
                   std::regex_match(console.Heads(), std::regex(step.heads));
        };
        ASSERT_TRUE(QTest::qWaitFor(holds, Patience)) << console.Heads() << "\n" << console.raw;
    }
    for (const auto& console : consoles) {
        const bool badByte = console.Heads().ends_with("x01");
        EXPECT_EQ(console.status != JsonStatus::NeedMore, badByte) << "the stream stays JSON";
        EXPECT_EQ(console.reports.texts.size(), badByte ? 1u : 0u);
    }
    const auto state =
        row.closes ? QAbstractSocket::UnconnectedState : QAbstractSocket::ConnectedState;
    EXPECT_TRUE(QTest::qWaitFor([&] { return consoles[0].socket.state() == state; }, Patience));
    if (row.closes) {
        EXPECT_EQ(consoles[0].Heads(), row.steps.back().heads) << "nothing more before the close";
    }
    if (*row.logged) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return sim.CountLogged(row.logged) == 1; }, Patience))
            << sim.log();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SimWire, testing::Range(0, int(std::size(kRows))),
                         [](const auto& info) { return kRows[info.param].name; });

TEST(SimWireAcross, BadStationFileExitsWithStatus2) {
    QProcess process;
    process.start(QStringLiteral(KEVA_SIM_PATH), {"--port", "0", "--station", "/nonexistent.json"});
    ASSERT_TRUE(process.waitForFinished(Patience));
    EXPECT_EQ(
        std::tuple(process.exitStatus(), process.exitCode(), process.readAllStandardError(),
                   process.readAllStandardOutput()),
        std::tuple(QProcess::NormalExit, 2, "keva-sim: /nonexistent.json: cannot be read\n", ""));
}

}  // namespace
