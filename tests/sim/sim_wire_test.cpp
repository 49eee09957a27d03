// keva-sim over the wire: a real process on a free loopback port, real sockets, bytes checked.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpSocket>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "json/json_reader.h"
#include "json/report.h"

namespace {

constexpr int Patience = 30000;  // ms; generous for a loaded machine and sanitizers

// The console's Hello, byte for byte, for radio `radio` of station 1.
std::string Hello(int radio) {
    return R"({    "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {        "Protocol" : "KEVA",        "Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [            {"Station" : 1, "Radio" : )" +
           std::to_string(radio) + R"(}        ],        "Rows" : 5,        "Columns" : 3    }})";
}

// keva-sim started on --port 0; the port comes from its first line.
class Sim {
public:
    explicit Sim(QStringList arguments = {}) {
        process_.start(QStringLiteral(KEVA_SIM_PATH), QStringList{"--port", "0"} + arguments);
        const bool ready = QTest::qWaitFor([this] { return process_.canReadLine(); }, Patience);
        if (ready) {
            line_ = process_.readLine().trimmed().toStdString();
            const std::string prefix = "keva-sim listening on 127.0.0.1:";
            if (line_.rfind(prefix, 0) == 0) {
                port_ = static_cast<quint16>(std::stoi(line_.substr(prefix.size())));
            }
        }
    }
    ~Sim() {
        process_.kill();
        process_.waitForFinished(Patience);
    }
    quint16 Port() const { return port_; }
    const std::string& Line() const { return line_; }

private:
    QProcess process_;
    std::string line_;
    quint16 port_ = 0;
};

struct Message {
    std::string name;
    int32_t sequence = -1;
};

// A console's end of one connection: sends text, collects what arrives.
class Console {
public:
    explicit Console(quint16 port) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { OnReadyRead(); });
        socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
        connected_ = socket_.waitForConnected(Patience);
    }
    bool Connected() const { return connected_; }
    // Connected, said Hello for `radio`, and heard the whole greeting.
    bool Greet(int radio) {
        Send(Hello(radio));
        return connected_ && WaitFor(6);
    }
    void Send(const std::string& text) {
        socket_.write(text.data(), static_cast<qint64>(text.size()));
        socket_.flush();
    }
    bool WaitFor(std::size_t count) {
        return QTest::qWaitFor([&] { return messages.size() >= count; }, Patience);
    }
    bool WaitForClose() {
        return QTest::qWaitFor([&] { return socket_.state() == QAbstractSocket::UnconnectedState; },
                               Patience);
    }
    // The text of message `index`, without its line feed.
    std::string Line(std::size_t index) const {
        std::size_t start = 0;
        for (std::size_t i = 0; i < index; ++i) {
            start = raw.find('\n', start) + 1;
        }
        return raw.substr(start, raw.find('\n', start) - start);
    }
    // The index of the first message from `from` on whose text holds `part`; -1 when none.
    int Find(std::size_t from, const std::string& part) const {
        for (std::size_t i = from; i < messages.size(); ++i) {
            if (Line(i).find(part) != std::string::npos) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    std::vector<Message> messages;
    std::string raw;
    JsonStatus status = JsonStatus::NeedMore;

private:
    void OnReadyRead() {
        const QByteArray bytes = socket_.readAll();
        raw.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        if (status == JsonStatus::NeedMore) {
            status = reader_.Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
    }

    QTcpSocket socket_;
    bool connected_ = false;
    JsonReader reader_{[this](const JsonNode* root) {
        Message m;
        for (const JsonNode* label = root->firstChild.get(); label; label = label->next.get()) {
            if (TextEquals(label, "Message") && ValueOf(label)->text) {
                m.name = *ValueOf(label)->text;
            } else if (TextEquals(label, "Sequence")) {
                m.sequence = IntValue(ValueOf(label));
            }
        }
        messages.push_back(m);
    }};
};

class SimWire : public testing::Test {
protected:
    void SetUp() override {
        previousSink_ = SetReportSink([](const std::string&) {});
    }
    void TearDown() override { SetReportSink(previousSink_); }

private:
    ReportSink previousSink_;
};

const std::vector<std::string> greeting = {"Server",   "Configuration", "Rotators",
                                           "Rotation", "Rotation",      "State"};

// The names of the first `count` messages.
std::vector<std::string> Names(const std::vector<Message>& messages, std::size_t count = 10) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count && i < messages.size(); ++i) {
        names.push_back(messages[i].name);
    }
    return names;
}

bool Holds(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

// The same greeting, byte for byte, however keva-sim cuts its writes.
TEST_F(SimWire, HelloIsAnsweredWithTheWholeStationInAnyChunks) {
    std::string plain;
    for (const QStringList& faults :
         {QStringList{}, QStringList{"--chunk", "1"}, QStringList{"--chunk", "7"}}) {
        SCOPED_TRACE(faults.join(' ').toStdString());
        Sim sim(faults);
        Console console(sim.Port());
        ASSERT_TRUE(console.Greet(1)) << sim.Line();
        EXPECT_EQ(Names(console.messages, greeting.size()), greeting);
        for (std::size_t i = 0; i < greeting.size(); ++i) {
            EXPECT_EQ(console.messages[i].sequence, static_cast<int32_t>(i + 1));
        }
        EXPECT_EQ(console.status, JsonStatus::NeedMore);
        if (faults.isEmpty()) {
            plain = console.raw;
            EXPECT_TRUE(
                Holds(console.Line(3), R"("Rotator": 1, "CCWLimit": 180, "Rotation": 450)"));
            EXPECT_TRUE(Holds(console.Line(5), R"("TXLongName": "", "RXLongName": "")"));
        } else {
            EXPECT_EQ(console.raw, plain);
        }
    }
}

TEST_F(SimWire, StatesReachEveryConsoleConcerned) {
    Sim sim;
    Console first(sim.Port()), second(sim.Port()), third(sim.Port());
    ASSERT_TRUE(first.Greet(1) && second.Greet(2) && third.Greet(1)) << sim.Line();

    // Radio 2 moves to 20 m, where the tribander (antenna 5) covers it too.
    second.Send(
        R"({ "Message" : "Radio", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 1, "Radio" : 2, "Frequency" : 14100} })");
    ASSERT_TRUE(second.WaitFor(7));
    EXPECT_TRUE(Holds(second.Line(6), R"({"Antenna": 5, "TX": 1, "RX": 1)"));

    first.Send(
        R"({ "Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 1, "Radio" : 1, "Antennas" : [ {"TX" : 1, "Antenna" : 5 },  {"RX" : 1, "Antenna" : 5 } ] } })");
    for (Console* console : {&first, &third}) {
        ASSERT_TRUE(console->WaitFor(7));
        EXPECT_EQ(console->messages[6].name, "State");
        EXPECT_TRUE(Holds(console->Line(6), R"x("TXLongName": "20/15/10 m Tribander (tower)")x"));
        EXPECT_TRUE(Holds(console->Line(6), R"({"Antenna": 5, "TX": 2, "RX": 2)"));
    }
    // Radio 2 is locked out of transmitting on it, and still may receive on it.
    ASSERT_TRUE(second.WaitFor(8));
    EXPECT_TRUE(Holds(second.Line(7), R"({"Antenna": 5, "TX": 0, "RX": 1)"));
}

