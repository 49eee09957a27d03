// OnConnectServer against a loopback server, with the real Server Information dialog and a
// settings file in a temporary folder.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "link/connection_control.h"
#include "link/core/server_link.h"
#include "console/server_dialog.h"
#include "link/socket/hello_text.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"
#include "link/socket/recording_console.h"
#include "link/tcp.h"
#include "link/tcp_outgoing_link.h"
#include "settings/settings_file.h"
#include "settings/settings_path.h"

namespace {

class ConnectionControlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        savedPath = SettingsFilePath;
        SettingsFilePath = folder.filePath("keva-client.ini").toStdString();
        previousLink = SetOutgoingLink(&link);
        g_lastSequenceSent = 0;
    }
    void TearDown() override {
        g_tcp.Close();
        SetOutgoingLink(previousLink);
        SettingsFilePath = savedPath;
    }

    void WriteSettings(const std::string& text) {
        std::ofstream(SettingsFilePath, std::ios::binary) << text;
    }
    std::string SettingsText() const {
        std::ifstream file(SettingsFilePath, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::string Stored(const char* key) const { return ReadServerSetting(key, "(absent)"); }
    std::string Port() const { return std::to_string(server.port()); }

    // Every modal seen: boxes by their text, the dialog by the four texts it showed.
    std::vector<std::string> modals;
    // How the dialog is answered: the four texts to leave in it, or none for Cancel.
    std::function<ServerValues(const ServerValues& shown)> answer;
    ModalDriver driver{[this](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            modals.push_back("box " + box->text().toStdString());
            box->button(QMessageBox::Ok)->click();
        } else if (auto* dialog = qobject_cast<CServerDialog*>(modal)) {
            const ServerValues shown{
                dialog->edit(1000)->text().toStdString(), dialog->edit(1001)->text().toStdString(),
                dialog->edit(1002)->text().toStdString(), dialog->edit(1003)->text().toStdString()};
            modals.push_back("dialog " + shown.address + " " + shown.portText + " " +
                             shown.stationText + " " + shown.radioText);
            const ServerValues typed = answer(shown);
            dialog->edit(1000)->setText(QString::fromStdString(typed.address));
            dialog->edit(1001)->setText(QString::fromStdString(typed.portText));
            dialog->edit(1002)->setText(QString::fromStdString(typed.stationText));
            dialog->edit(1003)->setText(QString::fromStdString(typed.radioText));
            dialog->accept();
        }
        return true;
    }};

    QTemporaryDir folder;
    std::string savedPath;
    LoopbackServer server;
    int reconnects = 0;
    TcpOutgoingLink link{[this] { ++reconnects; }};
    OutgoingLink* previousLink = nullptr;
    RecordingConsole console;
};

TEST_F(ConnectionControlTest, AStoredServerIsConnectedWithoutAskingAndGetsHello) {
    WriteSettings("[Server]\nAddress=127.0.0.1\nPort=" + Port() + "\nStation=3\nRadio=2\n");
    OnConnectServer(console);
    EXPECT_TRUE(modals.empty());
    EXPECT_EQ(console.calls,
              (std::vector<std::string>{
                  "reset", "title KEVA Windows Client - Station 3 Radio 2 (Disconnected)",
                  "discard", "connected KEVA Windows Client - Station 3 Radio 2", "arm"}));
    ASSERT_TRUE(server.WaitForBytes(0, HelloText(1, 3, 2).size()));
    QTest::qWait(50);
    EXPECT_EQ(server.received(0), HelloText(1, 3, 2));
    EXPECT_EQ(g_station, 3);
    EXPECT_EQ(g_radio, 2);
    EXPECT_EQ(reconnects, 0);
}

