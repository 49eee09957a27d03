#include "link/core/receive_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "report_recorder.h"

namespace {

constexpr std::size_t kChunkSize = 4096;

// A scripted socket: every read returns the next scripted result (bytes, or none for an
// error). Boxes and reconnection requests are logged, and a box can run a nested "event loop".
class FakeHost : public ReceiveHost {
public:
    explicit FakeHost(std::vector<std::string>& log) : log_(log) {}

    int64_t ReadSocket(char* buffer, int32_t capacity) override {
        ++reads;
        if (script.empty()) {
            ADD_FAILURE() << "read with nothing scripted";
            return 0;
        }
        const std::optional<std::string> next = std::move(script.front());
        script.pop_front();
        if (!next) {
            return -1;
        }
        EXPECT_LE(next->size(), static_cast<std::size_t>(capacity));
        std::memcpy(buffer, next->data(), next->size());
        return static_cast<int64_t>(next->size());
    }
    void PostReadNotification() override { ++postedReads; }
    void ShowError(const std::string& text) override {
        log_.push_back("box: " + text);
        if (auto nested = std::exchange(duringNextBox, nullptr)) {
            nested();
        }
    }
    void RequestReconnect() override { log_.push_back("reconnect"); }

    std::deque<std::optional<std::string>> script;
    int reads = 0;
    int postedReads = 0;
    std::function<void()> duringNextBox;

private:
    std::vector<std::string>& log_;
};

const JsonNode* Member(const JsonNode* root, std::string_view name) {
    for (const JsonNode* m = root->firstChild.get(); m != nullptr; m = m->next.get()) {
        if (TextEquals(m, name)) {
            return ValueOf(m);
        }
    }
    return nullptr;
}

std::string Doc(const std::string& name) {
    return R"({"Message":")" + name + R"("})";
}

class ReceivePathTest : public testing::Test {
protected:
    // Logs "doc: <Message>" and runs the nested action registered for that name, if any.
    void Handle(const JsonNode* root) {
        const JsonNode* name = Member(root, "Message");
        const std::string text = name && name->text ? *name->text : "?";
        log.push_back("doc: " + text);
        if (const JsonNode* pad = Member(root, "Pad"); pad && pad->text) {
            padSeen = *pad->text;
        }
        if (auto it = onDocument.find(text); it != onDocument.end()) {
            it->second();
        }
    }

    void Read(std::optional<std::string> bytes) {
        host.script.push_back(std::move(bytes));
        path.OnSocketNotify(ReceivePath::FdRead, 0);
    }

    std::vector<std::string> log;
    ReportRecorder recorder{log, "report: "};
    FakeHost host{log};
    std::map<std::string, std::function<void()>> onDocument;
    std::string padSeen;
    ReceivePath path{host, [this](const JsonNode* root) { Handle(root); }};
};

using Log = std::vector<std::string>;

TEST_F(ReceivePathTest, MessagesAreFramedWhateverTheReadsCarry) {
    EXPECT_FALSE(path.hasReader());
    Read(Doc("A") + "\r\n" + Doc("B"));
    EXPECT_EQ(log, (Log{"doc: A", "doc: B"}));
    EXPECT_FALSE(path.receiveBusy());
    EXPECT_EQ(path.queuedChunks(), 0u);
    EXPECT_TRUE(path.hasReader());
    // One message over three reads is dispatched with its closing brace.
    Read(R"({"Mess)");
    Read(R"(age" : "C)");
    EXPECT_EQ(log.size(), 2u);
    Read(R"("})");
    EXPECT_EQ(log.back(), "doc: C");
}

TEST_F(ReceivePathTest, NotificationsDuringDispatchAreFedAfterTheCurrentFeedInOrder) {
    onDocument["A"] = [this] {
        // A message box is open: its loop delivers two more notifications.
        Read(Doc("C"));
        Read(Doc("D"));
        path.OnSocketNotify(ReceivePath::FdClose, 0);  // waits behind what was read before it
        EXPECT_TRUE(path.receiveBusy());
        EXPECT_EQ(path.queuedChunks(), 3u);
        log.push_back("box closed");
    };
    Read(Doc("A") + Doc("B"));
    EXPECT_EQ(log, (Log{"doc: A", "box closed", "doc: B", "doc: C", "doc: D", "reconnect"}));
    EXPECT_EQ(host.reads, 3);
    EXPECT_FALSE(path.receiveBusy());
}

