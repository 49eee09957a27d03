// The console against a loopback server: how it reads, and how a lost link becomes exactly one
// new connection.
#include <fcntl.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTcpSocket>
#include <algorithm>
#include <utility>

#include "app/console_fixture.h"
#include "app/console_menu.h"
#include "console/server_dialog.h"

namespace {

class ConsoleLinkTest : public ConsoleTest {
public:
    // Holds the first box open: runs `first` from its nested loop, then leaves the box until
    // `done` (or 20 s have passed); every box after it is closed at once.
    void HoldFirstBox(std::function<void()> first, std::function<bool()> done) {
        patience.start();
        driver.setHandler([this, first, done, ran = false](QWidget* modal) mutable {
            if (!std::exchange(ran, true)) {
                first();
                return false;
            }
            return (done() || patience.elapsed() >= 20000) && ModalDriver::CloseBoxes(modal);
        });
    }
    // The server describes antenna 7 on the first grid button; a click on it then fails to send.
    void FailedClick(bool closeSocket) {
        server.Write(
            Envelope("Configuration", 1,
                     R"({"Antennas":[{"Antenna":7,"ShortName":"D","Row":0,"Column":0}]})"));
        ASSERT_TRUE(WaitFor([&] { return !console->control(5)->isHidden(); }));
        if (closeSocket) {
            tcp.Close();
        } else {
            LoopbackServer::ClientSocket()->open(
                QIODevice::ReadOnly);  // it refuses every write now
        }
        static_cast<QAbstractButton*>(console->control(5))->click();
    }

    QElapsedTimer patience;
};

std::string Ping(const std::string& name, int sequence) {
    return Envelope(name, sequence, "{}");
}

struct LossRow {
    const char* name;
    std::function<void(ConsoleLinkTest&, CKEVAWindowsClientDlg&)> loss;
    std::vector<std::string> boxes;
    int reconnections;
    int helloSequence;  // of the last "Hello": a failed send has used a number
};

class LinkLossTest : public ConsoleLinkTest, public testing::WithParamInterface<LossRow> {};

// Each loss, however many ways it is reported, gives one connection request per request made;
// the console then shows the disconnected title, reconnects, shows the connected title and
// says "Hello" with the next sequence number.
TEST_P(LinkLossTest, EachLossOrServerCommandGivesOneNewConnection) {
    const LossRow& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(console->windowTitle().toStdString(), "KEVA Windows Client - Station 3 Radio 2");
    EXPECT_TRUE(console->reconnectArmed());
    requests.titles.clear();
    row.loss(*this, *console);
    const auto connections = static_cast<std::size_t>(1 + row.reconnections);
    ASSERT_TRUE(server.WaitForBytes(connections - 1, Hello(row.helloSequence).size()));
    EXPECT_EQ(server.received(connections - 1), Hello(row.helloSequence));
    ASSERT_TRUE(RoundTrip());
    std::vector<std::string> boxes = row.boxes;
    boxes.push_back(Unknown("RoundTrip"));
    EXPECT_EQ(driver.boxTexts(), boxes);
    EXPECT_EQ(requests.count, 1 + row.reconnections);
    EXPECT_EQ(server.connections(), connections);
    EXPECT_TRUE(console->reconnectArmed());
    std::vector<std::string> titles;
    for (int i = 0; i < row.reconnections; ++i) {
        titles.push_back("KEVA Windows Client - Station 3 Radio 2 (Disconnected)");
        titles.push_back("KEVA Windows Client - Station 3 Radio 2");
    }
    EXPECT_EQ(requests.titles, titles);
}

using T = ConsoleLinkTest;
using C = CKEVAWindowsClientDlg;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LinkLossTest, testing::Values(
    LossRow{"TheServerCommandFromTheMenu", [](T&, C& c) { c.menuBar()->actions().at(0)->menu()->actions().at(0)->trigger(); }, {}, 1, 2},
    LossRow{"TheServerCommandTwiceBeforeItIsHandled", [](T&, C& c) { c.OnSysCommand(IdSysServer); c.OnSysCommand(IdSysServer | 0x3); EXPECT_FALSE(c.reconnectArmed()); }, {}, 2, 3},
    LossRow{"BadJsonIsReportedTwice", [](T& t, C&) { t.server.Write("{ \"Message\" : ] " + Ping("A", 1)); },
            {"JSON: Found start of object when expecting a value", "Got bad message from server"}, 1, 2},
    LossRow{"AFailedConnectAsksForTheServer", [](T& t, C& c) {
        std::ofstream(t.settings.path) << "[Server]\nAddress=127.0.0.1\nPort=" << LoopbackServer::ClosedPort() << "\nStation=3\nRadio=2\n";
        t.driver.setHandler([&t](QWidget* modal) {
            auto* dialog = qobject_cast<CServerDialog*>(modal);
            if (dialog == nullptr) return ModalDriver::CloseBoxes(modal);
            dialog->edit(1001)->setText(QString::number(t.server.port()));
            dialog->accept();
            return true;
        });
        c.OnSysCommand(IdSysServer); }, {"Unable to connect to server"}, 1, 2},
    // The antenna click arms the reconnection, so its failed send asks for exactly one.
    LossRow{"ASendOnAClosedSocket", [](T& t, C&) { t.FailedClick(true); }, {"Failed to send Antenna message"}, 1, 3},
    LossRow{"ASendTheSocketRefuses", [](T& t, C&) { t.FailedClick(false); }, {"Failed to send Antenna message"}, 1, 3}),
    [](const testing::TestParamInfo<LossRow>& info) { return std::string(info.param.name); });
