// On loopback servers: CTCP, and OnConnectServer with the test standing in for the console; then
// the Server Information dialog itself, run modally and driven like an operator would.
#include "link/connection_control.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <fstream>

#include "console/server_dialog.h"
#include "link/console_events.h"
#include "link/core/receive_path.h"
#include "link/core/server_link.h"
#include "link/tcp.h"
#include "link/tcp_outgoing_link.h"
#include "support/hello_bytes.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"
#include "support/temp_folder.h"

namespace {

struct ConnectRow {
    const char* name;
    friend void PrintTo(const ConnectRow& row, std::ostream* out) { *out << row.name; }
    std::string settings;  // none: no file
    bool typePort;         // the answer to a request for the server types the server's port
    std::vector<std::string> asked;  // boxes and requests between "discard" and "connected"
    std::string after;               // the settings file afterwards; none: unchanged
    std::string stationText;         // "Station <s> Radio <r>" as the titles show it
    std::string hello;
};

class LinkSocketTest : public testing::TestWithParam<ConnectRow>, public ConnectionConsole {
protected:
    ~LinkSocketTest() override { tcp.Close(); }
    QWidget* consoleWidget() override { return &widget; }
    const std::string& baseTitle() const override { return base; }
    void ResetConsole() override { calls.push_back("reset"); }
    void SetWindowTitle(const std::string& title) override { calls.push_back("title " + title); }
    void DiscardReader() override { calls.push_back("discard"); }
    void SetConnectedTitle(const std::string& t) override { calls.push_back("connected " + t); }
    void ArmReconnect() override { calls.push_back("arm"); }
    const SettingsLocation& settings() const override { return file; }
    std::optional<ServerValues> AskForServer(const ServerValues& held) override {
        calls.push_back("ask " + held.address + " " + held.portText + " " + held.stationText + " " +
                        held.radioText);
        const std::string port = typePort ? std::to_string(server.port()) : held.portText;
        return cancel ? std::nullopt
                      : std::optional(
                            ServerValues{held.address, port, held.stationText, held.radioText});
    }

    // "%P" is the server's port, "%C" a closed one, "%L" the server's port + 65536.
    std::string Fill(std::string text) const {
        for (auto at = text.find('%'); at != std::string::npos; at = text.find('%')) {
            const char mark = text[at + 1];
            text.replace(at, 2,
                         std::to_string(mark == 'C'   ? closedPort
                                        : mark == 'L' ? server.port() + 65536
                                                      : server.port()));
        }
        return text;
    }

