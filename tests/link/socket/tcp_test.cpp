// CTCP on a loopback server: the bytes on the wire, the connect failures and their boxes, and
// which socket notifications it accepts.
#include <gtest/gtest.h>

#include <QTest>

#include "link/console_events.h"
#include "link/core/receive_path.h"
#include "link/tcp.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"

namespace {

class TcpTest : public testing::Test {
protected:
    ~TcpTest() override { tcp.Close(); }

    LoopbackServer server{QHostAddress(QHostAddress::AnyIPv4)};
    CTCP tcp;
    QObject target;  // the notifications go unread
    ModalDriver driver;
};

// A row sends `text` after `before`; `received` is what the peer gets (none: not sent).
TEST_F(TcpTest, SendsTheTextUpToItsFirstNulOrReportsThatItCannot) {
    const struct {
        const char* behaviour;
        std::function<void(CTCP&)> before;
        std::string text;
        std::string received;
    } rows[] = {
        {"the whole text", [](CTCP&) {}, "{ \"a\" : 1 }", "{ \"a\" : 1 }"},
        {"up to the first NUL", [](CTCP&) {}, std::string("xy\0z", 4), "xy"},
        {"a closed socket", [](CTCP& tcp) { tcp.Close(); }, "x", ""},
        {"a socket that refuses writes",
         [](CTCP&) { LoopbackServer::ClientSocket()->open(QIODevice::ReadOnly); }, "x", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        LoopbackServer peer;
        ASSERT_TRUE(tcp.Connect("127.0.0.1", peer.port(), &target));
        ASSERT_TRUE(peer.WaitForConnections(1));
        row.before(tcp);
        EXPECT_EQ(tcp.Send(row.text), !row.received.empty());
        tcp.Send("|");  // nothing more goes on the wire before this closing mark
        const std::string expected = row.received + (row.received.empty() ? "" : "|");
        ASSERT_TRUE(QTest::qWaitFor([&] { return peer.received(0).size() >= expected.size(); }));
        EXPECT_EQ(peer.received(0), expected);
        tcp.Close();
    }
}

// An empty name is this machine's own name, whichever of its addresses that resolves to.
TEST_F(TcpTest, ConnectsOrShowsOneBoxForEachFailure) {
    const struct {
        const char* behaviour;
        std::string address;
        int32_t port;
        std::string boxPrefix;  // empty: connects without a box
    } rows[] = {
        {"refused", "127.0.0.1", LoopbackServer::ClosedPort(), "Unable to connect to server"},
        {"unknown name", "no-such-host.invalid", 12059, "Could not find server : "},
        {"an empty address", "", server.port(), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const std::size_t before = driver.boxTexts().size();
        EXPECT_EQ(tcp.Connect(row.address, row.port, &target), row.boxPrefix.empty());
        EXPECT_EQ(tcp.connected(), row.boxPrefix.empty());
        ASSERT_EQ(driver.boxTexts().size(), before + !row.boxPrefix.empty());
        const std::string text = row.boxPrefix.empty() ? "" : driver.boxTexts().back();
        EXPECT_EQ(text.substr(0, row.boxPrefix.size()), row.boxPrefix);
        EXPECT_LE(text.size(), row.boxPrefix.size() + 79);
    }
    EXPECT_TRUE(server.WaitForConnections(1));
}

TEST_F(TcpTest, AcceptsOnlyNotificationsOfTheCurrentSocketThatFindSomethingToRead) {
    ASSERT_TRUE(tcp.Connect("127.0.0.1", server.port(), &target));
    const uint64_t first = tcp.connection();
    ASSERT_TRUE(tcp.Connect("127.0.0.1", server.port(), &target));
    const uint64_t second = tcp.connection();
    ASSERT_NE(first, second);
    const struct {
        const char* behaviour;
        int event;
        int errorCode;
        uint64_t connection;
        bool accepted;
    } rows[] = {
        {"close of the old socket", ReceivePath::FdClose, 0, first, false},
        {"read with nothing to read", ReceivePath::FdRead, 0, second, false},
        {"close of the current socket", ReceivePath::FdClose, 0, second, true},
        {"error of the current socket", ReceivePath::FdClose, 10001, second, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        EXPECT_EQ(tcp.Accept(SocketNotifyEvent(row.event, row.errorCode, row.connection)),
                  row.accepted);
    }
    // Nothing buffered reads as "would block" while connected, as the end after the peer's close.
    char byte = 0;
    EXPECT_EQ(tcp.Read(&byte, 1), -1);
    ASSERT_TRUE(server.WaitForConnections(2));
    server.CloseConnection();
    EXPECT_TRUE(QTest::qWaitFor([&] { return tcp.Read(&byte, 1) == 0; }));
    tcp.Close();
    EXPECT_FALSE(tcp.Accept(SocketNotifyEvent(ReceivePath::FdClose, 0, second)));
}

}  // namespace
