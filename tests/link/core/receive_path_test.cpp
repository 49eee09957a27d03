#include "link/core/receive_path.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/report_recorder.h"

namespace {

using Steps = std::vector<std::string>;

// Steps: "r<bytes>" a read notification whose read returns the bytes (none: end of stream),
// "m<names>" one that reads a message of each name,
// "x" one whose read fails, "p" one that must not read, "e" one with an error code, "c" a
// close, "o" an event not registered, "d" a reconnection, "f" blank chunks up to the queue's
// limit, "?" logs the reads so far, busy, queued chunks and a reader as "r2 b1 q0 h1".
// Documents log their Message, boxes "box: <text>".
struct Row {
    const char* name;
    friend void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }
    Steps steps;
    std::map<std::string, Steps> during;  // run once, inside the logged document or box
    std::vector<std::string> log;
    int postedReads = 0;
};

const std::string kBadRead = R"(r{"Message" "B"})";
const std::string kBadBox = "box: Got bad message from server";
const std::string kBadReport = "report: JSON: Found start of object when expecting separator";

class ReceivePathTest : public testing::TestWithParam<Row>, public ReceiveHost {
protected:
    int64_t ReadSocket(char* buffer, int32_t) override {
        // Past the script a read finds the stream closed; the row then fails on the count.
        const auto next = reads < script.size() ? script[reads] : std::optional<std::string>("");
        ++reads;
        if (next) {
            std::memcpy(buffer, next->data(), next->size());
        }
        return next ? static_cast<int64_t>(next->size()) : -1;
    }
    void PostReadNotification() override { ++posted; }
    void ShowError(const std::string& text) override { Log("box: " + text); }
    void RequestReconnect() override { log.push_back("reconnect"); }

    void Log(const std::string& entry) {
        log.push_back(entry);
        if (auto it = during.find(entry); it != during.end()) {
            const Steps steps = std::move(it->second);
            during.erase(it);
            Run(steps);
        }
    }

    void Run(const Steps& steps) {
        for (const std::string& step : steps) {
            const char kind = step[0];
            std::string bytes = kind == 'm' ? "" : step.substr(1);
            for (std::size_t i = 1; kind == 'm' && i < step.size(); ++i) {
                bytes += R"({"Message":")" + step.substr(i, 1) + R"("})";
            }
            if (kind == 'r' || kind == 'm' || kind == 'x') {
                script.push_back(kind == 'x' ? std::nullopt : std::optional(bytes));
            }
            if (kind == 'f') {
                Run(Steps(ReceivePath::MaxQueuedBytes / 4096 - 1, "r "));
            } else if (kind == 'd') {
                path.DiscardReader();
            } else if (kind == '?') {
                log.push_back(
                    "r" + std::to_string(reads) + " b" + std::to_string(path.receiveBusy()) + " q" +
                    std::to_string(path.queuedChunks()) + " h" + std::to_string(path.hasReader()));
            } else {
                path.OnSocketNotify(kind == 'c'   ? ReceivePath::FdClose
                                    : kind == 'o' ? 8
                                                  : ReceivePath::FdRead,
                                    kind == 'e' ? 10054 : 0);
            }
        }
    }

    std::vector<std::string> log;
    std::map<std::string, Steps> during = GetParam().during;
    std::vector<std::optional<std::string>> script;  // the reads, in order
    std::size_t reads = 0;
    int posted = 0;
    ReportRecorder recorder{&log, "report: "};
    ReceivePath path{
        *this,
        [this](const JsonNode* root) { Log(ReadText(root->firstChild.get()).value_or("?")); },
        recorder};
};

TEST_P(ReceivePathTest, FeedsReportsAndReconnectsInOrder) {
    Run(GetParam().steps);
    EXPECT_EQ(log, GetParam().log);
    EXPECT_EQ(posted, GetParam().postedReads);
    EXPECT_EQ(reads, script.size());
}

const std::string kIdle = "r257 b0 q0 h1";