TEST_F(ReceivePathTest, EndOfStreamDropsTheQueuedChunks) {
    onDocument["A"] = [this] {
        Read(std::string());  // the peer closed
        Read(Doc("C"));
    };
    Read(Doc("A") + Doc("B"));
    EXPECT_EQ(log, (Log{"doc: A", "doc: B", "reconnect"}));
    EXPECT_EQ(path.queuedChunks(), 0u);
    EXPECT_FALSE(path.receiveBusy());
}

struct NotifyRow {
    const char* behaviour;
    int event;
    int errorCode;
    std::optional<std::optional<std::string>> read;  // a scripted read, when one is expected
    Log expected;
};

TEST_F(ReceivePathTest, ErrorsAndClosureAskForReconnection) {
    const NotifyRow rows[] = {
        {"error code: box, nothing read",
         ReceivePath::FdRead,
         10054,
         std::nullopt,
         {"box: Server communications error", "reconnect"}},
        {"close", ReceivePath::FdClose, 0, std::nullopt, {"reconnect"}},
        {"failed read",
         ReceivePath::FdRead,
         0,
         std::optional<std::string>(),
         {"box: Unable to receive data from server", "reconnect"}},
        {"empty read", ReceivePath::FdRead, 0, std::optional<std::string>(""), {"reconnect"}},
        {"other events are not registered", 8, 0, std::nullopt, {}},
    };
    for (const NotifyRow& row : rows) {
        log.clear();
        host.reads = 0;
        if (row.read) {
            host.script.push_back(*row.read);
        }
        path.OnSocketNotify(row.event, row.errorCode);
        EXPECT_EQ(log, row.expected) << row.behaviour;
        EXPECT_EQ(host.reads, row.read ? 1 : 0) << row.behaviour;
    }
}

TEST_F(ReceivePathTest, NothingOfAConnectionRunsUnderItsErrorBox) {
    host.duringNextBox = [this] {
        path.OnSocketNotify(ReceivePath::FdClose, 0);  // Qt's close after its error
        path.OnSocketNotify(ReceivePath::FdRead, 0);
        path.OnSocketNotify(ReceivePath::FdRead, 10054);
    };
    path.OnSocketNotify(ReceivePath::FdRead, 10060);
    EXPECT_EQ(log, (Log{"box: Server communications error", "reconnect"}));
    EXPECT_EQ(host.reads, 0);
}

TEST_F(ReceivePathTest, BadMessageReportsOnceAndDropsWhatFollows) {
    onDocument["A"] = [this] { Read(Doc("C")); };
    Read(Doc("A") + R"({"Message" "B"})");
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "doc: A");
    EXPECT_EQ(log[1].rfind("report: JSON: ", 0), 0u) << log[1];
    EXPECT_EQ(log[2], "box: Got bad message from server");
    EXPECT_EQ(log[3], "reconnect");
    EXPECT_EQ(path.queuedChunks(), 0u);
    EXPECT_FALSE(path.receiveBusy());

    // Later bytes of the failed connection are read and dropped; the failed reader stays
    // until the reconnection discards it.
    log.clear();
    Read(Doc("D"));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(path.queuedChunks(), 0u);
    EXPECT_TRUE(path.hasReader());

    path.DiscardReader();
    EXPECT_FALSE(path.hasReader());
    Read(Doc("E"));
    EXPECT_EQ(log, Log{"doc: E"});
}

TEST_F(ReceivePathTest, BytesReadDuringTheBadMessageBoxAreDropped) {
    host.duringNextBox = [this] { Read(Doc("C")); };
    Read(R"({"Message" "B"})");
    EXPECT_EQ(log.back(), "reconnect");
    EXPECT_EQ(std::count(log.begin(), log.end(), "reconnect"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "doc: C"), 0);
    EXPECT_EQ(host.reads, 2);
}

