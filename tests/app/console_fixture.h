// A console window connected to a loopback server, with its settings file in a temporary
// folder and its modal boxes answered by a ModalDriver.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <functional>
#include <memory>

#include "app/console_window.h"
#include "link/console_events.h"
#include "link/core/dispatch.h"
#include "link/core/server_link.h"
#include "link/socket/hello_text.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"
#include "link/tcp.h"
#include "settings/settings_path.h"

// Counts the connection requests the console handles; `before` runs as each one arrives, while
// the console still shows what the old connection left.
class ConnectRequestCounter : public QObject {
public:
    int count = 0;
    std::function<void()> before;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == ConnectServerEvent) {
            ++count;
            if (before) {
                before();
            }
        }
        return false;
    }
};

// One server message in the envelope.
inline std::string Envelope(const std::string& name, int sequence, const std::string& parameters) {
    return "{\"Message\":\"" + name + "\",\"Sequence\":" + std::to_string(sequence) +
           ",\"Version\":1,\"Parameters\":" + parameters + "}";
}

class ConsoleTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        savedPath = SettingsFilePath;
        SettingsFilePath = folder.filePath("keva-client.ini").toStdString();
        std::ofstream(SettingsFilePath)
            << "[Server]\nAddress=127.0.0.1\nPort=" << server.port() << "\nStation=3\nRadio=2\n";
        g_lastSequenceSent = 0;
        g_lastSequenceReceived = 0;
    }
    void TearDown() override {
        console.reset();
        g_tcp.Close();
        SettingsFilePath = savedPath;
    }

    // Builds the console (its first connection request is then queued) and shows it.
    void Create() {
        console = std::make_unique<CKEVAWindowsClientDlg>();
        console->installEventFilter(&requests);
        console->show();
    }
    // Builds the console and waits for its first "Hello".
    void Start() {
        Create();
        ASSERT_TRUE(server.WaitForBytes(0, HelloText(1, 3, 2).size()));
    }

    // Waits until the server has received `count` bytes on connection `index` in all.
    bool WaitForBytes(std::size_t index, std::size_t count) {
        return server.WaitForBytes(index, count);
    }
    bool WaitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 20000);
    }

    QTemporaryDir folder;
    std::string savedPath;
    LoopbackServer server;
    ModalDriver driver{ModalDriver::CloseBoxes};
    ConnectRequestCounter requests;
    std::unique_ptr<CKEVAWindowsClientDlg> console;
};