TEST_F(SimWire, MomentaryFunctionFallsBack) {
    Sim sim;
    Console console(sim.Port());
    ASSERT_TRUE(console.Greet(1)) << sim.Line();
    console.Send(
        R"({ "Message" : "Function", "Sequence" : 2, "Version": 1, "Parameters" : { "Station" : 1, "Radio" : 1, "Function" : 2, "State" : 1} })");
    ASSERT_TRUE(console.WaitFor(8));
    EXPECT_TRUE(Holds(console.Line(6), R"({"Function": 2, "State": 2)"));
    EXPECT_TRUE(Holds(console.Line(7), R"({"Function": 2, "State": 1)"));
}

TEST_F(SimWire, RotatorReportsWhileTurningAndWhenItStops) {
    Sim sim;
    Console console(sim.Port());
    ASSERT_TRUE(console.Greet(1)) << sim.Line();
    // The tower points at 45 (Position 180 + 45); 50 is five degrees on, under a second.
    console.Send(
        R"({ "Message" : "Direction", "Sequence" : 2, "Version": 1, "Parameters" : { "Rotator" : 1, "Direction" : 50} })");
    const std::string arrived = R"("Position": 230})";
    ASSERT_TRUE(QTest::qWaitFor([&] { return console.Find(6, arrived) >= 0; }, Patience));
    const int last = console.Find(6, arrived);
    EXPECT_GE(last, 7) << "no report while turning";
    for (int i = 6; i <= last; ++i) {
        EXPECT_EQ(console.messages[static_cast<std::size_t>(i)].name, "Rotation");
    }
}

TEST_F(SimWire, BrokenJsonClosesTheConnection) {
    Sim sim;
    Console console(sim.Port());
    ASSERT_TRUE(console.Greet(1)) << sim.Line();
    console.Send("{\"Message\" x");
    EXPECT_TRUE(console.WaitForClose());
}

TEST_F(SimWire, CloseAfterCountsMessages) {
    Sim sim({"--close-after", "3"});
    Console console(sim.Port());
    ASSERT_TRUE(console.Connected()) << sim.Line();
    console.Send(Hello(1));
    ASSERT_TRUE(console.WaitForClose());
    EXPECT_EQ(Names(console.messages),
              (std::vector<std::string>{"Server", "Configuration", "Rotators"}));
}

TEST_F(SimWire, BadByteAfterCountsMessages) {
    Sim sim({"--bad-byte-after", "2"});
    Console console(sim.Port());
    ASSERT_TRUE(console.Connected()) << sim.Line();
    console.Send(Hello(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return console.status != JsonStatus::NeedMore; }, Patience));
    EXPECT_EQ(Names(console.messages), (std::vector<std::string>{"Server", "Configuration"}));
    const std::size_t afterTwo = console.raw.find('\n', console.raw.find('\n') + 1) + 1;
    ASSERT_LT(afterTwo, console.raw.size());
    EXPECT_EQ(console.raw[afterTwo], '\x01');
}

TEST_F(SimWire, BadStationFileExitsWithStatus2) {
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
