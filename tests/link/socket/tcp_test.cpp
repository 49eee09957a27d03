// CTCP on a loopback server: the bytes on the wire, the connect failures and their boxes, and
// how socket events become notifications for the receive path.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "link/console_events.h"
#include "link/core/receive_path.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"
#include "link/tcp.h"

namespace {

// Stands in for the console window: takes the notifications, and reads as the receive path
// would on each one it accepts.
class NotificationTarget : public QObject {
public:
    struct Row {
        int event;
        int errorCode;
        bool accepted;
    };
    std::vector<Row> rows;
    std::vector<int64_t> counts;
    std::string bytes;

    bool closed() const {
        return std::any_of(rows.begin(), rows.end(), [](const Row& row) {
            return row.accepted && row.event == ReceivePath::FdClose;
        });
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != SocketNotifyEventType) {
            return QObject::event(event);
        }
        const auto& notification = static_cast<const SocketNotifyEvent&>(*event);
        const bool accepted = g_tcp.Accept(notification);
        rows.push_back({notification.event(), notification.errorCode(), accepted});
        if (accepted && notification.event() == ReceivePath::FdRead) {
            char buffer[4096];
            const int64_t count = g_tcp.Read(buffer, sizeof buffer);
            counts.push_back(count);
            if (count > 0) {
                bytes.append(buffer, static_cast<std::size_t>(count));
            }
        }
        return true;
    }
};

class TcpTest : public testing::Test {
protected:
    void TearDown() override { g_tcp.Close(); }

    LoopbackServer server;
    NotificationTarget target;
    ModalDriver driver{ModalDriver::CloseBoxes};
};

TEST_F(TcpTest, SendsTheTextUpToItsFirstNulAndNothingWithoutAConnection) {
    ASSERT_TRUE(g_tcp.Connect("127.0.0.1", server.port(), &target));
    ASSERT_TRUE(server.WaitForConnections(1));
    EXPECT_TRUE(g_tcp.Send("{ \"a\" : 1 }"));
    EXPECT_TRUE(g_tcp.Send(std::string("xy\0z", 4)));
    ASSERT_TRUE(server.WaitForBytes(0, 13));
    QTest::qWait(50);
    EXPECT_EQ(server.received(0), "{ \"a\" : 1 }xy");
    g_tcp.Close();
    EXPECT_FALSE(g_tcp.Send("x"));
    EXPECT_FALSE(g_tcp.connected());
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
        {"port 0", "127.0.0.1", 65536, "Unable to connect to server"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const std::size_t before = driver.boxTexts().size();
        EXPECT_FALSE(g_tcp.Connect(row.address, row.port, &target));
        ASSERT_EQ(driver.boxTexts().size(), before + 1);
        const std::string& text = driver.boxTexts().back();
        EXPECT_EQ(text.substr(0, row.boxPrefix.size()), row.boxPrefix);
        EXPECT_LE(text.size(), row.boxPrefix.size() + 79);
        EXPECT_FALSE(g_tcp.connected());
    }
}

// An empty name is this machine's own name, whichever of its addresses that resolves to.
TEST_F(TcpTest, AnEmptyAddressConnectsToThisMachine) {
    LoopbackServer anyAddress{QHostAddress(QHostAddress::AnyIPv4)};
    EXPECT_TRUE(g_tcp.Connect("", anyAddress.port(), &target));
    EXPECT_TRUE(anyAddress.WaitForConnections(1));
    EXPECT_TRUE(driver.boxTexts().empty());
}

// Reads take at most 4096 bytes per notification; the peer's close comes as a close
// notification after the last bytes, and the stream then reads as ended.
TEST_F(TcpTest, ReadsInPiecesUntilThePeerCloses) {
    ASSERT_TRUE(g_tcp.Connect("127.0.0.1", server.port(), &target));
    ASSERT_TRUE(server.WaitForConnections(1));
    std::string sent(10000, 'x');
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<char>('a' + i % 26);
    }
    server.Write(sent);
    server.CloseConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return target.closed(); }, 20000));
    QTest::qWait(50);
    EXPECT_EQ(target.bytes, sent);
    for (int64_t count : target.counts) {
        EXPECT_GT(count, 0);
        EXPECT_LE(count, 4096);
    }
    for (const auto& row : target.rows) {
        EXPECT_EQ(row.errorCode, 0);
    }
    char buffer[16];
    EXPECT_EQ(g_tcp.Read(buffer, sizeof buffer), 0);
}

TEST_F(TcpTest, AcceptsOnlyNotificationsOfTheCurrentSocketThatFindSomethingToRead) {
    ASSERT_TRUE(g_tcp.Connect("127.0.0.1", server.port(), &target));
    ASSERT_TRUE(server.WaitForConnections(1));
    const uint64_t first = g_tcp.connection();
    ASSERT_TRUE(g_tcp.Connect("127.0.0.1", server.port(), &target));
    ASSERT_TRUE(server.WaitForConnections(2));
    const uint64_t second = g_tcp.connection();
    ASSERT_NE(first, second);

    struct Row {
        const char* behaviour;
        int event;
        int errorCode;
        uint64_t connection;
        bool accepted;
    };
    const Row rows[] = {
        {"read of the old socket", ReceivePath::FdRead, 0, first, false},
        {"close of the old socket", ReceivePath::FdClose, 0, first, false},
        {"error of the old socket", ReceivePath::FdClose, 10001, first, false},
        {"read with nothing to read", ReceivePath::FdRead, 0, second, false},
        {"close of the current socket", ReceivePath::FdClose, 0, second, true},
        {"error of the current socket", ReceivePath::FdClose, 10001, second, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        EXPECT_EQ(g_tcp.Accept(SocketNotifyEvent(row.event, row.errorCode, row.connection)),
                  row.accepted);
    }
    g_tcp.Close();
    EXPECT_FALSE(g_tcp.Accept(SocketNotifyEvent(ReceivePath::FdClose, 0, second)));
}

}  // namespace
