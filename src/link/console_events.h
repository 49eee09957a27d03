// The console window's two private messages, posted to its own event queue.
//
// ConnectServerEvent asks for a new connection (handled by OnConnectServer).
// SocketNotifyEvent is one notification of the server socket: a read, a close or an error. It
// names the connection it belongs to, so that notifications of a socket that has since been
// closed are recognised and dropped.
#pragma once

#include <QEvent>
#include <cstdint>

inline const QEvent::Type ConnectServerEvent = static_cast<QEvent::Type>(QEvent::User + 1);
inline const QEvent::Type SocketNotifyEventType = static_cast<QEvent::Type>(QEvent::User + 2);

class SocketNotifyEvent : public QEvent {
public:
    SocketNotifyEvent(int event, int errorCode, uint64_t connection)
        : QEvent(SocketNotifyEventType),
          event_(event),
          errorCode_(errorCode),
          connection_(connection) {}

    int event() const { return event_; }          // ReceivePath::FdRead or FdClose
    int errorCode() const { return errorCode_; }  // non-zero: the socket reported an error
    uint64_t connection() const { return connection_; }

private:
    int event_;
    int errorCode_;
    uint64_t connection_;
};
