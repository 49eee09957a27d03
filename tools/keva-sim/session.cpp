#include "keva-sim/session.h"

#include <algorithm>
#include <utility>

#include "keva-sim/message_writer.h"

Session::Session(QTcpSocket* socket, int id, const SimOptions& options, SessionHost& host,
                 QObject* parent)
    : QObject(parent),
      socket_(socket),
      id_(id),
      options_(options),
      host_(host),
      reporter_([this](const std::string& text) { host_.Log(text); }),
      reader_([this](const JsonNode* root) { host_.OnRequest(*this, root); }, reporter_) {
    socket_->setParent(this);
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket_, &QTcpSocket::readyRead, this, &Session::OnReadyRead);
    connect(socket_, &QTcpSocket::disconnected, this, &Session::OnDisconnected);
}

void Session::Start() {
    AfterMessages();
}

void Session::SetRadios(std::vector<int32_t> radios) {
    radios_ = std::move(radios);
    greeted_ = true;
}

bool Session::Serves(int32_t radio) const {
    return std::find(radios_.begin(), radios_.end(), radio) != radios_.end();
}

void Session::Send(std::string_view message, const std::string& parameters) {
    if (closing_) {
        return;
    }
    Write(EnvelopeText(message, ++sequence_, parameters));
    ++messagesSent_;
    AfterMessages();
}

void Session::Write(std::string_view bytes) {
    if (options_.chunkBytes <= 0) {
        socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        return;
    }
    const std::size_t piece = static_cast<std::size_t>(options_.chunkBytes);
    for (std::size_t at = 0; at < bytes.size() && !closing_; at += piece) {
        const std::size_t length = std::min(piece, bytes.size() - at);
        socket_->write(bytes.data() + at, static_cast<qint64>(length));
        socket_->flush();
    }
}

void Session::AfterMessages() {
    if (closing_) {
        return;
    }
    if (options_.badByteAfter && *options_.badByteAfter == messagesSent_) {
        host_.Log("connection " + std::to_string(id_) + ": sending a bad byte");
        Write("\x01");
    }
    if (options_.closeAfter && *options_.closeAfter == messagesSent_) {
        host_.Log("connection " + std::to_string(id_) + ": closing after " +
                  std::to_string(messagesSent_) + " messages");
        Close();
    }
}

void Session::Close() {
    if (closing_) {
        return;
    }
    closing_ = true;
    // Deferred, so that a close never runs inside a caller that is walking the sessions.
    QMetaObject::invokeMethod(
        this, [this] { socket_->disconnectFromHost(); }, Qt::QueuedConnection);
}

void Session::OnReadyRead() {
    const QByteArray bytes = socket_->readAll();
    if (readerFailed_ || closing_) {
        return;
    }
    const JsonStatus status =
        reader_.Feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (status != JsonStatus::NeedMore) {
        readerFailed_ = true;
        host_.Log("connection " + std::to_string(id_) + ": broken JSON (" + JsonStatusName(status) +
                  "), closing it");
        Close();
    }
}

void Session::OnDisconnected() {
    closing_ = true;
    if (ended_) {
        return;
    }
    ended_ = true;
    QMetaObject::invokeMethod(
        this, [this] { host_.OnSessionEnded(*this); }, Qt::QueuedConnection);
}
