// How far the reader and the tree go: any depth or width on a small stack, and the size cap
// that keeps one document from taking all memory.
#include <gtest/gtest.h>
#include <pthread.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "json/json_reader.h"
#include "json/tree_text.h"
#include "support/report_recorder.h"

namespace {

// Runs `work` on a thread with a 256 KiB stack, so that anything that recursed with the depth
// of a tree crashes instead of passing on the main thread's 8 MiB. Record in `work`, check after.
void RunOnSmallStack(const std::function<void()>& work) {
    pthread_attr_t attributes;
    pthread_t thread;
    auto run = [](void* w) -> void* {
        return (*static_cast<std::function<void()>*>(w))(), nullptr;
    };
    if (pthread_attr_init(&attributes) != 0 ||
        pthread_attr_setstacksize(&attributes, 256 * 1024) != 0 ||
        pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)) != 0) {
        std::abort();
    }
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

constexpr std::size_t kMax = JsonReader::MaxDocumentBytes;

std::string MemberWithString(std::size_t length) {
    return R"({"a":")" + std::string(length, 's') + R"("})";
}

struct LimitRow {
    const char* name;
    std::size_t chunk;  // 0: the whole input in one Feed
    bool handler;       // without one the document is held until the reader goes
    JsonStatus status;
    const char* report;                      // none: no report
    std::vector<std::size_t> documentSizes;  // TreeText size of each document handed over
    std::function<std::string()> input;      // made when the row runs: some are about 16 MiB
};

// Each row runs on a small stack: deep trees are read, written and freed without recursion.
TEST(ReaderLimits, ReadsAnyDepthAndRefusesPastTheSizeCap) {
    const JsonStatus kOut = JsonStatus::OutOfMemory, kMore = JsonStatus::NeedMore;
    const char* const kOutText = "JSON: Out of memory";
    // clang-format off
    const LimitRow rows[] = {
        {"deep_arrays_whole", 0, true, kMore, nullptr, {200006}, [] { return R"({"a":)" + std::string(100000, '[') + std::string(100000, ']') + "}"; }},
        {"line_number_of_a_million", 4096, true, JsonStatus::SyntaxError, "JSON: Unexpected character 'x' in object at line 1000000", {7}, [] { return R"({"a":1})" + std::string(999999, '\n') + "x"; }},
        {"string_past_the_cap_in_chunks", 4096, true, kOut, kOutText, {}, [] { return MemberWithString(kMax); }},
        {"string_past_the_cap_whole", 0, true, kOut, kOutText, {}, [] { return MemberWithString(kMax); }},
        {"number_past_the_cap", 1 << 20, true, kOut, kOutText, {}, [] { return R"({"a":)" + std::string(kMax + 1, '7'); }},
        {"string_past_the_cap_before_a_document", 1 << 20, true, kOut, kOutText, {}, [] { return "\"" + std::string(kMax + 1, 's'); }},
        // Each node counts with its own size, so a short text of many nodes reaches the cap too.
        {"too_many_nodes_with_the_line_suffix", 4096, true, kOut, "JSON: Out of memory at line 2     ", {7}, [] { return "{\"x\":1}\n{\"a\":" + std::string(kMax / sizeof(JsonNode) + 1, '['); }},
        {"document_under_the_cap", 65536, true, kMore, nullptr, {kMax - 4096 + 8}, [] { return MemberWithString(kMax - 4096); }},
        {"each_document_counts_on_its_own", 65536, true, kMore, nullptr, {kMax / 2 + 1024 + 8, kMax / 2 + 1024 + 8}, [] { return MemberWithString(kMax / 2 + 1024) + MemberWithString(kMax / 2 + 1024); }},
        // Blanks take no memory: a document with more than the cap of them is still read.
        {"blanks_inside_a_document_are_free", 1 << 20, true, kMore, nullptr, {7}, [] { return "{" + std::string(kMax + 1, ' ') + R"("a":1})"; }},
    };
    // clang-format on
    for (const LimitRow& row : rows) {
        SCOPED_TRACE(row.name);
        ReportRecorder reports;
        std::vector<std::size_t> documentSizes;
        JsonStatus status = JsonStatus::NeedMore;
        RunOnSmallStack([&] {
            JsonReader reader(row.handler ? DocumentHandler([&](const JsonNode* root) {
                                  documentSizes.push_back(TreeText(root).size());
                              })
                                          : DocumentHandler(),
                              reports);
            const std::string input = row.input();
            const std::size_t chunk = row.chunk ? row.chunk : input.size();
            for (std::size_t at = 0; at < input.size() && status == kMore; at += chunk) {
                status = reader.Feed(input.data() + at, std::min(chunk, input.size() - at));
            }
        });
        EXPECT_EQ(status, row.status);
        EXPECT_EQ(reports.texts,
                  row.report ? std::vector<std::string>{row.report} : std::vector<std::string>{});
        EXPECT_EQ(documentSizes, row.documentSizes);
    }
}

}  // namespace
