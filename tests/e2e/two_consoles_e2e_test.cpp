// Two keva-client programs against one keva-sim: the program itself and a symbolic link to it,
// each with the settings file of its own name. A console's face shows what the server sends it,
// so each console reaches the simulator through a relay that keeps the bytes both ways.
#include <gtest/gtest.h>
#include <sys/prctl.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>
#include <string>

#include "support/hello_bytes.h"
#include "support/sim_process.h"

namespace {

constexpr int Patience = 20000;  // ms

// Passes one console's connection through to keva-sim and keeps what went each way.
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
    // Whether keva-sim has sent the console `text`.
    bool Sent(const std::string& text) const { return toConsole.find(text) != std::string::npos; }

    QTcpSocket sim;
    QTcpServer server;  // owns the console's socket; goes first
    std::string fromConsole;
    std::string toConsole;
};

TEST(TwoConsoles, TwoNamesKeepTwoSettingsFilesAndShareTheLockOut) {
    SimProcess sim;
    std::string error;
    ASSERT_TRUE(sim.Start({}, 0, error)) << error;
    QTemporaryDir folder;
    ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("KEVA Client"))));
    const QString link = folder.filePath(QStringLiteral("keva-client-radio2"));
    ASSERT_TRUE(QFile::link(QStringLiteral(KEVA_CLIENT_PROGRAM), link));

    // Radio 2 tunes to 20 m and takes the Tribander: radio 1 may still receive on it.
    struct Row {
        QString program;
        const char* settingsFile;
        int radio;
        const char* shownAfterTheLockOut;
    };
    const Row rows[] = {
        {QStringLiteral(KEVA_CLIENT_PROGRAM), "keva-client.ini", 1,
         R"({"Antenna": 5, "TX": 0, "RX": 1, )"},
        {link, "keva-client-radio2.ini", 2, R"({"Antenna": 5, "TX": 2, "RX": 2, )"},
    };
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