// The dialog opens on a first start, on an empty address and after a failed connect; only the
// values the operator changed are written back.
TEST_F(ConnectionControlTest, TheDialogAsksWhenNeededAndWritesOnlyWhatChanged) {
    const std::string closed = std::to_string(LoopbackServer::ClosedPort());
    struct Row {
        const char* behaviour;
        std::string settings;  // empty: no file
        bool typePort;         // else OK unchanged
        std::string modals;    // joined by "; "
        std::string stored;    // Address Port Station Radio; empty: the file is unchanged
        std::string hello;
    };
    const std::string port = Port();
    const Row rows[] = {
        {"first start", "", true, "dialog 127.0.0.1 12059 1 1",
         "(absent) " + port + " (absent) (absent)", HelloText(1, 1, 1)},
        {"an empty address accepted unchanged", "[Server]\nAddress=\nPort=" + port + "\n", false,
         "dialog 127.0.0.1 " + port + " 1 1", "", HelloText(1, 1, 1)},
        {"a refused connection shows why, then the failed values",
         "[Server]\nAddress=127.0.0.1\nPort=" + closed + "\nStation=4\nRadio=1\n", true,
         "box Unable to connect to server; dialog 127.0.0.1 " + closed + " 4 1",
         "127.0.0.1 " + port + " 4 1", HelloText(1, 4, 1)},
    };
    std::size_t connection = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        g_lastSequenceSent = 0;
        modals.clear();
        std::remove(SettingsFilePath.c_str());
        if (!row.settings.empty()) {
            WriteSettings(row.settings);
        }
        answer = [&](const ServerValues& shown) {
            ServerValues typed = shown;
            typed.portText = row.typePort ? Port() : shown.portText;
            return typed;
        };
        OnConnectServer(console);
        std::string seen;
        for (const std::string& modal : modals) {
            seen += (seen.empty() ? "" : "; ") + modal;
        }
        EXPECT_EQ(seen, row.modals);
        if (row.stored.empty()) {
            EXPECT_EQ(SettingsText(), row.settings);
        } else {
            EXPECT_EQ(Stored("Address") + " " + Stored("Port") + " " + Stored("Station") + " " +
                          Stored("Radio"),
                      row.stored);
        }
        ASSERT_TRUE(server.WaitForBytes(connection, row.hello.size()));
        EXPECT_EQ(server.received(connection++), row.hello);
    }
}

TEST_F(ConnectionControlTest, TextsAreConvertedOnlyWhereNumbersAreSent) {
    struct Row {
        const char* behaviour;
        std::string port;
        std::string station;
        std::string title;
        std::string hello;
    };
    const Row rows[] = {
        {"only the low 16 bits of the port count", std::to_string(server.port() + 65536), "1",
         "KEVA Windows Client - Station 1 Radio 1", HelloText(1, 1, 1)},
        {"the title shows the station as typed", Port(), "2a",
         "KEVA Windows Client - Station 2a Radio 1", HelloText(1, 2, 1)},
        {"digits up to the first non-digit, with a sign", Port() + "x", "-7",
         "KEVA Windows Client - Station -7 Radio 1", HelloText(1, -7, 1)},
    };
    std::size_t connection = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        g_lastSequenceSent = 0;
        console.calls.clear();
        WriteSettings("[Server]\nAddress=127.0.0.1\nPort=" + row.port + "\nStation=" + row.station +
                      "\n");
        OnConnectServer(console);
        EXPECT_TRUE(modals.empty());
        EXPECT_EQ(console.calls.at(3), "connected " + row.title);
        ASSERT_TRUE(server.WaitForBytes(connection, row.hello.size()));
        EXPECT_EQ(server.received(connection), row.hello);
        ++connection;
    }
}

TEST_F(ConnectionControlTest, SequenceNumbersRunOnAcrossAReconnectionAndWrap) {
    WriteSettings("[Server]\nAddress=127.0.0.1\nPort=" + Port() + "\n");
    OnConnectServer(console);
    ASSERT_TRUE(server.WaitForBytes(0, HelloText(1, 1, 1).size()));
    for (int i = 0; i < 5; ++i) {
        SendRadio(14000 + i);
    }
    OnConnectServer(console);
    ASSERT_TRUE(server.WaitForBytes(1, HelloText(7, 1, 1).size()));
    QTest::qWait(50);
    EXPECT_EQ(server.received(1), HelloText(7, 1, 1));
    EXPECT_NE(server.received(0).find("\"Sequence\" : 6,"), std::string::npos);
    // The number wraps after the largest.
    g_lastSequenceSent = 2147483647;
    OnConnectServer(console);
    ASSERT_TRUE(server.WaitForBytes(2, HelloText(-2147483647 - 1, 1, 1).size()));
    EXPECT_EQ(server.received(2), HelloText(-2147483647 - 1, 1, 1));
}

TEST_F(ConnectionControlTest, CancelEndsTheProcessWithStatusZero) {
    WriteSettings(
        "[Server]\nAddress=127.0.0.1\nPort=" + std::to_string(LoopbackServer::ClosedPort()) + "\n");
    QProcess helper;
    helper.start(QStringLiteral(KEVA_CONNECT_CANCEL_HELPER),
                 {QString::fromStdString(SettingsFilePath)});
    ASSERT_TRUE(helper.waitForFinished(60000));
    EXPECT_EQ(helper.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(helper.exitCode(), 0) << helper.readAllStandardError().toStdString();
    EXPECT_EQ(helper.readAllStandardOutput().toStdString(),
              "box Unable to connect to server\ndialog\n");
}

}  // namespace
