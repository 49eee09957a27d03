// The console against a loopback server: what it sends, how it reads, and how a lost link
// becomes exactly one new connection.
#include <fcntl.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <utility>

#include "app/console_fixture.h"
#include "app/console_menu.h"
#include "console/frequency_dialog.h"

namespace {

class ConsoleLinkTest : public ConsoleTest {
protected:
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

    QElapsedTimer patience;
};

std::string Ping(const std::string& name, int sequence) {
    return Envelope(name, sequence, "{}");
}
std::string Unknown(const std::string& name) {
    return "Unknown message " + name + " received from client";
}

// The console socket's next read fails with an error that is no close: its descriptor now
// names a folder, and the TCP socket behind it closes.
void BreakConsoleSocket() {
    for (auto* socket : qApp->findChildren<QTcpSocket*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (socket->state() == QAbstractSocket::ConnectedState) {
            const int folder = ::open("/", O_RDONLY | O_DIRECTORY);
            ::dup2(folder, static_cast<int>(socket->socketDescriptor()));
            ::close(folder);
        }
    }
}

// After the first "Hello", the peer's close comes as a 0-byte read and a close notification:
// one reconnection, and the new "Hello" carries the next sequence number.
TEST_F(ConsoleLinkTest, HelloThenAServerRestartGetsOneReconnectionAndTheNextHello) {
    Start();
    QTest::qWait(50);
    EXPECT_EQ(server.received(0), HelloText(1, 3, 2));
    EXPECT_EQ(console->windowTitle().toStdString(), "KEVA Windows Client - Station 3 Radio 2");
    EXPECT_EQ(requests.count, 1);
    EXPECT_TRUE(console->reconnectArmed());
    server.CloseConnection();
    ASSERT_TRUE(WaitForBytes(1, HelloText(2, 3, 2).size()));
    QTest::qWait(200);
    EXPECT_EQ(server.connections(), 2u);
    EXPECT_EQ(server.received(1), HelloText(2, 3, 2));
    EXPECT_EQ(requests.count, 2);
    EXPECT_TRUE(driver.boxTexts().empty());
    EXPECT_EQ(console->windowTitle().toStdString(), "KEVA Windows Client - Station 3 Radio 2");
}

TEST_F(ConsoleLinkTest, TheServerCommandPostsOneConnectRequest) {
    Start();
    struct Row {
        const char* behaviour;
        std::function<void(CKEVAWindowsClientDlg&)> command;
    };
    const Row rows[] = {
        {"OnSysCommand", [](CKEVAWindowsClientDlg& c) { c.OnSysCommand(IdSysServer); }},
        {"the menu's action",
         [](CKEVAWindowsClientDlg& c) {
             c.menuBar()->actions().at(0)->menu()->actions().at(0)->trigger();
         }},
        {"twice before it is handled",
         [](CKEVAWindowsClientDlg& c) {
             c.OnSysCommand(IdSysServer);
             c.OnSysCommand(IdSysServer | 0x3);
         }},
    };
    std::size_t connection = 1;  // connections so far
    int sequence = 2;            // of the next "Hello"
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const int before = requests.count;
        const int posted = row.behaviour == std::string("twice before it is handled") ? 2 : 1;
        row.command(*console);
        EXPECT_FALSE(console->reconnectArmed());
        ASSERT_TRUE(WaitFor([&] { return requests.count >= before + posted; }));
        connection += static_cast<std::size_t>(posted);
        sequence += posted;
        ASSERT_TRUE(WaitForBytes(connection - 1, HelloText(sequence - 1, 3, 2).size()));
        QTest::qWait(100);
        EXPECT_EQ(requests.count, before + posted);
        EXPECT_EQ(server.connections(), connection);
        EXPECT_EQ(server.received(connection - 1), HelloText(sequence - 1, 3, 2));
        EXPECT_TRUE(console->reconnectArmed());
    }
}

