// The console against keva-sim playing examples/station.json, where Station 1 Radio 1 is tuned to
// 14025 kHz and the Tribander is usable: in this process, and as two keva-client programs.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>

#include "app/console_window.h"
#include "console/ant_func_button.h"
#include "console/button_geometry.h"
#include "console/rotator_button.h"
#include "link/core/server_link.h"
#include "link/tcp.h"
#include "settings/settings_path.h"
#include "support/hello_bytes.h"
#include "support/modal_driver.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"

namespace {

constexpr int Patience = 20000;  // ms

TEST(ConsoleEndToEnd, AGridClickSelectsTheAntennaAndTheNextStatePaintsIt) {
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start({}, 0, error)) << error;
    TempFolder folder;
    const SettingsLocation settings{(folder.path() / "keva-client.ini").string()};
    std::ofstream(settings.path) << "[Server]\nAddress=127.0.0.1\nPort=" << sim.port()
                                 << "\nStation=1\nRadio=1\n";
    ModalDriver driver;
    CTCP tcp;
    ServerLink serverLink;
    auto console = std::make_unique<CKEVAWindowsClientDlg>(tcp, serverLink, settings);
    console->show();
    // Grid button 11 (row 1, column 1) is antenna 5 on rotator 1, whose tower button is 20.
    auto* tribander = qobject_cast<CAntFuncButton*>(console->control(11));
    const auto sides = [&] { return std::pair(tribander->txState(), tribander->rxState()); };
    // The pixels of its TX and RX selection bars, left of any label.
    const auto bars = [&] {
        const QImage image = tribander->grab().toImage();
        return std::pair(
            image.pixelColor(TopBarRect(tribander->size()).topLeft() + QPoint(2, 1)),
            image.pixelColor(BottomBarRect(tribander->size()).topLeft() + QPoint(2, 1)));
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return console->windowTitle() ==
                       "[1800-29700] KEVA Windows Client - Station 1 Radio 1" &&
                   sides() == std::pair(1, 1) && tribander->text() == "Tribander" &&
                   !console->control(20)->isHidden();
        },
        Patience))
        << sim.log();
    EXPECT_EQ(bars(), std::pair(QColor(0, 0, 255), QColor(0, 0, 255)));
    QTest::mouseClick(tribander, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sides() == std::pair(2, 2); }, Patience));
    EXPECT_EQ(
        sim.CountLogged("Antenna for station 1 radio 1: TX 1 on antenna 5, RX 1 on antenna 5"), 1)
        << sim.log();
    EXPECT_EQ(bars(), std::pair(QColor(255, 0, 0), QColor(255, 0, 0)));
    // The same name on both sides goes on the TX line alone, after four blanks.
    EXPECT_EQ(qobject_cast<QLabel*>(console->control(1007))->text(),
              "    20/15/10 m Tribander (tower)");
    EXPECT_TRUE(qobject_cast<CRotatorButton*>(console->control(20))->inUse());
    EXPECT_EQ(driver.boxTexts(), std::vector<std::string>{});
    EXPECT_EQ(driver.dismissed(), std::vector<std::string>{});
    console.reset();
    tcp.Close();
}

// Passes a console's connection through to keva-sim, keeping the bytes both ways.
struct Relay {
    explicit Relay(quint16 simPort) {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this, simPort] {
            QTcpSocket* console = server.nextPendingConnection();
            sim.connectToHost(QHostAddress::LocalHost, simPort);
            sim.waitForConnected(Patience);
            QObject::connect(console, &QTcpSocket::readyRead,
                             [this, console] { Pass(*console, sim, fromConsole); });
            QObject::connect(&sim, &QTcpSocket::readyRead,
                             [this, console] { Pass(sim, *console, toConsole); });
        });
    }
    static void Pass(QTcpSocket& from, QTcpSocket& to, std::string& kept) {
        const QByteArray bytes = from.readAll();
        kept += bytes.toStdString();
        to.write(bytes);
    }
    bool Sent(const std::string& text) const { return toConsole.find(text) != std::string::npos; }

    QTcpSocket sim;
    QTcpServer server;  // owns the console's socket; goes first
    std::string fromConsole;
    std::string toConsole;
};

// The program itself and a symbolic link to it, each with the settings file of its own name.
TEST(TwoConsoles, TwoNamesKeepTwoSettingsFilesAndShareTheLockOut) {
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start({}, 0, error)) << error;
    QTemporaryDir folder;
    ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("KEVA Client"))));
    const QString link = folder.filePath(QStringLiteral("keva-client-radio2"));
    ASSERT_TRUE(QFile::link(QStringLiteral(KEVA_CLIENT_PROGRAM), link));
    // Radio 2 tunes to 20 m and takes the Tribander: radio 1 may still receive on it.
    // clang-format off
    const struct { QString program; const char* settingsFile; int radio; const char* shownAfterTheLockOut; } rows[] = {
        {QStringLiteral(KEVA_CLIENT_PROGRAM), "keva-client.ini", 1, R"({"Antenna": 5, "TX": 0, "RX": 1, )"},
        {link, "keva-client-radio2.ini", 2, R"({"Antenna": 5, "TX": 2, "RX": 2, )"}};
    // clang-format on
    Relay relays[] = {Relay(sim.port()), Relay(sim.port())};
    QProcess consoles[2];
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ALLUSERSPROFILE"), folder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (int i = 0; i < 2; ++i) {
        std::ofstream(
            folder.filePath(QStringLiteral("KEVA Client/") + rows[i].settingsFile).toStdString())
            << "[Server]\nAddress=127.0.0.1\nPort=" << relays[i].server.serverPort()
            << "\nStation=1\nRadio=" << rows[i].radio << "\n";
        consoles[i].setProcessEnvironment(environment);
        consoles[i].setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        consoles[i].start(rows[i].program, {});
    }
    const auto report = [&] { return "simulator log:\n" + sim.log(); };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return relays[0].Sent(R"("State")") && relays[1].Sent(R"("State")"); }, 3 * Patience))
        << report();
    QTcpSocket radio2;
    radio2.connectToHost(QHostAddress::LocalHost, sim.port());
    ASSERT_TRUE(radio2.waitForConnected(Patience));
    radio2.write(HelloBytes(1, 1, 2).c_str());
    radio2.write(R"({"Message": "Radio", "Sequence": 2, "Version": 1, "Parameters": )"
                 R"({"Station": 1, "Radio": 2, "Frequency": 14200}})"
                 R"({"Message": "Antenna", "Sequence": 3, "Version": 1, "Parameters": )"
                 R"({"Station": 1, "Radio": 2, "Antennas": [{"TX": 1, "Antenna": 5}, )"
                 R"({"RX": 1, "Antenna": 5}]}})");
    radio2.flush();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(rows[i].settingsFile);
        EXPECT_EQ(relays[i].fromConsole, HelloBytes(1, 1, rows[i].radio));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return relays[i].Sent(rows[i].shownAfterTheLockOut); }, Patience))
            << report();
    }
    EXPECT_TRUE(relays[1].Sent(R"x("TXLongName": "20/15/10 m Tribander (tower)")x"));
    for (QProcess& console : consoles) {
        EXPECT_EQ(console.state(), QProcess::Running) << report();
        console.kill();
        console.waitForFinished(Patience);
    }
}

}  // namespace
