// The console window against a loopback server named by a settings file: its face and menus, each
// command's request on the wire, and how a lost link becomes exactly one new connection.
#include <fcntl.h>
#include <unistd.h>

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <fstream>

#include "app/console_menu.h"
#include "app/console_window.h"
#include "console/console_test_support.h"
#include "console/frequency_dialog.h"
#include "console/relative_dialog.h"
#include "console/rotator_window.h"
#include "console/server_dialog.h"
#include "console/tr_button.h"
#include "link/console_events.h"
#include "link/tcp.h"
#include "support/hello_bytes.h"
#include "support/loopback_server.h"
#include "support/modal_driver.h"
#include "support/temp_folder.h"

namespace {

// Counts connection requests, noting what the old connection left on the TX line, and titles.
class ConsoleTest : public QObject, public testing::Test {
public:
    ConsoleTest() { WriteSettings(server.port()); }
    ~ConsoleTest() override {
        console.reset();
        tcp.Close();
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == ConnectServerEvent) {
            ++requests;
            shownAtRequest = static_cast<QLabel*>(console->control(1007))->text().toStdString();
        }
        if (event->type() == QEvent::WindowTitleChange) {
            titles.push_back(static_cast<QWidget*>(watched)->windowTitle().toStdString());
        }
        return false;
    }

    static std::string Envelope(const std::string& name, int sequence, const std::string& params) {
        return "{\"Message\":\"" + name + "\",\"Sequence\":" + std::to_string(sequence) +
               ",\"Version\":1,\"Parameters\":" + params + "}";
    }
    static std::string Unknown(const std::string& name) {
        return "Unknown message " + name + " received from client";
    }
    static std::string Hello(int sequence) { return HelloBytes(sequence, 3, 2); }
    void WriteSettings(quint16 port) {
        std::ofstream(settings.path)
            << "[Server]\nAddress=127.0.0.1\nPort=" << port << "\nStation=3\nRadio=2\n";
    }
    OwnerDrawButton* Button(int id) { return static_cast<OwnerDrawButton*>(console->control(id)); }
    bool WaitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 20000);
    }

    void Create() {
        console = std::make_unique<CKEVAWindowsClientDlg>(tcp, serverLink, settings);
        console->installEventFilter(this);
        console->show();
    }
    void Start() {
        Create();
        ASSERT_TRUE(server.WaitForBytes(0, Hello(1).size()));
        ASSERT_EQ(server.received(0), Hello(1));
    }
    // A message answered with a box goes round: all sent and posted so far is handled.
    bool RoundTrip() {
        const auto boxes = driver.boxTexts().size();
        server.Write(Envelope("Server", 0, "{}") + Envelope("RoundTrip", 1, "{}"));
        return WaitFor([&] { return driver.boxTexts().size() > boxes; }) &&
               driver.boxTexts().back() == Unknown("RoundTrip");
    }
    // Runs `first` under the first box, left open until `done` (or 20 s); later boxes close.
    void HoldFirstBox(std::function<void()> first, std::function<bool()> done) {
        patience.start();
        driver.setHandler([this, first, done, ran = false](QWidget* modal) mutable {
            if (!std::exchange(ran, true)) {
                first();
                return false;
            }
            return (done() || patience.elapsed() >= 20000) && ModalDriver::CloseBoxes(modal);
        });
    }
    void FailedClick(bool closeSocket) {
        server.Write(
            Envelope("Configuration", 1,
                     R"({"Antennas":[{"Antenna":7,"ShortName":"D","Row":0,"Column":0}]})"));
        ASSERT_TRUE(WaitFor([&] { return !console->control(5)->isHidden(); }));
        // A read-only socket refuses every write.
        closeSocket ? tcp.Close() : void(LoopbackServer::ClientSocket()->open(QIODevice::ReadOnly));
        Button(5)->click();
    }
    // One antenna (7, on the first button), two functions (2 and the alternate 3), one rotator.
    void StartConfigured() {
        ASSERT_NO_FATAL_FAILURE(Start());
        server.Write(
            Envelope(
                "Configuration", 1,
                R"({"LowerFrequency":7000,"UpperFrequency":7300,)"
                R"("Antennas":[{"Antenna":7,"ShortName":"Dipole","Row":0,"Column":0}],)"
                R"("Functions":[{"Function":2,"ShortName":"Amp","Row":1,"Column":0},)"
                R"({"Function":3,"ShortName":"Stack","Row":2,"Column":0,"Alternate":true}]})") +
            Envelope("State", 2,
                     R"({"TXLongName":"Dipole long","RXLongName":"Beam long",)"
                     R"("Antennas":[{"Antenna":7,"TX":1,"RX":1}],)"
                     R"("Functions":[{"Function":2,"State":1},{"Function":3,"State":1}]})") +
            Envelope("Rotators", 3,
                     R"({"Rotators":[{"Rotator":1,"ShortName":"Beam","HasStop":true}]})"));
        ASSERT_TRUE(WaitFor([&] { return !console->control(20)->isHidden(); }));
        EXPECT_EQ(console->windowTitle().toStdString(),
                  "[7000-7300] KEVA Windows Client - Station 3 Radio 2");
        EXPECT_EQ(static_cast<QLabel*>(console->control(1010))->text(), "RX: Beam long");
    }
    void WithDialog(const char* dialog, std::function<void()> command,
                    std::function<void(QDialog&)> answer) {
        std::string opened;
        driver.setHandler([&](QWidget* modal) {
            opened = modal->metaObject()->className();
            if (opened != dialog) {
                return driver.Dismiss(modal);
            }
            answer(*static_cast<QDialog*>(modal));
            modal->isVisible() ? static_cast<QDialog*>(modal)->reject() : void();
            return true;
        });
        command();
        driver.setHandler({});
        EXPECT_EQ(opened, dialog);
    }

    TempFolder folder;
    const SettingsLocation settings{(folder.path() / "keva-client.ini").string()};
    LoopbackServer server;
    ModalDriver driver;
    int requests = 0;
    std::string shownAtRequest;
    std::vector<std::string> titles;
    QElapsedTimer patience;
    CTCP tcp;
    ServerLink serverLink;
    std::unique_ptr<CKEVAWindowsClientDlg> console;
};

