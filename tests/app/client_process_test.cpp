// The keva-client program itself, copied under another name: it finds its settings file by
// that name and introduces itself to the server the file names.
#include <QDir>
#include <QFile>
#include <QProcess>

#include "app/console_fixture.h"

namespace {

TEST(ClientProcess, ReadsTheSettingsFileNamedAfterItselfAndSendsHello) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    LoopbackServer server;
    // A dot in a folder name counts for nothing; the file name's last dot ends the name.
    const QString programFolder = folder.filePath(QStringLiteral("bin.d"));
    ASSERT_TRUE(QDir().mkpath(programFolder));
    const QString program = programFolder + QStringLiteral("/console.v2");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KEVA_CLIENT_PROGRAM), program));
    ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("all/KEVA Client"))));
    std::ofstream(folder.filePath(QStringLiteral("all/KEVA Client/console.ini")).toStdString())
        << "[Server]\nAddress=127.0.0.1\nPort=" << server.port() << "\nStation=5\nRadio=4\n";

    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ALLUSERSPROFILE"), folder.filePath(QStringLiteral("all")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    client.setProcessEnvironment(environment);
    client.start(program, {});
    ASSERT_TRUE(client.waitForStarted(20000));
    const bool greeted = server.WaitForBytes(0, HelloBytes(1, 5, 4).size(), 60000);
    client.kill();
    client.waitForFinished(20000);
    ASSERT_TRUE(greeted) << client.readAllStandardError().toStdString();
    EXPECT_EQ(server.received(0), HelloBytes(1, 5, 4));
}

}  // namespace