// clang-format off
const Row kRows[] = {
    {"framed_whatever_the_reads_carry", {"?", "r{\"Message\":\"A\"}\r\n{\"Message\":\"B\"}", "?", R"(r{"Mess)", R"(rage" : "C)", R"(r"})"},
        {}, {"r0 b0 q0 h0", "A", "B", "r1 b0 q0 h1", "C"}},
    {"a_close_during_a_feed_waits_behind_what_was_read_in_order", {"mAB"}, {{"A", {"mC", "mD", "?", "c"}}}, {"A", "r3 b1 q2 h1", "B", "C", "D", "reconnect"}},
    {"nothing_of_a_connection_runs_under_its_error_box", {"e", "?"}, {{"box: Server communications error", {"c", "p", "e"}}},
        {"box: Server communications error", "reconnect", "r0 b0 q0 h0"}},
    {"end_of_stream_drops_the_queued_chunks", {"mAB", "?"}, {{"A", {"r", "mC"}}}, {"A", "B", "reconnect", "r3 b0 q0 h1"}},
    {"failed_read", {"x", "?"}, {}, {"box: Unable to receive data from server", "reconnect", "r1 b0 q0 h0"}},
    {"other_events_are_not_registered_a_close_is", {"o", "?", "c", "?"}, {}, {"r0 b0 q0 h0", "reconnect", "r0 b0 q0 h0"}},
    {"bytes_read_during_the_bad_message_box_are_dropped", {kBadRead, "?"}, {{kBadBox, {"mC"}}}, {kBadReport, kBadBox, "reconnect", "r2 b0 q0 h1"}},
    {"reconnection_in_a_handler_keeps_the_fed_reader_and_drops_old_bytes", {R"(r{"Message":"A"}{"Message":"B"}{"Mess)", "?", "mO"},
        {{"A", {R"(rage":"X"})", "d", "?", "mN"}}}, {"A", "r2 b1 q0 h0", "N", "r3 b0 q0 h1", "O"}},
    {"a_replaced_reader_that_fails_only_reports", {R"(r{"Message":"A"}{"Message" "B"})"}, {{"A", {"d"}}}, {"A", kBadReport + " at line 1     "}},
    {"reconnection_in_the_bad_message_box_keeps_the_new_bytes", {kBadRead}, {{kBadBox, {"d", "mN"}}}, {kBadReport, kBadBox, "N"}},
    {"reconnection_in_the_error_boxes_asks_no_more", {"e", "x"}, {{"box: Server communications error", {"d"}},
        {"box: Unable to receive data from server", {"d"}}}, {"box: Server communications error", "box: Unable to receive data from server"}},
    // After a failure found while reading was paused ("f" then "p" in A's box), nothing more of
    // the connection is fed; reading resumes only after a drain that ended well.
    {"after_no_failure_reading_resumes", {"mA", "?", "mD", "d", "mN"}, {{"A", {"mB", "f", "p"}}}, {"A", "B", kIdle, "D", "N"}, 1},
    {"after_a_bad_message_the_rest_of_its_connection_is_dropped", {"mA", "?", "mD", "d", "mN"}, {{"A", {kBadRead, "f", "p"}}},
        {"A", kBadReport + " at line 1     ", kBadBox, "reconnect", kIdle, "N"}},
    {"after_end_of_stream", {"mA", "?", "d", "mN"}, {{"A", {"r", "f", "p"}}}, {"A", "reconnect", kIdle, "N"}},
    {"after_a_read_error", {"mA", "?", "d", "mN"}, {{"A", {"x", "f", "p"}}}, {"A", "box: Unable to receive data from server", "reconnect", kIdle, "N"}},
    {"a_reconnection_in_the_box_forgets_the_pause", {"mA", "?", "mD", "d", "mN"}, {{"A", {"mB", "f", "p", "d"}}}, {"A", "r257 b0 q0 h0", "D", "N"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, ReceivePathTest, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