std::vector<std::string> ActionRows(const QMenu& menu) {
    std::vector<std::string> rows;
    for (const QAction* a : menu.actions()) {
        rows.push_back(a->isSeparator()
                           ? "-"
                           : a->text().toStdString() + " " + std::to_string(a->data().toInt()));
    }
    return rows;
}
// clang-format off
const std::vector<std::string> MenuRows = {"Server 80", "Frequency 32", "Relative 48", "Colors 64", "-", "&About KEVA Windows Client... 16"};
// clang-format on

// Escape and Enter (the dialog's OK command) end the console's modal run.
TEST_F(ConsoleTest, TheStandardDialogEndingsCloseTheConsole) {
    for (const auto& [key, result] : {std::pair(Qt::Key_Escape, QDialog::Rejected),
                                      std::pair(Qt::Key_Return, QDialog::Accepted)}) {
        SCOPED_TRACE(key);
        Create();
        QTest::keyClick(console.get(), key);
        EXPECT_TRUE(console->isHidden());
        EXPECT_EQ(console->result(), result);
    }
}

// Before the server speaks: the template's controls, of which only the mode buttons show; the
// commands in both menus; a long name wraps as a one-line static text, "&" as itself (part of a
// station's name).
TEST_F(ConsoleTest, ControlsMenusAndLongNameLines) {
    Create();
    EXPECT_EQ(console->windowTitle().toStdString(), "KEVA Windows Client");
    EXPECT_EQ(console->face()->size(), QSize(557, 330));
    EXPECT_EQ(console->face()->geometry().top(), console->menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(console->size(), QSize(557, 330 + console->menuBar()->height()));
    // clang-format off
    const struct { int id; QRect rect; const char* text; bool shown; } rows[] = {
        {5, {11, 63, 95, 41}, "Not initialized", false},
        {29, {452, 271, 95, 41}, "Not initialized", false},
        {1007, {11, 11, 405, 13}, "", true},
        {1009, {435, 11, 50, 41}, "TX", true}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        QWidget* control = console->control(row.id);
        EXPECT_EQ(control->geometry(), row.rect);
        EXPECT_EQ(control->parentWidget(), console->face());
        EXPECT_EQ(control->isVisible(), row.shown);
        EXPECT_EQ(control->isEnabled(), row.shown);
        const auto* label = qobject_cast<QLabel*>(control);
        EXPECT_EQ((label ? label->text() : static_cast<QAbstractButton*>(control)->text()),
                  row.text);
        // The server's names are shown as they are, never as markup.
        EXPECT_TRUE(label == nullptr || label->textFormat() == Qt::PlainText);
    }
    const QList<QAction*> menus = console->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text().toStdString(), "&Console");
    EXPECT_EQ(ActionRows(*menus[0]->menu()), MenuRows);
    const QPoint background = console->face()->mapTo(console.get(), QPoint(540, 320));
    const QPoint onButton = console->face()->mapTo(console.get(), QPoint(460, 30));
    // clang-format off
    const struct { const char* name; QContextMenuEvent::Reason reason; QPoint where; bool opens; } clicks[] = {
        {"right click on the background", QContextMenuEvent::Mouse, background, true},
        {"menu key", QContextMenuEvent::Keyboard, QPoint(), true},
        {"right click on the TX mode button", QContextMenuEvent::Mouse, onButton, false}};
    // clang-format on
    for (const auto& row : clicks) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                seen = ActionRows(*menu);
                menu->close();
            }
        });
        poll.start(5);
        QContextMenuEvent event(row.reason, row.where, console->mapToGlobal(row.where));
        QApplication::sendEvent(console.get(), &event);
        EXPECT_EQ(seen, row.opens ? MenuRows : std::vector<std::string>{});
    }
    auto* line = static_cast<QLabel*>(console->control(1007));
    QLabel reference;
    reference.setTextFormat(Qt::PlainText);
    reference.setFont(line->font());
    reference.resize(line->size());
    for (const auto& [text, shown] :
         {std::pair<std::string, const char*>("TX: Yagi & Dipole", "TX: Yagi & Dipole"),
          std::pair<std::string, const char*>("TX: Dipole " + std::string(100, 'W'),
                                              "TX: Dipole")}) {
        console->SetLongNameLines(text, "");
        reference.setText(QString::fromLatin1(shown));
        EXPECT_EQ(line->text().toStdString(), text);
        for (int ratio : {1, 2}) {
            EXPECT_TRUE(RenderAt(*line, ratio) == RenderAt(reference, ratio)) << shown << ratio;
        }
    }
}

