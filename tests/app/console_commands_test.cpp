// The console's commands on the wire: each click, menu command and dialog button sends its
// request (station 3, radio 2) and nothing else; and a rotator window open during a
// reconnection.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/console_fixture.h"
#include "app/console_menu.h"
#include "console/frequency_dialog.h"
#include "console/owner_draw_button.h"
#include "console/relative_dialog.h"
#include "console/rotator_window.h"
#include "console/tr_button.h"

namespace {

// A request of the console; `parameters` ends the message.
std::string Request(int sequence, const std::string& name, const std::string& parameters) {
    return "{ \"Message\" : \"" + name + "\", \"Sequence\" : " + std::to_string(sequence) +
           ", \"Version\": 1, \"Parameters\" : { " + parameters;
}
std::string Radio(int sequence, const std::string& frequency) {
    return Request(sequence, "Radio",
                   "\"Station\" : 3, \"Radio\" : 2, \"Frequency\" : " + frequency + "} }");
}
std::string Function(int sequence, int function, int state) {
    return Request(sequence, "Function",
                   "\"Station\" : 3, \"Radio\" : 2, \"Function\" : " + std::to_string(function) +
                       ", \"State\" : " + std::to_string(state) + "} }");
}
std::string Antenna(int sequence, const std::string& entries) {
    return Request(sequence, "Antenna",
                   "\"Station\" : 3, \"Radio\" : 2, \"Antennas\" : [ " + entries + " ] } }");
}

// One antenna (7, on the first button), one function (2, below it), one rotator.
const std::string Station =
    Envelope("Configuration", 1,
             R"({"LowerFrequency":7000,"UpperFrequency":7300,)"
             R"("Antennas":[{"Antenna":7,"ShortName":"Dipole","Row":0,"Column":0}],)"
             R"("Functions":[{"Function":2,"ShortName":"Amp","Row":1,"Column":0},)"
             R"({"Function":3,"ShortName":"Stack","Row":2,"Column":0,"Alternate":true}]})") +
    Envelope(
        "State", 2,
        R"({"TXLongName":"Dipole long","RXLongName":"Beam long","Antennas":[{"Antenna":7,"TX":1,"RX":1}],)"
        R"("Functions":[{"Function":2,"State":1},{"Function":3,"State":1}]})") +
    Envelope("Rotators", 3, R"({"Rotators":[{"Rotator":1,"ShortName":"Beam","HasStop":true}]})");

class ConsoleCommandsTest : public ConsoleTest {
public:
    void StartConfigured() {
        ASSERT_NO_FATAL_FAILURE(Start());
        server.Write(Station);
        ASSERT_TRUE(WaitFor([&] { return !console->control(20)->isHidden(); }));
        EXPECT_EQ(console->windowTitle().toStdString(),
                  "[7000-7300] KEVA Windows Client - Station 3 Radio 2");
        EXPECT_EQ(static_cast<QLabel*>(console->control(1007))->text().toStdString(),
                  "TX: Dipole long");
        EXPECT_EQ(static_cast<QLabel*>(console->control(1010))->text().toStdString(),
                  "RX: Beam long");
    }
    OwnerDrawButton* Button(int id) { return static_cast<OwnerDrawButton*>(console->control(id)); }
    // Runs a command whose modal dialog of class `dialog` is answered by `answer`.
    void WithDialog(const char* dialog, std::function<void()> command,
                    std::function<void(QDialog&)> answer) {
        std::string opened;
        driver.setHandler([&](QWidget* modal) {
            opened = modal->metaObject()->className();
            if (opened != dialog) {
                return driver.Dismiss(modal);
            }
            auto* open = static_cast<QDialog*>(modal);
            answer(*open);
            if (open->isVisible()) {
                open->reject();
            }
            return true;
        });
        command();
        driver.setHandler({});
        EXPECT_EQ(opened, dialog);
    }
    // Types into the Frequency dialog and presses OK (1) or Cancel (2).
    void Frequency(const char* typed, int button) {
        WithDialog(
            "CFrequencyDlg", [&] { console->OnSysCommand(IdSysFrequency); },
            [&](QDialog& d) {
                static_cast<CFrequencyDlg&>(d).edit()->setText(QString::fromUtf8(typed));
                static_cast<CFrequencyDlg&>(d).button(button)->click();
            });
    }
};

struct CommandRow {
    const char* name;
    std::function<void(ConsoleCommandsTest&)> command;
    std::string sent;  // after the "Hello", whose sequence number is 1
    int messages;
};

class CommandTest : public ConsoleCommandsTest, public testing::WithParamInterface<CommandRow> {};

// After the command, a "Radio" of 1 kHz marks the end: nothing else was sent in between.
TEST_P(CommandTest, SendsItsRequestAndNothingElse) {
    const CommandRow& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartConfigured());
    row.command(*this);
    EXPECT_FALSE(static_cast<CTRButton*>(console->control(1009))->armed());
    EXPECT_FALSE(static_cast<CTRButton*>(console->control(1005))->armed());
    serverLink.SendRadio(1);
    const std::string expected = Hello(1) + row.sent + Radio(2 + row.messages, "1");
    ASSERT_TRUE(server.WaitForBytes(0, expected.size()));
    EXPECT_EQ(server.received(0), expected);
    EXPECT_EQ(driver.boxTexts(), std::vector<std::string>{});
    EXPECT_EQ(driver.dismissed(), std::vector<std::string>{});
}

