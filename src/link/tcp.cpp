#include "link/tcp.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <optional>

#include "link/console_events.h"
#include "link/core/receive_path.h"
#include "link/message_box.h"

namespace {

// The text after "Could not find server : " is cut to this many bytes.
constexpr std::size_t MaxResolverTextLength = 79;

// The first IPv4 address of `address`, a host name or dotted text; or the resolver's reason.
// An empty name is this machine's own, as the classic resolver takes it.
std::optional<QHostAddress> ResolveIpv4(const std::string& address, std::string& reason) {
    const QString name =
        address.empty() ? QHostInfo::localHostName() : QString::fromUtf8(address.c_str());
    const QHostInfo info = QHostInfo::fromName(name);
    for (const QHostAddress& candidate : info.addresses()) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol) {
            return candidate;
        }
    }
    reason = info.error() != QHostInfo::NoError ? info.errorString().toStdString()
                                                : std::string("No IPv4 address for this name");
    if (reason.size() > MaxResolverTextLength) {
        reason.resize(MaxResolverTextLength);
    }
    return std::nullopt;
}

// The error code of a loss that is not the peer's close: the receive path only asks whether
// there is one.
constexpr int SocketFailed = 1;

}  // namespace

CTCP::~CTCP() = default;

bool CTCP::Connect(const std::string& address, int32_t port, QObject* window) {
    std::string reason;
    const std::optional<QHostAddress> host = ResolveIpv4(address, reason);
    if (!host) {
        ShowMessageBox("Could not find server : " + reason);
        return false;
    }
    Close();
    ++connection_;
    window_ = window;
    // Owned by the application object, so it ends with it and never outlives Qt.
    socket_ = new QTcpSocket(QCoreApplication::instance());
    // Qt stops taking bytes from the network while this much is unread, as the receive path
    // stops reading while a feed waits; the server then waits too.
    socket_->setReadBufferSize(static_cast<qint64>(ReceivePath::MaxQueuedBytes));
    const auto port16 = static_cast<quint16>(static_cast<uint32_t>(port) & 0xFFFFu);
    socket_->connectToHost(*host, port16);
    if (!socket_->waitForConnected(-1)) {
        ShowMessageBox("Unable to connect to server");
        return false;
    }
    WatchSocket();
    return true;
}

void CTCP::WatchSocket() {
    QTcpSocket* socket = socket_;
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this] { PostReadNotification(); });
    QObject::connect(socket, &QTcpSocket::disconnected, socket, [this] { PostLoss(0); });
    QObject::connect(
        socket, &QTcpSocket::errorOccurred, socket, [this](QAbstractSocket::SocketError error) {
            PostLoss(error == QAbstractSocket::RemoteHostClosedError ? 0 : SocketFailed);
        });
    // Bytes that came with the connection itself raise no readyRead of their own.
    if (socket->bytesAvailable() > 0) {
        PostReadNotification();
    }
}

bool CTCP::Send(const std::string& text) {
    if (!connected()) {
        return false;
    }
    const std::size_t end = text.find('\0');
    const auto length = static_cast<qint64>(end == std::string::npos ? text.size() : end);
    if (socket_->write(text.data(), length) != length) {
        return false;
    }
    socket_->flush();
    return true;
}

void CTCP::Close() {
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    readPending_ = false;
    lossPosted_ = false;
    closeAfterData_ = false;
    if (socket == nullptr) {
        return;
    }
    socket->disconnect();
    socket->abort();
    socket->deleteLater();
}

int64_t CTCP::Read(char* buffer, int32_t capacity) {
    if (socket_ == nullptr) {
        return -1;
    }
    if (socket_->bytesAvailable() == 0) {
        // Connected with nothing buffered is what a non-blocking recv reports as "would
        // block", a failed read. Accept keeps such notifications from getting here.
        return socket_->state() == QAbstractSocket::ConnectedState ? -1 : 0;
    }
    const qint64 count = socket_->read(buffer, capacity);
    if (count < 0) {
        return -1;
    }
    if (socket_->bytesAvailable() > 0) {
        PostReadNotification();
    } else if (closeAfterData_) {
        closeAfterData_ = false;
        PostLoss(0);
    }
    return count;
}

void CTCP::PostReadNotification() {
    if (readPending_ || socket_ == nullptr) {
        return;
    }
    readPending_ = true;
    Post(ReceivePath::FdRead, 0);
}

void CTCP::Post(int event, int errorCode) {
    if (window_ == nullptr) {
        return;
    }
    QCoreApplication::postEvent(window_, new SocketNotifyEvent(event, errorCode, connection_));
}

// A close waits behind the bytes still unread, as the receive path must feed them first; an
// error is reported at once, and whatever follows it for the same socket is the same loss.
void CTCP::PostLoss(int errorCode) {
    if (lossPosted_ || socket_ == nullptr) {
        return;
    }
    if (errorCode == 0 && socket_->bytesAvailable() > 0) {
        closeAfterData_ = true;
        PostReadNotification();
        return;
    }
    lossPosted_ = true;
    Post(ReceivePath::FdClose, errorCode);
}

bool CTCP::Accept(const SocketNotifyEvent& notification) {
    if (socket_ == nullptr || notification.connection() != connection_) {
        return false;
    }
    if (notification.errorCode() == 0 && notification.event() == ReceivePath::FdRead) {
        readPending_ = false;
        if (socket_->bytesAvailable() == 0 && socket_->state() == QAbstractSocket::ConnectedState) {
            return false;
        }
    }
    return true;
}

bool CTCP::connected() const {
    return socket_ != nullptr && socket_->state() == QAbstractSocket::ConnectedState;
}
