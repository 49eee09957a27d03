// The console's commands on the wire: grid clicks after a Configuration and a State from the
// server, the menu's dialogs, a failed send, and a rotator window open during a reconnection.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/console_fixture.h"
#include "app/console_menu.h"
#include "console/frequency_dialog.h"
#include "console/owner_draw_button.h"
#include "console/rotator_window.h"
#include "console/tr_button.h"

namespace {

// A request of the console (station 3, radio 2); `parameters` ends the message.
std::string Request(int sequence, const std::string& name, const std::string& parameters) {
    return "{ \"Message\" : \"" + name + "\", \"Sequence\" : " + std::to_string(sequence) +
           ", \"Version\": 1, \"Parameters\" : { \"Station\" : 3, \"Radio\" : 2, " + parameters;
}
std::string RadioText(int sequence, int frequency) {
    return Request(sequence, "Radio", "\"Frequency\" : " + std::to_string(frequency) + "} }");
}

const std::string Configuration =
    Envelope("Configuration", 1,
             "{\"LowerFrequency\":7000,\"UpperFrequency\":7300,"
             "\"Antennas\":[{\"Antenna\":7,\"ShortName\":\"Dipole\",\"Row\":0,\"Column\":0}],"
             "\"Functions\":[{\"Function\":2,\"ShortName\":\"Amp\",\"Row\":1,\"Column\":0}]}");
const std::string State = Envelope("State", 2,
                                   "{\"TXLongName\":\"Dipole long\",\"RXLongName\":\"Beam long\","
                                   "\"Antennas\":[{\"Antenna\":7,\"TX\":1,\"RX\":1}],\"Functions\":"
                                   "[{\"Function\":2,\"State\":1}]}");

class ConsoleCommandsTest : public ConsoleTest {
protected:
    // Starts the console and lets the server describe its station.
    void StartConfigured() {
        Start();
        server.Write(Configuration + State);
        ASSERT_TRUE(WaitFor([&] {
            return !console->control(5)->isHidden() &&
                   static_cast<QLabel*>(console->control(1007))->text() == "TX: Dipole long";
        }));
        sent = server.received(0).size();
    }
    // The bytes sent since the last call.
    std::string NewBytes(std::size_t expected) {
        EXPECT_TRUE(WaitForBytes(0, sent + expected));
        QTest::qWait(50);
        std::string bytes = server.received(0).substr(sent);
        sent = server.received(0).size();
        return bytes;
    }
    OwnerDrawButton* Button(int id) { return static_cast<OwnerDrawButton*>(console->control(id)); }