TEST_F(ConsoleLinkTest, MessagesAreFramedWhateverTheReadsCarry) {
    Start();
    // Two messages in one write.
    server.Write(Ping("PingA", 1) + Ping("PingB", 2));
    ASSERT_TRUE(WaitFor([&] { return driver.boxTexts().size() >= 2; }));
    // One message over three writes.
    const std::string third = Ping("PingC", 3);
    server.Write(third.substr(0, 5));
    QTest::qWait(100);
    server.Write(third.substr(5, 20));
    QTest::qWait(100);
    EXPECT_EQ(driver.boxTexts().size(), 2u);
    server.Write(third.substr(25));
    ASSERT_TRUE(WaitFor([&] { return driver.boxTexts().size() >= 3; }));
    EXPECT_EQ(driver.boxTexts(),
              (std::vector<std::string>{Unknown("PingA"), Unknown("PingB"), Unknown("PingC")}));
    EXPECT_EQ(requests.count, 1);
}

// Data that arrives while a box of the dispatcher is open is read at once and fed after the
// current feed has returned. The box's nested loop is driven from the handler.
TEST_F(ConsoleLinkTest, DataArrivingUnderABoxIsQueuedAndFedInOrderAfterIt) {
    Start();
    std::size_t queuedUnderBox = 0;
    std::size_t boxesUnderBox = 0;
    HoldFirstBox([&] { server.Write(Ping("PingB", 2)); },
                 [&] {
                     if (queuedUnderBox == 0) {
                         queuedUnderBox = console->receivePath().queuedChunks();
                         boxesUnderBox = driver.boxTexts().size();
                     }
                     return queuedUnderBox != 0;
                 });
    server.Write(Ping("PingA", 1));
    ASSERT_TRUE(WaitFor([&] { return driver.boxTexts().size() >= 2; }));
    EXPECT_EQ(queuedUnderBox, 1u);
    EXPECT_EQ(boxesUnderBox, 1u);
    EXPECT_EQ(driver.boxTexts(), (std::vector<std::string>{Unknown("PingA"), Unknown("PingB")}));
    EXPECT_TRUE(WaitFor([&] { return !console->receivePath().receiveBusy(); }));
}

// While a box holds a feed, reading stops at about 1 MiB queued; it resumes when the feed
// returns, and every byte still arrives in order.
TEST_F(ConsoleLinkTest, ReadingPausesWhileMuchIsQueuedAndResumesAfterTheFeed) {
    Start();
    const std::size_t chunkLimit = ReceivePath::MaxQueuedBytes / 4096;
    std::size_t mostQueued = 0;
    QElapsedTimer settled;
    HoldFirstBox(
        [&] {
            // Blanks between objects belong to no message.
            server.Write(std::string(3 * ReceivePath::MaxQueuedBytes / 2, ' ') + Ping("PingB", 2));
        },
        [&] {
            mostQueued = std::max(mostQueued, console->receivePath().queuedChunks());
            if (mostQueued < chunkLimit) {
                return false;
            }
            // Give the server's remaining bytes time to arrive, if they were going to be read.
            if (!settled.isValid()) {
                settled.start();
            }
            return settled.elapsed() >= 300;
        });
    server.Write(Ping("PingA", 1));
    ASSERT_TRUE(WaitFor([&] { return driver.boxTexts().size() >= 2; }));
    EXPECT_GE(mostQueued, chunkLimit);
    EXPECT_LE(mostQueued, chunkLimit + 1);
    EXPECT_EQ(driver.boxTexts(), (std::vector<std::string>{Unknown("PingA"), Unknown("PingB")}));
    EXPECT_EQ(requests.count, 1);
}

TEST_F(ConsoleLinkTest, BadJsonIsReportedTwiceAndReconnectsOnce) {
    Start();
    server.Write("{ \"Message\" : ] " + Ping("PingA", 1));
    ASSERT_TRUE(WaitForBytes(1, HelloText(2, 3, 2).size()));
    QTest::qWait(200);
    ASSERT_EQ(driver.boxTexts().size(), 2u);
    EXPECT_FALSE(driver.boxTexts()[0].empty());
    EXPECT_EQ(driver.boxTexts()[1], "Got bad message from server");
    EXPECT_EQ(requests.count, 2);
    EXPECT_EQ(server.connections(), 2u);
}