    TempFolder folder;
    SettingsLocation file{(folder.path() / "keva-client.ini").string(), false};
    LoopbackServer server{QHostAddress(QHostAddress::AnyIPv4)};
    quint16 closedPort = LoopbackServer::ClosedPort();
    QWidget widget;
    std::string base = "KEVA Windows Client";
    std::vector<std::string> calls;
    bool typePort = false;
    bool cancel = false;
    CTCP tcp;
    ServerLink serverLink;
    TcpOutgoingLink outgoing{tcp, [] {}};
    ModalDriver driver{[this](QWidget* modal) {
        calls.push_back("box " + qobject_cast<QMessageBox*>(modal)->text().toStdString());
        return ModalDriver::CloseBoxes(modal);
    }};
};

TEST_P(LinkSocketTest, AsksWhenNeededConnectsAndSaysHello) {
    const ConnectRow& row = GetParam();
    if (!row.settings.empty()) {
        std::ofstream(file.path) << Fill(row.settings);
    }
    typePort = row.typePort;
    serverLink.SetOutgoingLink(&outgoing);
    OnConnectServer(*this, tcp, serverLink);
    const std::string title = "KEVA Windows Client - " + row.stationText;
    std::vector<std::string> expected{"reset", "title " + title + " (Disconnected)", "discard"};
    for (const std::string& asked : row.asked) {
        expected.push_back(Fill(asked));
    }
    expected.insert(expected.end(), {"connected " + title, "arm"});
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(ReadText(file.path), Fill(row.after.empty() ? row.settings : row.after));
    ASSERT_TRUE(server.WaitForBytes(0, row.hello.size()));
    EXPECT_EQ(server.received(0), row.hello);
}

const std::string StoredServer = "[Server]\nAddress=127.0.0.1\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LinkSocketTest, testing::Values(
    ConnectRow{"AStoredServerWithoutAsking", StoredServer + "Port=%P\nStation=3\nRadio=2\n", false, {}, "", "Station 3 Radio 2", HelloBytes(1, 3, 2)},
    ConnectRow{"AFirstStartAsksWithTheDefaultsAndStoresWhatChanged", "", true, {"ask 127.0.0.1 12059 1 1"}, "[Server]\nPort=%P\n", "Station 1 Radio 1", FirstHello},
    ConnectRow{"AnEmptyAddressAsksAndOkUnchangedWritesNothing", "[Server]\nAddress=\nPort=%P\n", false, {"ask 127.0.0.1 %P 1 1"}, "", "Station 1 Radio 1", FirstHello},
    ConnectRow{"ARefusedConnectionShowsWhyThenAsksWithTheFailedValues", StoredServer + "Port=%C\nStation=4\nRadio=1\n", true,
               {"box Unable to connect to server", "ask 127.0.0.1 %C 4 1"}, StoredServer + "Port=%P\nStation=4\nRadio=1\n", "Station 4 Radio 1", HelloBytes(1, 4, 1)},
    ConnectRow{"OnlyTheLow16BitsOfThePortCount", StoredServer + "Port=%L\n", false, {}, "", "Station 1 Radio 1", FirstHello},
    ConnectRow{"DigitsUpToTheFirstNonDigitWithASign", StoredServer + "Port=%Px\nStation=-7\n", false, {}, "", "Station -7 Radio 1", HelloBytes(1, -7, 1)}),
    [](const testing::TestParamInfo<ConnectRow>& info) { return std::string(info.param.name); });
// clang-format on

using LinkSocketDeathTest = LinkSocketTest;

TEST_F(LinkSocketDeathTest, CancelEndsTheProcessWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: Qt's threads do not fork
    cancel = true;
    EXPECT_EXIT(OnConnectServer(*this, tcp, serverLink), testing::ExitedWithCode(0), "");
}