    std::size_t sent = 0;
};

TEST_F(ConsoleCommandsTest, TheServersDescriptionShowsAndGridClicksSendTheirRequests) {
    StartConfigured();
    EXPECT_EQ(Button(5)->text().toStdString(), "Dipole");
    EXPECT_EQ(Button(6)->text().toStdString(), "Amp");
    EXPECT_TRUE(Button(7)->isHidden());
    EXPECT_EQ(static_cast<QLabel*>(console->control(1010))->text().toStdString(), "RX: Beam long");
    EXPECT_EQ(console->windowTitle().toStdString(),
              "[7000-7300] KEVA Windows Client - Station 3 Radio 2");
    struct Row {
        const char* behaviour;
        std::function<void()> action;
        std::string expected;
    };
    const Row rows[] = {
        {"click on an antenna", [&] { Button(5)->click(); },
         Request(
             2, "Antenna",
             R"("Antennas" : [ {"TX" : 1, "Antenna" : 7 },  {"RX" : 1, "Antenna" : 7 } ] } })")},
        {"TX armed, then a click on an antenna",
         [&] {
             Button(1009)->click();
             Button(5)->click();
         },
         Request(3, "Antenna", R"("Antennas" : [ {"TX" : 1, "Antenna" : 7 } ] } })")},
        {"RX armed, then a double click on an antenna",
         [&] {
             Button(1005)->click();
             Button(5)->click();
             emit Button(5)->doubleClicked();
         },
         Request(4, "Antenna", R"("Antennas" : [ {"RX" : 1, "Antenna" : 7 } ] } })") +
             Request(5, "Antenna", R"("Antennas" : [ {"RX" : 2, "Antenna" : 7 } ] } })")},
        {"click on an available function", [&] { Button(6)->click(); },
         Request(6, "Function", R"("Function" : 2, "State" : 1} })")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        row.action();
        EXPECT_EQ(NewBytes(row.expected.size()), row.expected);
        EXPECT_FALSE(static_cast<CTRButton*>(console->control(1009))->armed());
        EXPECT_FALSE(static_cast<CTRButton*>(console->control(1005))->armed());
    }
    EXPECT_TRUE(driver.boxTexts().empty());
}

TEST_F(ConsoleCommandsTest, FrequencySendsTheTypedNumber) {
    StartConfigured();
    struct Row {
        const char* behaviour;
        const char* typed;  // none: Cancel
        std::string expected;
    };
    const Row rows[] = {
        {"digits up to the first non-digit", "14250.7", RadioText(2, 14250)},
        {"no digits give 0", "abc", RadioText(3, 0)},
        {"Cancel sends nothing", nullptr, ""},
        {"a sign is kept", " -5", RadioText(4, -5)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        driver.setHandler([&](QWidget* modal) {
            auto* dialog = qobject_cast<CFrequencyDlg*>(modal);
            if (dialog == nullptr) {
                return ModalDriver::CloseBoxes(modal);
            }
            if (row.typed == nullptr) {
                dialog->button(2)->click();
            } else {
                dialog->edit()->setText(QString::fromUtf8(row.typed));
                dialog->button(1)->click();
            }
            return true;
        });
        console->OnSysCommand(IdSysFrequency);
        if (!row.expected.empty()) {
            EXPECT_EQ(NewBytes(row.expected.size()), row.expected);
        }
    }
    EXPECT_TRUE(driver.boxTexts().empty());
}

TEST_F(ConsoleCommandsTest, EachMenuCommandOpensItsDialog) {
    Start();
    struct Row {
        int command;
        const char* dialogClass;
    };
    const Row rows[] = {{IdSysFrequency, "CFrequencyDlg"},
                        {IdSysRelative, "CRelative"},
                        {IdSysColors, "CColorsDialog"},
                        {IdSysAbout, "CAboutDlg"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        bool opened = false;
        driver.setHandler([&](QWidget* modal) {
            opened = modal->metaObject()->className() == std::string(row.dialogClass);
            static_cast<QDialog*>(modal)->reject();
            return true;
        });
        console->OnSysCommand(row.command);
        EXPECT_TRUE(opened);
    }
    EXPECT_EQ(server.received(0), HelloText(1, 3, 2));
}

// The antenna click arms the reconnection, so its failed send asks for exactly one.
TEST_F(ConsoleCommandsTest, AFailedSendShowsItsTextAndReconnectsOnce) {
    StartConfigured();
    g_tcp.Close();
    Button(5)->click();
    ASSERT_TRUE(WaitForBytes(1, HelloText(3, 3, 2).size()));
    QTest::qWait(100);
    EXPECT_EQ(driver.boxTexts(), (std::vector<std::string>{"Failed to send Antenna message"}));
    EXPECT_EQ(server.received(1), HelloText(3, 3, 2));
    EXPECT_EQ(requests.count, 2);
    EXPECT_EQ(server.connections(), 2u);
}

// The window shows a record that the reconnection deletes: it is closed first.
TEST_F(ConsoleCommandsTest, ARotatorWindowOpenDuringAReconnectionIsClosedFirst) {
    Start();
    server.Write(Envelope(
        "Rotators", 1, "{\"Rotators\":[{\"Rotator\":1,\"ShortName\":\"Beam\",\"HasStop\":true}]}"));
    ASSERT_TRUE(WaitFor([&] { return !console->control(20)->isHidden(); }));
    bool closedLink = false;
    driver.setHandler([&](QWidget* modal) {
        if (qobject_cast<CRotatorWindow*>(modal) != nullptr && !closedLink) {
            closedLink = true;
            EXPECT_EQ(console->openRotatorWindow(), modal);
            server.Write(Envelope("Rotation", 2, "{\"Rotator\":1,\"Position\":45}"));
            server.CloseConnection();
        }
        return ModalDriver::CloseBoxes(modal);
    });
    Button(20)->click();
    EXPECT_TRUE(closedLink);
    EXPECT_EQ(console->openRotatorWindow(), nullptr);
    ASSERT_TRUE(WaitForBytes(1, HelloText(2, 3, 2).size()));
    EXPECT_TRUE(console->control(20)->isHidden());
    EXPECT_EQ(console->station().rotators().size(), 0u);
    EXPECT_TRUE(driver.boxTexts().empty());
}

}  // namespace
