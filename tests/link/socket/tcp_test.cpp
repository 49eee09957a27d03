// CTCP on a loopback server: the bytes on the wire, the connect failures and their boxes, and
// how socket events become notifications for the receive path.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "link/console_events.h"
#include "link/core/receive_path.h"
#include "link/tcp.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"

namespace {

// Takes the notifications as the console window does, reading on each one it accepts.
class NotificationTarget : public QObject {
public:
    explicit NotificationTarget(CTCP& tcp) : tcp_(tcp) {}

    std::vector<int64_t> counts;
    std::string bytes;
    bool closed = false;

protected:
    bool event(QEvent* event) override {
        if (event->type() != SocketNotifyEventType) {
            return QObject::event(event);
        }
        const auto& notification = static_cast<const SocketNotifyEvent&>(*event);
        if (tcp_.Accept(notification)) {
            EXPECT_EQ(notification.errorCode(), 0);
            closed = closed || notification.event() == ReceivePath::FdClose;
            if (notification.event() == ReceivePath::FdRead) {
                char buffer[4096];
                counts.push_back(tcp_.Read(buffer, sizeof buffer));
                bytes.append(buffer, static_cast<std::size_t>(std::max<int64_t>(counts.back(), 0)));
            }
        }
        return true;
    }

private:
    CTCP& tcp_;
};

class TcpTest : public testing::Test {
protected:
    ~TcpTest() override { tcp.Close(); }

    void Connect() {
        ASSERT_TRUE(tcp.Connect("127.0.0.1", server.port(), &target));
        ASSERT_TRUE(server.WaitForConnections(1));
    }

    LoopbackServer server;
    CTCP tcp;
    NotificationTarget target{tcp};
    ModalDriver driver;
};

struct SendRow {
    const char* behaviour;
    std::function<void(CTCP&)> before;
    std::string text;
    bool sent;
    std::string received;
};

TEST_F(TcpTest, SendsTheTextUpToItsFirstNulOrReportsThatItCannot) {
    const SendRow rows[] = {
        {"the whole text", [](CTCP&) {}, "{ \"a\" : 1 }", true, "{ \"a\" : 1 }"},
        {"up to the first NUL", [](CTCP&) {}, std::string("xy\0z", 4), true, "xy"},
        {"a closed socket", [](CTCP& tcp) { tcp.Close(); }, "x", false, ""},
        {"a socket that refuses writes",
         [](CTCP&) { LoopbackServer::ClientSocket()->open(QIODevice::ReadOnly); }, "x", false, ""},
    };
    for (const SendRow& row : rows) {
        SCOPED_TRACE(row.behaviour);
        LoopbackServer peer;
        ASSERT_TRUE(tcp.Connect("127.0.0.1", peer.port(), &target));
        ASSERT_TRUE(peer.WaitForConnections(1));
        row.before(tcp);
        EXPECT_EQ(tcp.Send(row.text), row.sent);
        // Nothing more goes on the wire before the closing mark.
        tcp.Send("|");
        const std::string expected = row.received + (row.sent ? "|" : "");
        ASSERT_TRUE(QTest::qWaitFor([&] { return peer.received(0).size() >= expected.size(); }));
        EXPECT_EQ(peer.received(0), expected);
        tcp.Close();
    }
}

TEST_F(TcpTest, EachFailedConnectShowsOneBox) {
    struct Row {
        const char* behaviour;
        std::string address;
        int32_t port;
        std::string boxPrefix;
    };
    const Row rows[] = {
        {"refused", "127.0.0.1", LoopbackServer::ClosedPort(), "Unable to connect to server"},
        {"unknown name", "no-such-host.invalid", 12059, "Could not find server : "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const std::size_t before = driver.boxTexts().size();
        EXPECT_FALSE(tcp.Connect(row.address, row.port, &target));
        ASSERT_EQ(driver.boxTexts().size(), before + 1);
        const std::string& text = driver.boxTexts().back();
        EXPECT_EQ(text.substr(0, row.boxPrefix.size()), row.boxPrefix);
        EXPECT_LE(text.size(), row.boxPrefix.size() + 79);
        EXPECT_FALSE(tcp.connected());
    }
}

// An empty name is this machine's own name, whichever of its addresses that resolves to.
TEST_F(TcpTest, AnEmptyAddressConnectsToThisMachine) {
    LoopbackServer anyAddress{QHostAddress(QHostAddress::AnyIPv4)};
    EXPECT_TRUE(tcp.Connect("", anyAddress.port(), &target));
    EXPECT_TRUE(anyAddress.WaitForConnections(1));
    EXPECT_TRUE(driver.boxTexts().empty());
}

// Reads take at most 4096 bytes per notification; the peer's close comes as a close
// notification after the last bytes, and the stream then reads as ended.
TEST_F(TcpTest, ReadsInPiecesUntilThePeerCloses) {
    Connect();
    std::string sent(10000, 'x');
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<char>('a' + i % 26);
    }
    server.Write(sent);
    server.CloseConnection();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return target.closed && target.bytes.size() >= sent.size(); }));
    EXPECT_EQ(target.bytes, sent);
    EXPECT_TRUE(std::all_of(target.counts.begin(), target.counts.end(),
                            [](int64_t count) { return count > 0 && count <= 4096; }));
    char buffer[16];
    EXPECT_EQ(tcp.Read(buffer, sizeof buffer), 0);
}

TEST_F(TcpTest, AcceptsOnlyNotificationsOfTheCurrentSocketThatFindSomethingToRead) {
    Connect();
    const uint64_t first = tcp.connection();
    ASSERT_TRUE(tcp.Connect("127.0.0.1", server.port(), &target));
    const uint64_t second = tcp.connection();
    ASSERT_NE(first, second);
    struct Row {
        const char* behaviour;
        int event;
        int errorCode;
        uint64_t connection;
        bool accepted;
    };
    const Row rows[] = {
        {"close of the old socket", ReceivePath::FdClose, 0, first, false},
        {"read with nothing to read", ReceivePath::FdRead, 0, second, false},
        {"close of the current socket", ReceivePath::FdClose, 0, second, true},
        {"error of the current socket", ReceivePath::FdClose, 10001, second, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        EXPECT_EQ(tcp.Accept(SocketNotifyEvent(row.event, row.errorCode, row.connection)),
                  row.accepted);
    }
    tcp.Close();
    EXPECT_FALSE(tcp.Accept(SocketNotifyEvent(ReceivePath::FdClose, 0, second)));
}

}  // namespace
