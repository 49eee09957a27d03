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

#include "support/report_recorder.h"

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

std::string Doc(const std::string& name) {
    return R"({"Message":")" + name + R"("})";
}

class ReceivePathTest : public testing::Test {
protected:
    // Logs "doc: <Message>" and runs the nested action registered for that name, if any.
    void Handle(const JsonNode* root) {
        const std::string text = ReadText(root->firstChild.get()).value_or("?");  // "Message"
        log.push_back("doc: " + text);
        if (auto it = onDocument.find(text); it != onDocument.end()) {
            it->second();
        }
    }

    void Read(std::optional<std::string> bytes) {
        host.script.push_back(std::move(bytes));
        path.OnSocketNotify(ReceivePath::FdRead, 0);
    }

    std::vector<std::string> log;
    ReportRecorder recorder{&log, "report: "};
    FakeHost host{log};
    std::map<std::string, std::function<void()>> onDocument;
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
        EXPECT_TRUE(path.receiveBusy());
        EXPECT_EQ(path.queuedChunks(), 2u);
        log.push_back("box closed");
    };
    Read(Doc("A") + Doc("B"));
    EXPECT_EQ(log, (Log{"doc: A", "box closed", "doc: B", "doc: C", "doc: D"}));
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

// What follows a failure found while reading was paused: a box of the first message reads the
// failing chunk, then blanks up to the queue's limit, then gets one notification that must not
// read. Later bytes of the same connection, then a reconnection and its first message, follow.
struct AfterFailureRow {
    const char* name;
    std::optional<std::string> failing;  // none: the read fails
    bool reconnectInBox;
    bool readLater;  // a message on the same connection after the drain
    Log expected;
    int postedReads;  // reading resumes only after a drain that ended well
};

const AfterFailureRow kAfterFailureRows[] = {
    {"no_failure_resumes_reading",
     Doc("B"),
     false,
     true,
     {"doc: A", "doc: B", "doc: D", "doc: N"},
     1},
    {"bad_message_drops_the_rest_of_its_connection",
     R"({"Message" "B"})",
     false,
     true,
     {"doc: A", "report: JSON: Found start of object when expecting separator at line 1     ",
      "box: Got bad message from server", "reconnect", "doc: N"},
     0},
    {"end_of_stream", "", false, false, {"doc: A", "reconnect", "doc: N"}, 0},
    {"read_error",
     std::nullopt,
     false,
     false,
     {"doc: A", "box: Unable to receive data from server", "reconnect", "doc: N"},
     0},
    {"reconnection_in_the_box_forgets_the_pause",
     Doc("B"),
     true,
     true,
     {"doc: A", "doc: D", "doc: N"},
     0},
};

void PrintTo(const AfterFailureRow& row, std::ostream* out) {
    *out << row.name;
}

class AfterFailureTest : public ReceivePathTest,
                         public testing::WithParamInterface<AfterFailureRow> {};

TEST_P(AfterFailureTest, NothingMoreOfTheConnectionIsFedAndReadingStaysPaused) {
    {
        const AfterFailureRow& row = GetParam();
        onDocument["A"] = [&] {
            Read(row.failing);
            const std::size_t fitting = ReceivePath::MaxQueuedBytes / kChunkSize;
            for (std::size_t i = 1; i < fitting; ++i) {
                Read(" ");
            }
            path.OnSocketNotify(ReceivePath::FdRead, 0);  // paused: nothing is read
            if (row.reconnectInBox) {
                path.DiscardReader();
            }
        };
        Read(Doc("A"));
        EXPECT_FALSE(path.receiveBusy());
        EXPECT_EQ(path.queuedChunks(), 0u);
        if (row.readLater) {
            Read(Doc("D"));
        }
        path.DiscardReader();
        Read(Doc("N"));
        EXPECT_EQ(log, row.expected);
        EXPECT_EQ(host.postedReads, row.postedReads);
        EXPECT_TRUE(host.script.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AfterFailureTest, testing::ValuesIn(kAfterFailureRows),
                         [](const testing::TestParamInfo<AfterFailureRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