// A box held open during a feed, a reconnection inside its nested loop: the old reader lives
// until its feed returns, and the new connection's messages reach a new one.
TEST_F(ConsoleLinkTest, AReconnectionUnderABoxDuringAFeedIsSafe) {
    Start();
    HoldFirstBox([&] { console->OnSysCommand(IdSysServer); },
                 [&] {
                     return server.connections() >= 2 &&
                            server.received(1).size() >= HelloText(2, 3, 2).size();
                 });
    server.Write(Ping("PingA", 1) + "{\"Message\":\"Pi");
    ASSERT_TRUE(WaitForBytes(1, HelloText(2, 3, 2).size()));
    ASSERT_TRUE(WaitFor([&] { return !console->receivePath().receiveBusy(); }));
    driver.setHandler(ModalDriver::CloseBoxes);
    server.Write(Ping("PingB", 2));
    ASSERT_TRUE(WaitFor([&] { return driver.boxTexts().size() >= 2; }));
    QTest::qWait(100);
    EXPECT_EQ(driver.boxTexts(), (std::vector<std::string>{Unknown("PingA"), Unknown("PingB")}));
    EXPECT_EQ(requests.count, 2);
}

// A socket error gives Qt's error and then its close: one box, nothing of the link under it, one
// reconnection after OK. Qt reads a reset by the server as the server's close: no box.
TEST_F(ConsoleLinkTest, ASocketErrorShowsOneBoxAndReconnectsOnceAfterIt) {
    Start();
    const struct {
        const char* behaviour;
        std::function<void()> fault;
        std::vector<std::string> boxes;
    } rows[] = {
        {"the server resets the link", [&] { server.ResetConnection(); }, {}},
        {"a read fails", BreakConsoleSocket, {"Server communications error"}},
    };
    QElapsedTimer open;
    std::size_t connectionsUnderBox = 0;
    driver.setHandler([&](QWidget* modal) {
        connectionsUnderBox = std::max(connectionsUnderBox, server.connections());
        if (!open.isValid()) {
            open.start();
        }
        return open.elapsed() >= 300 && ModalDriver::CloseBoxes(modal);
    });
    std::size_t connections = 1;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const std::size_t boxes = driver.boxTexts().size();
        const int before = requests.count;
        row.fault();
        ASSERT_TRUE(
            WaitForBytes(connections, HelloText(static_cast<int>(connections) + 1, 3, 2).size()));
        QTest::qWait(200);
        EXPECT_EQ(
            std::vector<std::string>(driver.boxTexts().begin() + boxes, driver.boxTexts().end()),
            row.boxes);
        EXPECT_EQ(connectionsUnderBox, row.boxes.empty() ? 0 : connections);
        EXPECT_EQ(server.connections(), ++connections);
        EXPECT_EQ(requests.count, before + 1);
    }
}

// The server's last 64 KiB of States and its close: every State is fed before the console
// resets for the reconnection.
TEST_F(ConsoleLinkTest, EverythingReceivedBeforeTheServersCloseIsFedFirst) {
    Start();
    std::string states;
    int sequence = 0;
    while (states.size() < 64 * 1024) {
        ++sequence;
        states += Envelope("State", sequence,
                           R"({"TXLongName":"Name )" + std::to_string(sequence) + "\"}");
    }
    states += Envelope("State", sequence + 1, R"({"TXLongName":"Last","RXLongName":"Beam"})");
    std::string shownAtReset;
    requests.before = [&] {
        shownAtReset = static_cast<QLabel*>(console->control(1007))->text().toStdString();
    };
    server.Write(states);
    server.CloseConnection();
    ASSERT_TRUE(WaitForBytes(1, HelloText(2, 3, 2).size()));
    EXPECT_EQ(shownAtReset, "TX: Last");
    EXPECT_TRUE(driver.boxTexts().empty());
    EXPECT_EQ(requests.count, 2);
}

}  // namespace
