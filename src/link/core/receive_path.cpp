#include "link/core/receive_path.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr int32_t kChunkCapacity =
    static_cast<int32_t>(std::tuple_size_v<decltype(ReceiveChunk::data)>);

}  // namespace

// Connections are numbered: DiscardReader starts a new one, and every chunk carries the number
// of the connection it was read from, so nothing read before a reconnection reaches the reader
// of the next connection, and no report about an old connection ends the new one.
struct ReceivePath::Impl {
    Impl(ReceiveHost& h, DocumentHandler d, const Reporter& r)
        : host(h), handler(std::move(d)), reporter(r) {}

    void OnError();
    void OnClose();
    void OnRead();
    std::unique_ptr<ReceiveChunk> ReadChunk();
    void Drain();
    bool FeedChunk(const ReceiveChunk& chunk);
    void DropQueue();
    void EndDrain(bool resumeReading);
    void Discard();

    ReceiveHost& host;
    DocumentHandler handler;
    const Reporter& reporter;

    uint64_t connection = 0;
    std::unique_ptr<JsonReader> reader;
    // The reader of a connection replaced while it was being fed: it lives until its Feed
    // returns.
    std::unique_ptr<JsonReader> retiredReader;
    const JsonReader* feeding = nullptr;
    // The reader reported an error: the rest of this connection's bytes are read and dropped.
    bool connectionFailed = false;
    // The connection whose error box is open: nothing more of it is handled until the box
    // closes and asks for the one reconnection.
    std::optional<uint64_t> errorShown;

    bool busy = false;
    std::deque<std::unique_ptr<ReceiveChunk>> queue;
    std::size_t queuedBytes = 0;  // whole chunks, whatever their length
    // A read was skipped because the queue was full; reading resumes when the drain ends.
    bool readPaused = false;
};

void ReceivePath::Impl::OnError() {
    const uint64_t failed = connection;
    errorShown = failed;
    host.ShowError("Server communications error");
    errorShown.reset();
    if (connection == failed) {
        host.RequestReconnect();
    }
}

// Chunks read before the close and still waiting for an outer drain are fed first: the close
// queues as the end of the stream behind them.
void ReceivePath::Impl::OnClose() {
    if (!busy) {
        host.RequestReconnect();
        return;
    }
    auto end = std::make_unique<ReceiveChunk>();
    end->connection = connection;
    queuedBytes += end->data.size();
    queue.push_back(std::move(end));
}

void ReceivePath::Impl::OnRead() {
    if (busy && queuedBytes >= MaxQueuedBytes) {
        readPaused = true;
        return;
    }
    std::unique_ptr<ReceiveChunk> chunk = ReadChunk();
    if (chunk->connection == connection && connectionFailed && chunk->length > 0) {
        return;
    }
    queuedBytes += chunk->data.size();
    queue.push_back(std::move(chunk));
    if (busy) {
        return;  // the outer call feeds it in its turn
    }
    Drain();
}

std::unique_ptr<ReceiveChunk> ReceivePath::Impl::ReadChunk() {
    auto chunk = std::make_unique<ReceiveChunk>();
    chunk->connection = connection;
    const int64_t count = host.ReadSocket(chunk->data.data(), kChunkCapacity);
    if (count < 0) {
        host.ShowError("Unable to receive data from server");
        chunk->length = 0;
    } else {
        chunk->length = static_cast<int32_t>(std::min<int64_t>(count, kChunkCapacity));
    }
    return chunk;
}

void ReceivePath::Impl::Drain() {
    busy = true;
    while (!queue.empty()) {
        const std::unique_ptr<ReceiveChunk> chunk = std::move(queue.front());
        queue.pop_front();
        queuedBytes -= chunk->data.size();
        if (chunk->connection != connection) {
            continue;
        }
        if (chunk->length == 0) {
            DropQueue();
            EndDrain(false);
            host.RequestReconnect();
            return;
        }
        if (!FeedChunk(*chunk)) {
            return;
        }
    }
    EndDrain(true);
}

// Returns false when the drain has ended.
bool ReceivePath::Impl::FeedChunk(const ReceiveChunk& chunk) {
    const uint64_t fed = connection;
    if (reader == nullptr) {
        // Documents that a reader completes after its connection was replaced are dropped.
        reader = std::make_unique<JsonReader>(
            [this, fed](const JsonNode* root) {
                if (connection == fed && handler) {
                    handler(root);
                }
            },
            reporter);
    }
    feeding = reader.get();
    const JsonStatus status =
        reader->Feed(chunk.data.data(), static_cast<std::size_t>(chunk.length));
    feeding = nullptr;
    retiredReader.reset();
    if (connection != fed || status == JsonStatus::NeedMore) {
        return true;
    }
    connectionFailed = true;
    host.ShowError("Got bad message from server");
    if (connection != fed) {
        return true;  // replaced meanwhile: the queue now holds the new connection's bytes
    }
    DropQueue();
    EndDrain(false);
    host.RequestReconnect();
    return false;
}

void ReceivePath::Impl::DropQueue() {
    queue.clear();
    queuedBytes = 0;
}

// After the end of the stream or a bad message nothing more of the connection is wanted, so a
// paused read is not resumed.
void ReceivePath::Impl::EndDrain(bool resumeReading) {
    busy = false;
    if (std::exchange(readPaused, false) && resumeReading) {
        host.PostReadNotification();
    }
}

void ReceivePath::Impl::Discard() {
    ++connection;
    if (reader != nullptr && reader.get() == feeding) {
        retiredReader = std::move(reader);
    }
    reader.reset();
    connectionFailed = false;
    readPaused = false;
    DropQueue();
}

ReceivePath::ReceivePath(ReceiveHost& host, DocumentHandler handler, const Reporter& reporter)
    : impl_(std::make_unique<Impl>(host, std::move(handler), reporter)) {}

ReceivePath::~ReceivePath() = default;

void ReceivePath::OnSocketNotify(int event, int errorCode) {
    if (impl_->errorShown == impl_->connection) {
        return;
    }
    if (errorCode != 0) {
        impl_->OnError();
    } else if (event == FdClose) {
        impl_->OnClose();
    } else if (event == FdRead) {
        impl_->OnRead();
    }
}

void ReceivePath::DiscardReader() {
    impl_->Discard();
}

bool ReceivePath::receiveBusy() const {
    return impl_->busy;
}

std::size_t ReceivePath::queuedChunks() const {
    return impl_->queue.size();
}

bool ReceivePath::hasReader() const {
    return impl_->reader != nullptr;
}
