// CTCP: the one TCP connection to the server, on a QTcpSocket. The application holds one for
// the whole run.
//
// Connect resolves and connects blocking, as the console expects, then posts every later event
// of the socket to the console window as a SocketNotifyEvent: readyRead as a read, a close by
// the peer as a close, any other socket error as an error. One loss gives one notification (Qt
// follows an error with its close), and a close comes after the last bytes that arrived before
// it have been read. Nothing is handled inside the socket's own signals. Each Connect uses a fresh
// socket and a new connection number, so notifications still queued for an older socket are told
// apart and dropped.
#pragma once

#include <QPointer>
#include <QTcpSocket>
#include <cstdint>
#include <string>

class SocketNotifyEvent;

class CTCP {
public:
    CTCP() = default;
    // The socket belongs to the application object and ends with it; nothing is closed here.
    ~CTCP();
    CTCP(const CTCP&) = delete;
    CTCP& operator=(const CTCP&) = delete;

    // Resolves `address` (first IPv4 address; dotted text as is) and connects to the low 16
    // bits of `port`, waiting as long as the platform takes. On failure shows the reason in a
    // message box and returns false; the failed socket stays until Close. On success the
    // socket's notifications go to `window`'s event queue.
    bool Connect(const std::string& address, int32_t port, QObject* window);

    // Hands the text up to its first NUL to the socket, which sends it whole. False when not
    // connected or the write is refused.
    bool Send(const std::string& text);

    // Closes and drops the socket; its notifications still queued are dropped when they come.
    void Close();

    // At most `capacity` bytes from the socket: the count, 0 at the end of the stream (the
    // socket is closed and nothing is left to read), -1 on an error. Asks for one more read
    // notification when bytes remain.
    int64_t Read(char* buffer, int32_t capacity);

    // Posts a read notification unless one is already on its way.
    void PostReadNotification();

    // Whether a posted notification should reach the receive path: it belongs to the current
    // socket, and a read notification finds something to read (or the end of the stream).
    bool Accept(const SocketNotifyEvent& notification);

    uint64_t connection() const { return connection_; }
    bool connected() const;

private:
    void WatchSocket();
    void Post(int event, int errorCode);
    void PostLoss(int errorCode);

    QPointer<QTcpSocket> socket_;
    QPointer<QObject> window_;
    uint64_t connection_ = 0;
    bool readPending_ = false;
    bool lossPosted_ = false;
    bool closeAfterData_ = false;  // the peer closed; bytes remain to be read first
};