struct LossRow {
    const char* name;
    friend void PrintTo(const LossRow& row, std::ostream* out) { *out << row.name; }
    std::function<void(ConsoleTest&)> loss;
    std::vector<std::string> boxes;  // before the round trip's
    int reconnections;
    int helloSequence;  // of the last "Hello": a failed send has used a number
};

class LinkLossTest : public ConsoleTest, public testing::WithParamInterface<LossRow> {};

// One request per loss however often it is reported; the titles and the next "Hello" follow.
TEST_P(LinkLossTest, EachLossOrServerCommandGivesOneNewConnection) {
    const LossRow& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(Start());
    titles.clear();
    row.loss(*this);
    const auto connections = static_cast<std::size_t>(1 + row.reconnections);
    ASSERT_TRUE(server.WaitForBytes(connections - 1, Hello(row.helloSequence).size()));
    EXPECT_EQ(server.received(connections - 1), Hello(row.helloSequence));
    ASSERT_TRUE(RoundTrip());
    EXPECT_EQ(std::vector(driver.boxTexts().begin(), driver.boxTexts().end() - 1), row.boxes);
    EXPECT_EQ(requests, 1 + row.reconnections);
    EXPECT_EQ(server.connections(), connections);
    EXPECT_TRUE(console->reconnectArmed());
    std::vector<std::string> shown;
    for (int i = 0; i < row.reconnections; ++i) {
        shown.push_back("KEVA Windows Client - Station 3 Radio 2 (Disconnected)");
        shown.push_back("KEVA Windows Client - Station 3 Radio 2");
    }
    EXPECT_EQ(titles, shown);
}