// clang-format on

// Data that arrives while a box of the dispatcher is open is read at once and fed after the
// current feed has returned; reading stops at about 1 MiB queued and resumes after the feed.
TEST_F(ConsoleLinkTest, DataArrivingUnderABoxIsQueuedAndFedInOrderAfterIt) {
    constexpr std::size_t Limit = ReceivePath::MaxQueuedBytes / 4096;
    ASSERT_NO_FATAL_FAILURE(Start());
    std::size_t mostQueued = 0;
    std::size_t boxesUnderBox = 0;
    HoldFirstBox(
        [&] {
            server.Write(std::string(3 * ReceivePath::MaxQueuedBytes / 2, ' ') + Ping("PingB", 2));
        },
        [&] {
            mostQueued = std::max(mostQueued, console->receivePath().queuedChunks());
            if (mostQueued >= Limit && boxesUnderBox == 0) {
                boxesUnderBox = driver.boxTexts().size();
            }
            return mostQueued >= Limit;
        });
    server.Write(Ping("PingA", 1));
    ASSERT_TRUE(WaitFor([&] { return driver.boxTexts().size() >= 2; }));
    EXPECT_GE(mostQueued, Limit);
    EXPECT_LE(mostQueued, Limit + 1);
    EXPECT_EQ(boxesUnderBox, 1u);
    EXPECT_EQ(driver.boxTexts(), (std::vector<std::string>{Unknown("PingA"), Unknown("PingB")}));
    EXPECT_TRUE(WaitFor([&] { return !console->receivePath().receiveBusy(); }));
    EXPECT_EQ(requests.count, 1);
}

// A box held open during a feed, a reconnection inside its nested loop: the old reader lives
// until its feed returns, and the new connection's messages reach a new one.
TEST_F(ConsoleLinkTest, AReconnectionUnderABoxDuringAFeedIsSafe) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HoldFirstBox(
        [&] { console->OnSysCommand(IdSysServer); },
        [&] { return server.connections() >= 2 && server.received(1).size() >= Hello(2).size(); });
    server.Write(Ping("PingA", 1) + "{\"Message\":\"Pi");
    ASSERT_TRUE(server.WaitForBytes(1, Hello(2).size()));
    ASSERT_TRUE(WaitFor([&] { return !console->receivePath().receiveBusy(); }));
    driver.setHandler(ModalDriver::CloseBoxes);
    server.Write(Ping("PingB", 2));
    ASSERT_TRUE(RoundTrip());
    EXPECT_EQ(driver.boxTexts(),
              (std::vector<std::string>{Unknown("PingA"), Unknown("PingB"), Unknown("RoundTrip")}));
    EXPECT_EQ(requests.count, 2);
}

// A read that fails with an error that is no close: Qt reports the error, then its close. One
// box; no connection request under it; one reconnection after OK.
TEST_F(ConsoleLinkTest, ASocketErrorShowsOneBoxAndReconnectsOnceAfterIt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    int requestsUnderBox = -1;
    // The mark is posted behind whatever the box found queued, so it runs after it.
    HoldFirstBox(
        [&] {
            QMetaObject::invokeMethod(console.get(), [&] { requestsUnderBox = requests.count; });
        },
        [&] { return requestsUnderBox >= 0; });
    const int folder = ::open("/", O_RDONLY | O_DIRECTORY);  // reading it fails with EISDIR
    ::dup2(folder, static_cast<int>(LoopbackServer::ClientSocket()->socketDescriptor()));
    ::close(folder);
    ASSERT_TRUE(server.WaitForBytes(1, Hello(2).size()));
    EXPECT_EQ(requestsUnderBox, 1);
    ASSERT_TRUE(RoundTrip());
    EXPECT_EQ(driver.boxTexts(),
              (std::vector<std::string>{"Server communications error", Unknown("RoundTrip")}));
    EXPECT_EQ(requests.count, 2);
}

// The server's last 64 KiB of States, then its close at once: every State is fed before the
// console resets for the reconnection.
TEST_F(ConsoleLinkTest, EverythingReceivedBeforeTheServersCloseIsFedFirst) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::string states;
    int i = 1;
    for (; states.size() < 64 * 1024; ++i) {
        states += Envelope("State", i, R"({"TXLongName":"Name )" + std::to_string(i) + "\"}");
    }
    states += Envelope("State", i, R"({"TXLongName":"Last","RXLongName":"Beam"})");
    std::string shownAtReconnection;
    requests.beforeConnect = [&] {
        shownAtReconnection = static_cast<QLabel*>(console->control(1007))->text().toStdString();
    };
    server.Write(states);
    server.CloseConnection();
    ASSERT_TRUE(server.WaitForBytes(1, Hello(2).size()));
    EXPECT_EQ(shownAtReconnection, "TX: Last");
    EXPECT_TRUE(driver.boxTexts().empty());
    EXPECT_EQ(requests.count, 2);
}

}  // namespace