using T = ConsoleCommandsTest;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, CommandTest, testing::Values(
    CommandRow{"AClickOnAnAntenna", [](T& t) { t.Button(5)->click(); }, Antenna(2, R"({"TX" : 1, "Antenna" : 7 },  {"RX" : 1, "Antenna" : 7 })"), 1},
    CommandRow{"TxArmedThenAClickOnAnAntenna", [](T& t) { t.Button(1009)->click(); t.Button(5)->click(); }, Antenna(2, R"({"TX" : 1, "Antenna" : 7 })"), 1},
    CommandRow{"RxArmedThenADoubleClickOnAnAntenna", [](T& t) { t.Button(1005)->click(); t.Button(5)->click(); emit t.Button(5)->doubleClicked(); },
               Antenna(2, R"({"RX" : 1, "Antenna" : 7 })") + Antenna(3, R"({"RX" : 2, "Antenna" : 7 })"), 2},
    CommandRow{"AClickOnAnAvailableFunction", [](T& t) { t.Button(6)->click(); }, Function(2, 2, 1), 1},
    CommandRow{"ADoubleClickOnAnAlternateFunction", [](T& t) { t.Button(7)->click(); emit t.Button(7)->doubleClicked(); }, Function(2, 3, 1) + Function(3, 3, 3), 2},
    CommandRow{"FrequencyTakesTheDigitsUpToTheFirstNonDigit", [](T& t) { t.Frequency("14250.7", 1); }, Radio(2, "14250"), 1},
    CommandRow{"FrequencyCancelSendsNothing", [](T& t) { t.Frequency("1", 2); }, "", 0},
    CommandRow{"RelativeNext", [](T& t) { t.WithDialog("CRelative", [&] { t.console->OnSysCommand(IdSysRelative); }, [](QDialog& d) {
                   static_cast<CRelative&>(d).button(8)->click(); static_cast<CRelative&>(d).button(1)->click(); }); },
               Antenna(2, R"({"TX" : 6, "Antenna" : 0 },  {"RX" : 6, "Antenna" : 0 })"), 1},
    CommandRow{"ARotatorPreset", [](T& t) { t.WithDialog("CRotatorWindow", [&] { t.Button(20)->click(); }, [](QDialog& d) { static_cast<CRotatorWindow&>(d).button(1005)->click(); }); },
               Request(2, "Direction", R"("Rotator" : 1, "Direction" : 90} })"), 1},
    CommandRow{"ColorsSendsNothing", [](T& t) { t.WithDialog("CColorsDialog", [&] { t.console->OnSysCommand(IdSysColors); }, [](QDialog& d) { d.reject(); }); }, "", 0},
    CommandRow{"AboutSendsNothing", [](T& t) { t.WithDialog("CAboutDlg", [&] { t.console->OnSysCommand(IdSysAbout); }, [](QDialog& d) { d.reject(); }); }, "", 0}),
    [](const testing::TestParamInfo<CommandRow>& info) { return std::string(info.param.name); });
// clang-format on

// The window shows a record that the reconnection deletes: it is closed first.
TEST_F(ConsoleCommandsTest, ARotatorWindowOpenDuringAReconnectionIsClosedFirst) {
    ASSERT_NO_FATAL_FAILURE(StartConfigured());
    bool closedLink = false;
    driver.setHandler([&](QWidget* modal) {
        if (qobject_cast<CRotatorWindow*>(modal) != nullptr && !closedLink) {
            closedLink = true;
            EXPECT_EQ(console->openRotatorWindow(), modal);
            server.Write(Envelope("Rotation", 4, "{\"Rotator\":1,\"Position\":45}"));
            server.CloseConnection();
        }
        return ModalDriver::CloseBoxes(modal);
    });
    Button(20)->click();
    EXPECT_TRUE(closedLink);
    EXPECT_EQ(console->openRotatorWindow(), nullptr);
    ASSERT_TRUE(server.WaitForBytes(1, Hello(2).size()));
    EXPECT_TRUE(console->control(20)->isHidden());
    EXPECT_EQ(console->station().rotators().size(), 0u);
    EXPECT_TRUE(driver.boxTexts().empty());
}

}  // namespace