using T = ConsoleTest;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LinkLossTest, testing::Values(
    LossRow{"TheServerCommandFromTheMenu", [](T& t) { t.console->menuBar()->actions().at(0)->menu()->actions().at(0)->trigger(); }, {}, 1, 2},
    LossRow{"TheServerCommandTwiceBeforeItIsHandled", [](T& t) {
        t.console->OnSysCommand(IdSysServer); t.console->OnSysCommand(IdSysServer | 0x3); EXPECT_FALSE(t.console->reconnectArmed()); }, {}, 2, 3},
    LossRow{"BadJsonIsReportedTwice", [](T& t) { t.server.Write("{ \"Message\" : ] " + T::Envelope("A", 1, "{}")); },
            {"JSON: Found start of object when expecting a value", "Got bad message from server"}, 1, 2},
    LossRow{"AFailedConnectAsksForTheServer", [](T& t) {
        t.WriteSettings(LoopbackServer::ClosedPort());
        t.driver.setHandler([&t](QWidget* modal) {
            auto* dialog = qobject_cast<CServerDialog*>(modal);
            if (dialog == nullptr) return ModalDriver::CloseBoxes(modal);
            dialog->edit(1001)->setText(QString::number(t.server.port())); dialog->accept(); return true; });
        t.console->OnSysCommand(IdSysServer); }, {"Unable to connect to server"}, 1, 2},
    // The antenna click arms the reconnection, so its failed send asks for exactly one.
    LossRow{"ASendOnAClosedSocket", [](T& t) { t.FailedClick(true); }, {"Failed to send Antenna message"}, 1, 3},
    LossRow{"ASendTheSocketRefuses", [](T& t) { t.FailedClick(false); }, {"Failed to send Antenna message"}, 1, 3},
    // Read at once, fed after the current feed; reading stops at about 1 MiB queued.
    LossRow{"DataArrivingUnderABoxIsQueuedAndFedInOrderAfterIt", [](T& t) {
        constexpr std::size_t Limit = ReceivePath::MaxQueuedBytes / 4096;
        std::size_t mostQueued = 0, boxesUnderBox = 0;
        t.HoldFirstBox([&] { t.server.Write(std::string(3 * ReceivePath::MaxQueuedBytes / 2, ' ') + T::Envelope("PingB", 2, "{}")); }, [&] {
            mostQueued = std::max(mostQueued, t.console->receivePath().queuedChunks());
            boxesUnderBox = mostQueued >= Limit && boxesUnderBox == 0 ? t.driver.boxTexts().size() : boxesUnderBox;
            return mostQueued >= Limit; });
        t.server.Write(T::Envelope("PingA", 1, "{}"));
        EXPECT_TRUE(t.WaitFor([&] { return t.driver.boxTexts().size() >= 2; }));
        t.driver.setHandler(ModalDriver::CloseBoxes);
        EXPECT_GE(mostQueued, Limit); EXPECT_LE(mostQueued, Limit + 1); EXPECT_EQ(boxesUnderBox, 1u);
        EXPECT_TRUE(t.WaitFor([&] { return !t.console->receivePath().receiveBusy(); })); }, {T::Unknown("PingA"), T::Unknown("PingB")}, 0, 1},
    // The old reader lives until its feed returns; the new connection's messages reach a new one.
    LossRow{"AReconnectionUnderABoxDuringAFeedIsSafe", [](T& t) {
        t.HoldFirstBox([&t] { t.console->OnSysCommand(IdSysServer); }, [&t] { return t.server.connections() >= 2 && t.server.received(1).size() >= T::Hello(2).size(); });
        t.server.Write(T::Envelope("PingA", 1, "{}") + "{\"Message\":\"Pi");
        EXPECT_TRUE(t.server.WaitForBytes(1, T::Hello(2).size()));
        EXPECT_TRUE(t.WaitFor([&t] { return !t.console->receivePath().receiveBusy(); }));
        t.driver.setHandler(ModalDriver::CloseBoxes); t.server.Write(T::Envelope("PingB", 2, "{}")); }, {T::Unknown("PingA"), T::Unknown("PingB")}, 1, 2},
    // Qt reports the error, then its close; a mark posted behind the box's queue finds no request.
    LossRow{"ASocketErrorShowsOneBoxAndReconnectsOnceAfterIt", [](T& t) {
        int underBox = -1;
        t.HoldFirstBox([&] { QMetaObject::invokeMethod(t.console.get(), [&] { underBox = t.requests; }); }, [&] { return underBox >= 0; });
        const int folder = ::open("/", O_RDONLY | O_DIRECTORY);  // reading it fails with EISDIR
        ::dup2(folder, static_cast<int>(LoopbackServer::ClientSocket()->socketDescriptor())); ::close(folder);
        EXPECT_TRUE(t.server.WaitForBytes(1, T::Hello(2).size()));
        t.driver.setHandler(ModalDriver::CloseBoxes);
        EXPECT_EQ(underBox, 1); }, {"Server communications error"}, 1, 2},
    // The server's last 64 KiB of States, then its close at once: all are fed before the reset.
    LossRow{"EverythingReceivedBeforeTheServersCloseIsFedFirst", [](T& t) {
        std::string states; int i = 1;
        for (; states.size() < 64 * 1024; ++i) states += T::Envelope("State", i, R"({"TXLongName":"Name )" + std::to_string(i) + "\"}");
        t.server.Write(states + T::Envelope("State", i, R"({"TXLongName":"Last","RXLongName":"Beam"})"));
        t.server.CloseConnection();
        EXPECT_TRUE(t.server.WaitForBytes(1, T::Hello(2).size()));
        EXPECT_EQ(t.shownAtRequest, "TX: Last"); }, {}, 1, 2}),
    [](const testing::TestParamInfo<LossRow>& info) { return std::string(info.param.name); });
