// A console window with its own CTCP and ServerLink, connected to a loopback server named by a
// settings file in a temporary folder; its modal boxes are answered by a ModalDriver.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <fstream>
#include <memory>

#include "app/console_window.h"
#include "link/console_events.h"
#include "link/core/server_link.h"
#include "link/tcp.h"
#include "settings/settings_path.h"
#include "support/hello_bytes.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"
#include "support/temp_folder.h"

// Counts the connection requests and records the titles; `beforeConnect` runs as each request
// arrives, while the console still shows what the old connection left.
class ConsoleWatcher : public QObject {
public:
    int count = 0;
    std::vector<std::string> titles;
    std::function<void()> beforeConnect;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == ConnectServerEvent) {
            ++count;
            if (beforeConnect) {
                beforeConnect();
            }
        }
        if (event->type() == QEvent::WindowTitleChange) {
            titles.push_back(static_cast<QWidget*>(watched)->windowTitle().toStdString());
        }
        return false;
    }
};

inline std::string Envelope(const std::string& name, int sequence, const std::string& parameters) {
    return "{\"Message\":\"" + name + "\",\"Sequence\":" + std::to_string(sequence) +
           ",\"Version\":1,\"Parameters\":" + parameters + "}";
}
inline std::string Unknown(const std::string& name) {
    return "Unknown message " + name + " received from client";
}

inline std::string Hello(int sequence) {
    return HelloBytes(sequence, 3, 2);
}

class ConsoleTest : public testing::Test {
public:
    ConsoleTest() {
        std::ofstream(settings.path)
            << "[Server]\nAddress=127.0.0.1\nPort=" << server.port() << "\nStation=3\nRadio=2\n";
    }
    ~ConsoleTest() override {
        console.reset();
        tcp.Close();
    }

    // Its first connection request is then queued.
    void Create() {
        console = std::make_unique<CKEVAWindowsClientDlg>(tcp, serverLink, settings);
        console->installEventFilter(&requests);
        console->show();
    }
    void Start() {
        Create();
        ASSERT_TRUE(server.WaitForBytes(0, Hello(1).size()));
        ASSERT_EQ(server.received(0), Hello(1));
    }
    bool WaitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 20000);
    }
    // Waits until the console has handled all sent and posted so far: a message answered
    // with a box goes round.
    bool RoundTrip() {
        const auto boxes = driver.boxTexts().size();
        server.Write(Envelope("Server", 0, "{}") + Envelope("RoundTrip", 1, "{}"));
        return WaitFor([&] { return driver.boxTexts().size() > boxes; }) &&
               driver.boxTexts().back() == Unknown("RoundTrip");
    }

    TempFolder folder;
    const SettingsLocation settings{(folder.path() / "keva-client.ini").string()};
    LoopbackServer server;
    ModalDriver driver;
    ConsoleWatcher requests;
    CTCP tcp;
    ServerLink serverLink;
    std::unique_ptr<CKEVAWindowsClientDlg> console;
};
