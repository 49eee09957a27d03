// A server on 127.0.0.1 and a port the system picks: it accepts connections one after another
// and keeps what each one has sent.
#pragma once

#include <QCoreApplication>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <string>
#include <vector>

class LoopbackServer {
public:
    explicit LoopbackServer(const QHostAddress& address = QHostAddress(QHostAddress::LocalHost)) {
        server_.listen(address, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                const std::size_t index = received_.size();
                received_.emplace_back();
                QObject::connect(socket, &QTcpSocket::readyRead, [this, socket, index] {
                    received_[index] += socket->readAll().toStdString();
                });
                current_ = socket;
            }
        });
    }

    quint16 port() const { return server_.serverPort(); }

    // A port nobody listens on.
    static quint16 ClosedPort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return port;
    }

    std::size_t connections() const { return received_.size(); }
    const std::string& received(std::size_t index) const { return received_.at(index); }

    bool WaitForConnections(std::size_t count, int timeoutMs = 20000) {
        return QTest::qWaitFor([&] { return connections() >= count; }, timeoutMs);
    }
    bool WaitForBytes(std::size_t index, std::size_t count, int timeoutMs = 20000) {
        return QTest::qWaitFor(
            [&] { return received_.size() > index && received_[index].size() >= count; },
            timeoutMs);
    }

    // Writes to the newest connection.
    void Write(const std::string& bytes) {
        current_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        current_->flush();
    }
    // Closes the newest connection (an orderly close).
    void CloseConnection() {
        current_->flush();
        current_->disconnectFromHost();
    }

    // The connected socket CTCP made, a child of the application object.
    static QTcpSocket* ClientSocket() {
        for (QTcpSocket* socket : qApp->findChildren<QTcpSocket*>(Qt::FindDirectChildrenOnly)) {
            if (socket->state() == QAbstractSocket::ConnectedState) {
                return socket;
            }
        }
        return nullptr;
    }

private:
    QTcpServer server_;
    QPointer<QTcpSocket> current_;
    std::vector<std::string> received_;
};