// clang-format on

std::string Request(int sequence, const std::string& name, const std::string& parameters) {
    return "{ \"Message\" : \"" + name + "\", \"Sequence\" : " + std::to_string(sequence) +
           ", \"Version\": 1, \"Parameters\" : { \"Station\" : 3, \"Radio\" : 2, " + parameters;
}

struct CommandRow {
    const char* name;
    friend void PrintTo(const CommandRow& row, std::ostream* out) { *out << row.name; }
    std::function<void(ConsoleTest&)> command;
    std::string sent;  // after the "Hello", whose sequence number is 1
    int messages;
};

class CommandTest : public ConsoleTest, public testing::WithParamInterface<CommandRow> {};

// A "Radio" of 1 kHz after the command marks the end: nothing else was sent.
TEST_P(CommandTest, SendsItsRequestAndNothingElse) {
    const CommandRow& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartConfigured());
    row.command(*this);
    EXPECT_FALSE(static_cast<CTRButton*>(console->control(1009))->armed());
    EXPECT_FALSE(static_cast<CTRButton*>(console->control(1005))->armed());
    serverLink.SendRadio(1);
    const std::string expected =
        Hello(1) + row.sent + Request(2 + row.messages, "Radio", "\"Frequency\" : 1} }");
    ASSERT_TRUE(server.WaitForBytes(0, expected.size()));
    EXPECT_EQ(server.received(0), expected);
    EXPECT_EQ(driver.boxTexts(), std::vector<std::string>{});
    EXPECT_EQ(driver.dismissed(), std::vector<std::string>{});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, CommandTest, testing::Values(
    CommandRow{"AClickOnAnAntenna", [](T& t) { t.Button(5)->click(); },
        Request(2, "Antenna", R"("Antennas" : [ {"TX" : 1, "Antenna" : 7 },  {"RX" : 1, "Antenna" : 7 } ] } })"), 1},
    CommandRow{"TxArmedThenAClickOnAnAntenna", [](T& t) { t.Button(1009)->click(); t.Button(5)->click(); },
        Request(2, "Antenna", R"("Antennas" : [ {"TX" : 1, "Antenna" : 7 } ] } })"), 1},
    CommandRow{"RxArmedThenADoubleClickOnAnAntenna", [](T& t) { t.Button(1005)->click(); t.Button(5)->click(); emit t.Button(5)->doubleClicked(); },
               Request(2, "Antenna", R"("Antennas" : [ {"RX" : 1, "Antenna" : 7 } ] } })") + Request(3, "Antenna", R"("Antennas" : [ {"RX" : 2, "Antenna" : 7 } ] } })"), 2},
    CommandRow{"AClickOnAnAvailableFunction", [](T& t) { t.Button(6)->click(); }, Request(2, "Function", R"("Function" : 2, "State" : 1} })"), 1},
    CommandRow{"ADoubleClickOnAnAlternateFunction", [](T& t) { t.Button(7)->click(); emit t.Button(7)->doubleClicked(); },
               Request(2, "Function", R"("Function" : 3, "State" : 1} })") + Request(3, "Function", R"("Function" : 3, "State" : 3} })"), 2},
    CommandRow{"FrequencyTakesTheDigitsUpToTheFirstNonDigit", [](T& t) {
        t.WithDialog("CFrequencyDlg", [&] { t.console->OnSysCommand(IdSysFrequency); },
        [](QDialog& d) { static_cast<CFrequencyDlg&>(d).edit()->setText("14250.7"); static_cast<CFrequencyDlg&>(d).button(1)->click(); }); },
        Request(2, "Radio", R"("Frequency" : 14250} })"), 1},
    CommandRow{"FrequencyCancelSendsNothing", [](T& t) { t.WithDialog("CFrequencyDlg", [&] { t.console->OnSysCommand(IdSysFrequency); },
        [](QDialog& d) { static_cast<CFrequencyDlg&>(d).edit()->setText("1"); static_cast<CFrequencyDlg&>(d).button(2)->click(); }); }, "", 0},
    CommandRow{"RelativeNext", [](T& t) { t.WithDialog("CRelative", [&] { t.console->OnSysCommand(IdSysRelative); }, [](QDialog& d) {
                   static_cast<CRelative&>(d).button(8)->click(); static_cast<CRelative&>(d).button(1)->click(); }); },
               Request(2, "Antenna", R"("Antennas" : [ {"TX" : 6, "Antenna" : 0 },  {"RX" : 6, "Antenna" : 0 } ] } })"), 1},
    CommandRow{"ARotatorPreset", [](T& t) { t.WithDialog("CRotatorWindow", [&] { t.Button(20)->click(); },
        [](QDialog& d) { static_cast<CRotatorWindow&>(d).button(1005)->click(); }); },
               "{ \"Message\" : \"Direction\", \"Sequence\" : 2, \"Version\": 1, \"Parameters\" : { \"Rotator\" : 1, \"Direction\" : 90} }", 1},
    CommandRow{"ColorsSendsNothing", [](T& t) { t.WithDialog("CColorsDialog", [&] { t.console->OnSysCommand(IdSysColors); }, [](QDialog& d) { d.reject(); }); }, "", 0},
    CommandRow{"AboutSendsNothing", [](T& t) { t.WithDialog("CAboutDlg", [&] { t.console->OnSysCommand(IdSysAbout); }, [](QDialog& d) { d.reject(); }); }, "", 0}),
    [](const testing::TestParamInfo<CommandRow>& info) { return std::string(info.param.name); });
// clang-format on

// The window shows a record that the reconnection deletes: it is closed first.
TEST_F(ConsoleTest, ARotatorWindowOpenDuringAReconnectionIsClosedFirst) {
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