TEST_F(ReceivePathTest, ReconnectionInsideAHandlerKeepsTheFedReaderAliveAndDropsOldBytes) {
    onDocument["A"] = [this] {
        Read(R"(age":"X"})");  // the rest of the old connection's partial message
        path.DiscardReader();  // a reconnection runs in the box's loop
        EXPECT_FALSE(path.hasReader());
        EXPECT_EQ(path.queuedChunks(), 0u);
        Read(Doc("N"));  // the new connection's first message
    };
    // B completes after the discard: it belongs to the old connection and is not dispatched.
    Read(Doc("A") + Doc("B") + R"({"Mess)");
    EXPECT_EQ(log, (Log{"doc: A", "doc: N"}));
    EXPECT_TRUE(path.hasReader());
    EXPECT_FALSE(path.receiveBusy());
    Read(Doc("O"));
    EXPECT_EQ(log.back(), "doc: O");
}

TEST_F(ReceivePathTest, FailuresOfAReplacedConnectionDoNotEndTheNewOne) {
    // The old reader fails after the discard: its own report only.
    onDocument["A"] = [this] { path.DiscardReader(); };
    Read(Doc("A") + R"({"Message" "B"})");
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].rfind("report: JSON: ", 0), 0u) << log[1];

    // A reconnection inside the bad-message box: the new connection's bytes are kept.
    path.DiscardReader();
    log.clear();
    host.duringNextBox = [this] {
        path.DiscardReader();
        Read(Doc("N"));
    };
    Read(R"({"Message" "B"})");
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], "box: Got bad message from server");
    EXPECT_EQ(log[2], "doc: N");

    // A reconnection inside the error boxes: no second request.
    log.clear();
    host.duringNextBox = [this] { path.DiscardReader(); };
    path.OnSocketNotify(ReceivePath::FdRead, 10053);
    host.duringNextBox = [this] { path.DiscardReader(); };
    Read(std::nullopt);
    EXPECT_EQ(log,
              (Log{"box: Server communications error", "box: Unable to receive data from server"}));
}

TEST_F(ReceivePathTest, ReadingPausesWhileAMegabyteWaitsAndResumesAfterTheDrain) {
    // One message larger than the limit, read while the first message's box is open.
    const std::size_t padLength = ReceivePath::MaxQueuedBytes + 40000;
    std::string pad;
    for (std::size_t i = 0; i < padLength; ++i) {
        pad += static_cast<char>('a' + (i / 1000) % 26);
    }
    const std::string stream = R"({"Message":"Big","Pad":")" + pad + R"("})";
    for (std::size_t at = 0; at < stream.size(); at += kChunkSize) {
        host.script.push_back(stream.substr(at, kChunkSize));
    }
    const std::size_t totalReads = host.script.size();
    const std::size_t fitting = ReceivePath::MaxQueuedBytes / kChunkSize;
    ASSERT_GT(totalReads, fitting + 1);

    onDocument["A"] = [&] {
        for (std::size_t i = 0; i < totalReads; ++i) {
            path.OnSocketNotify(ReceivePath::FdRead, 0);
        }
        EXPECT_EQ(path.queuedChunks(), fitting);
        EXPECT_EQ(host.script.size(), totalReads - fitting) << "the rest stays in the socket";
        EXPECT_EQ(host.postedReads, 0);
    };
    host.script.push_front(Doc("A"));
    path.OnSocketNotify(ReceivePath::FdRead, 0);
    EXPECT_EQ(log, Log{"doc: A"});
    EXPECT_EQ(host.postedReads, 1) << "one notification resumes reading";

    // The host delivers notifications while bytes remain.
    while (!host.script.empty()) {
        path.OnSocketNotify(ReceivePath::FdRead, 0);
    }
    EXPECT_EQ(log, (Log{"doc: A", "doc: Big"}));
    EXPECT_EQ(padSeen, pad) << "nothing lost or reordered";
    EXPECT_EQ(host.postedReads, 1);
}

}  // namespace
