// OnConnectServer against a loopback server, with the real Server Information dialog and a
// settings file in a temporary folder.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>

#include "link/connection_control.h"
#include "link/core/server_link.h"
#include "link/socket/recording_console.h"
#include "link/tcp.h"
#include "link/tcp_outgoing_link.h"
#include "settings/settings_file.h"
#include "settings/settings_path.h"
#include "support/hello_bytes.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"
#include "support/temp_folder.h"

namespace {

class ConnectionControlTest : public testing::Test {
protected:
    ConnectionControlTest() { console.file.path = (folder.path() / "keva-client.ini").string(); }

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
    std::string Stored(const char* key) const {
        return ReadServerSetting(console.file, key, "(absent)");
    }

    TempFolder folder;
    LoopbackServer server;
    quint16 closedPort = LoopbackServer::ClosedPort();
    RecordingConsole console;
    CTCP tcp;
    ServerLink serverLink;
    TcpOutgoingLink outgoing{tcp, [] {}};
    // Every modal seen: boxes by their text, the dialog by the four texts it showed; the dialog
    // is answered with OK, after typing the server's port when `typePort` is set.
    std::vector<std::string> modals;
    bool typePort = false;
    ModalDriver driver{[this](QWidget* modal) {
        if (auto* dialog = qobject_cast<CServerDialog*>(modal)) {
            std::string shown = "dialog";
            for (int id = 1000; id <= 1003; ++id) {
                shown += " " + dialog->edit(id)->text().toStdString();
            }
            modals.push_back(shown);
            if (typePort) {
                dialog->edit(1001)->setText(QString::number(server.port()));
            }
            dialog->accept();
            return true;
        }
        modals.push_back("box " + qobject_cast<QMessageBox*>(modal)->text().toStdString());
        return ModalDriver::CloseBoxes(modal);
    }};
};

struct ConnectRow {
    const char* name;
    std::string settings;  // none: no file
    bool typePort;
    std::string modals;       // joined by "; "
    std::string stored;       // Address Port Station Radio afterwards; none: file unchanged
    std::string stationText;  // "Station <s> Radio <r>" as the titles show it
    std::string hello;
};

class OnConnectServerTest : public ConnectionControlTest,
                            public testing::WithParamInterface<ConnectRow> {};

TEST_P(OnConnectServerTest, AsksWhenNeededConnectsAndSaysHello) {
    const ConnectRow& row = GetParam();
    if (!row.settings.empty()) {
        std::ofstream(console.file.path) << Fill(row.settings);
    }
    typePort = row.typePort;
    serverLink.SetOutgoingLink(&outgoing);
    OnConnectServer(console, tcp, serverLink);
    std::string seen;
    for (const std::string& modal : modals) {
        seen += (seen.empty() ? "" : "; ") + modal;
    }
    EXPECT_EQ(seen, Fill(row.modals));
    if (row.stored.empty()) {
        EXPECT_EQ(ReadText(console.file.path), Fill(row.settings));
    } else {
        EXPECT_EQ(Stored("Address") + " " + Stored("Port") + " " + Stored("Station") + " " +
                      Stored("Radio"),
                  Fill(row.stored));
    }
    const std::string title = "KEVA Windows Client - " + row.stationText;
    EXPECT_EQ(console.calls,
              (std::vector<std::string>{"reset", "title " + title + " (Disconnected)", "discard",
                                        "connected " + title, "arm"}));
    ASSERT_TRUE(server.WaitForBytes(0, row.hello.size()));
    EXPECT_EQ(server.received(0), row.hello);
    tcp.Close();
}

const std::string StoredServer = "[Server]\nAddress=127.0.0.1\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, OnConnectServerTest, testing::Values(
    ConnectRow{"AStoredServerWithoutAsking", StoredServer + "Port=%P\nStation=3\nRadio=2\n", false, "", "", "Station 3 Radio 2", HelloBytes(1, 3, 2)},
    ConnectRow{"AFirstStartAsksWithTheDefaultsAndStoresWhatChanged", "", true, "dialog 127.0.0.1 12059 1 1", "(absent) %P (absent) (absent)", "Station 1 Radio 1", FirstHello},
    ConnectRow{"AnEmptyAddressAsksAndOkUnchangedWritesNothing", "[Server]\nAddress=\nPort=%P\n", false, "dialog 127.0.0.1 %P 1 1", "", "Station 1 Radio 1", FirstHello},
    ConnectRow{"ARefusedConnectionShowsWhyThenAsksWithTheFailedValues", StoredServer + "Port=%C\nStation=4\nRadio=1\n", true,
               "box Unable to connect to server; dialog 127.0.0.1 %C 4 1", "127.0.0.1 %P 4 1", "Station 4 Radio 1", HelloBytes(1, 4, 1)},
    ConnectRow{"OnlyTheLow16BitsOfThePortCount", StoredServer + "Port=%L\n", false, "", "", "Station 1 Radio 1", FirstHello},
    ConnectRow{"DigitsUpToTheFirstNonDigitWithASign", StoredServer + "Port=%Px\nStation=-7\n", false, "", "", "Station -7 Radio 1", HelloBytes(1, -7, 1)}),
    [](const testing::TestParamInfo<ConnectRow>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ConnectionControlTest, CancelEndsTheProcessWithStatusZero) {
    std::ofstream(console.file.path) << StoredServer << "Port=" << closedPort << "\n";
    QProcess helper;
    helper.start(QStringLiteral(KEVA_CONNECT_CANCEL_HELPER),
                 {QString::fromStdString(console.file.path)});
    ASSERT_TRUE(helper.waitForFinished(60000));
    EXPECT_EQ(helper.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(helper.exitCode(), 0) << helper.readAllStandardError().toStdString();
    EXPECT_EQ(helper.readAllStandardOutput().toStdString(),
              "box Unable to connect to server\ndialog\n");
}

}  // namespace
