// One console's connection: reads its requests, numbers and writes the messages sent to it,
// and plays the fault options.
//
// Road of a request: readyRead -> JsonReader::Feed -> the reader's handler -> host.OnRequest
// with the message tree. A connection whose bytes are not valid JSON is closed.
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "json/json_reader.h"
#include "keva-sim/sim_options.h"

class Session;

class SessionHost {
public:
    virtual ~SessionHost() = default;
    virtual void OnRequest(Session& session, const JsonNode* root) = 0;
    // Called from the event loop, never from inside a Send or a Close.
    virtual void OnSessionEnded(Session& session) = 0;
    virtual void Log(const std::string& text) = 0;
};

class Session : public QObject {
    Q_OBJECT

public:
    // Takes the socket as a child; `parent` owns the session.
    Session(QTcpSocket* socket, int id, const SimOptions& options, SessionHost& host,
            QObject* parent);

    // Plays the faults that come before any message (--close-after 0, --bad-byte-after 0).
    void Start();

    // Numbers the message with this connection's next sequence number and writes it. Nothing
    // is written once the connection is closing.
    void Send(std::string_view message, const std::string& parameters);

    // Closes after writing what is buffered. Takes effect from the event loop.
    void Close();

    int Id() const { return id_; }
    bool Greeted() const { return greeted_; }
    void SetRadios(std::vector<int32_t> radios);  // the radios of its "Hello"; marks it greeted
    bool Serves(int32_t radio) const;
    const std::vector<int32_t>& Radios() const { return radios_; }

private:
    void OnReadyRead();
    void OnDisconnected();
    void Write(std::string_view bytes);
    void AfterMessages();

    QTcpSocket* socket_;
    int id_;
    const SimOptions& options_;
    SessionHost& host_;
    // What the JSON reader reports about a console's bytes belongs in the log, if anywhere.
    Reporter reporter_;
    JsonReader reader_;
    bool readerFailed_ = false;
    bool closing_ = false;
    bool ended_ = false;
    bool greeted_ = false;
    std::vector<int32_t> radios_;
    int64_t sequence_ = 0;
    int64_t messagesSent_ = 0;
};