TEST_F(LinkSocketTest, SendsTheTextUpToItsFirstNulOrReportsThatItCannot) {
    const struct {
        const char* behaviour;
        std::function<void(CTCP&)> before;
        std::string text;
        std::string received;  // what the peer gets; none: not sent
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
        ASSERT_TRUE(tcp.Connect("127.0.0.1", peer.port(), &widget));
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
TEST_F(LinkSocketTest, ConnectsOrShowsOneBoxForEachFailure) {
    const struct {
        const char* behaviour;
        std::string address;
        int32_t port;
        std::string boxPrefix;  // empty: connects without a box
    } rows[] = {
        {"refused", "127.0.0.1", closedPort, "Unable to connect to server"},
        {"unknown name", "no-such-host.invalid", 12059, "Could not find server : "},
        {"an empty address", "", server.port(), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const std::size_t before = driver.boxTexts().size();
        EXPECT_EQ(tcp.Connect(row.address, row.port, &widget), row.boxPrefix.empty());
        EXPECT_EQ(tcp.connected(), row.boxPrefix.empty());
        ASSERT_EQ(driver.boxTexts().size(), before + !row.boxPrefix.empty());
        const std::string text = row.boxPrefix.empty() ? "" : driver.boxTexts().back();
        EXPECT_EQ(text.substr(0, row.boxPrefix.size()), row.boxPrefix);
        EXPECT_LE(text.size(), row.boxPrefix.size() + 79);
    }
    EXPECT_TRUE(server.WaitForConnections(1));
}

TEST_F(LinkSocketTest, AcceptsOnlyNotificationsOfTheCurrentSocketThatFindSomethingToRead) {
    ASSERT_TRUE(tcp.Connect("127.0.0.1", server.port(), &widget));
    const uint64_t first = tcp.connection();
    ASSERT_TRUE(tcp.Connect("127.0.0.1", server.port(), &widget));
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

QPushButton* Button(QWidget* dialog, int id) {
    return dialog->findChild<QPushButton*>(QStringLiteral("control%1").arg(id));
}

TEST(ServerDialog, LooksLikeItsTemplate) {
    CServerDialog dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Server Information");
    EXPECT_EQ(dialog.size(), QSize(411, 208));
    EXPECT_TRUE(Button(&dialog, 1)->isDefault());
    // A label may be wider than its template, so that its text fits: its size is left out.
    std::vector<std::string> controls;
    for (const QWidget* control : dialog.findChildren<QWidget*>()) {
        const QRect r = control->geometry();
        const bool label = qobject_cast<const QLabel*>(control) != nullptr;
        controls.push_back(
            (qobject_cast<const QLineEdit*>(control) ? control->objectName()
                                                     : control->property("text").toString())
                .toStdString() +
            QStringLiteral(" %1,%2").arg(r.x()).arg(r.y()).toStdString() +
            (label ? "" : QStringLiteral(" %1x%2").arg(r.width()).arg(r.height()).toStdString()));
    }
    std::sort(controls.begin(), controls.end());
    EXPECT_EQ(controls, (std::vector<std::string>{
                            "Cancel 326,39 75x23", "OK 326,11 75x23", "Radio 101,94",
                            "Server name or address 11,26", "Server port 161,24", "Station 11,94",
                            "control1000 11,46 116x23", "control1001 161,46 83x23",
                            "control1002 11,114 60x23", "control1003 101,114 60x23"}));
}

// Each row types into the four fields ("-" leaves one alone) and clicks OK (1) or Cancel (2).
TEST(ServerDialog, ShowsTheFieldsAndReturnsWhatWasTypedOnOkOnly) {
    const struct {
        const char* behaviour;
        const char* address;  // the address the dialog opens with
        std::vector<std::string> typed;
        int button;                       // also the result
        std::vector<std::string> fields;  // after the run
    } rows[] = {
        // clang-format off
        {"typed texts come back as typed, spaces and letters included", "127.0.0.1", {" my host ", "abc", "", "2a"}, 1, {" my host ", "abc", "", "2a"}},
        {"Cancel keeps the fields", "127.0.0.1", {"elsewhere", "-", "-", "-"}, 2, {"127.0.0.1", "12059", "1", "1"}},
        {"bytes that are not UTF-8 survive OK in a field left alone", "host\xff", {"-", "-", "-", "-"}, 1, {"host\xff", "12059", "1", "1"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        CServerDialog dialog;
        dialog.addressText = row.address;
        dialog.portText = "12059";
        dialog.stationText = dialog.radioText = "1";
        std::vector<std::string> shown;
        ModalDriver driver([&](QWidget*) {
            for (int id = 1000; id <= 1003; ++id) {
                if (id > 1000) {  // the address may not be UTF-8: it is shown repaired
                    shown.push_back(dialog.edit(id)->text().toStdString());
                }
                if (row.typed[id - 1000] != "-") {
                    dialog.edit(id)->setText(QString::fromStdString(row.typed[id - 1000]));
                }
            }
            Button(&dialog, row.button)->click();
            return true;
        });
        EXPECT_EQ(dialog.DoModal(), row.button);
        EXPECT_EQ(shown, (std::vector<std::string>{"12059", "1", "1"}));
        EXPECT_EQ((std::vector<std::string>{dialog.addressText, dialog.portText, dialog.stationText,
                                            dialog.radioText}),
                  row.fields);
    }
}

}  // namespace
