// The receive path: socket notifications in, chunks of at most 4096 bytes queued in arrival
// order, fed to the connection's JsonReader one after another, never by a nested call.
//
// Message boxes shown while a chunk is fed run nested event loops in which more notifications
// arrive: those only read and queue, and the outer call feeds their chunks afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "json/json_reader.h"

struct ReceiveChunk {
    std::array<char, 4096> data;
    int32_t length = 0;       // 0: end of stream or a failed read
    uint64_t connection = 0;  // the connection the bytes came from
};

// What the receive path needs of the platform and of the console.
class ReceiveHost {
public:
    virtual ~ReceiveHost() = default;
    // Reads at most `capacity` bytes from the socket: the count, 0 at the end of the stream,
    // -1 on an error.
    virtual int64_t ReadSocket(char* buffer, int32_t capacity) = 0;
    // Bytes remain unread in the socket: deliver one more read notification later.
    virtual void PostReadNotification() = 0;
    virtual void ShowError(const std::string& text) = 0;  // modal box, OK button
    virtual void RequestReconnect() = 0;
};

class ReceivePath {
public:
    // Network events of a notification.
    static constexpr int FdRead = 1;
    static constexpr int FdClose = 32;
    // While a feed waits in a nested loop, reading pauses once this much is queued.
    static constexpr std::size_t MaxQueuedBytes = 1u << 20;

    // The reader's complaints go to `reporter`; host and reporter outlive the path.
    ReceivePath(ReceiveHost& host, DocumentHandler handler, const Reporter& reporter);
    ~ReceivePath();

    // One socket notification: an error code, a close or a read.
    void OnSocketNotify(int event, int errorCode);

    // A new connection begins: the reader and everything read from the old connection are
    // dropped. Safe inside a feed: the reader being fed lives until that feed returns.
    void DiscardReader();

    bool receiveBusy() const;
    std::size_t queuedChunks() const;
    bool hasReader() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
