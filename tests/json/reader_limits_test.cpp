// How far the reader goes: nesting of any depth on a small stack, and the size cap that keeps
// one document from taking all memory.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "json/json_reader.h"
#include "json/tree_text.h"
#include "small_stack.h"
#include "support/report_recorder.h"

namespace {

std::string DeepArrays(int depth) {
    return R"({"a":)" + std::string(depth, '[') + std::string(depth, ']') + "}";
}

std::string DeepObjects(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += R"({"a":)";
    }
    text += "1";
    text.append(depth, '}');
    return text;
}

// Feeds `input` in chunks of `chunk` bytes until the reader answers other than NeedMore.
JsonStatus FeedInChunks(JsonReader& reader, const std::string& input, std::size_t chunk) {
    JsonStatus status = JsonStatus::NeedMore;
    for (std::size_t at = 0; at < input.size() && status == JsonStatus::NeedMore; at += chunk) {
        status = reader.Feed(input.data() + at, std::min(chunk, input.size() - at));
    }
    return status;
}

TEST(ReaderNesting, ReadsWritesAndFreesDeepTreesOnASmallStack) {
    const std::string arrays = DeepArrays(100000);
    const std::string objects = DeepObjects(30000);
    std::vector<JsonStatus> statuses;  // arrays whole, objects in chunks of 7, held, partial
    std::vector<std::string> written;
    RunOnSmallStack([&] {
        {
            JsonReader reader([&](const JsonNode* root) { written.push_back(TreeText(root)); });
            statuses.push_back(reader.Feed(arrays.data(), arrays.size()));
            statuses.push_back(FeedInChunks(reader, objects, 7));
        }
        {
            JsonReader reader;  // no handler: the document stays until the reader goes
            statuses.push_back(reader.Feed(arrays.data(), arrays.size()));
        }
        JsonReader reader([](const JsonNode*) {});
        statuses.push_back(reader.Feed(arrays.data(), arrays.size() / 2 + 3));
    });
    EXPECT_EQ(statuses, (std::vector<JsonStatus>{JsonStatus::NeedMore, JsonStatus::NeedMore,
                                                 JsonStatus::DocumentEnded, JsonStatus::NeedMore}));
    EXPECT_EQ(written, (std::vector<std::string>{arrays, objects}));
}

constexpr std::size_t kMax = JsonReader::MaxDocumentBytes;

std::string MemberWithString(std::size_t length) {
    return R"({"a":")" + std::string(length, 's') + R"("})";
}

struct CapRow {
    const char* name;
    std::function<std::string()> input;  // made when the row runs: each is about 16 MiB
    std::size_t chunk;                   // 0: the whole input in one Feed
    JsonStatus status;
    std::vector<std::string> reports;
    std::vector<std::size_t> documentSizes;  // TreeText size of each document handed over
};

const std::vector<std::string> kOutOfMemory = {"JSON: Out of memory"};

const CapRow kCapRows[] = {
    {"string_past_the_cap_in_chunks",
     [] { return MemberWithString(kMax); },
     4096,
     JsonStatus::OutOfMemory,
     kOutOfMemory,
     {}},
    {"string_past_the_cap_whole",
     [] { return MemberWithString(kMax); },
     0,
     JsonStatus::OutOfMemory,
     kOutOfMemory,
     {}},
    {"number_past_the_cap",
     [] { return R"({"a":)" + std::string(kMax + 1, '7'); },
     1 << 20,
     JsonStatus::OutOfMemory,
     kOutOfMemory,
     {}},
    {"string_past_the_cap_before_a_document",
     [] { return "\"" + std::string(kMax + 1, 's'); },
     1 << 20,
     JsonStatus::OutOfMemory,
     kOutOfMemory,
     {}},
    // Each node counts with its own size, so a short text of many nodes reaches the cap too.
    {"too_many_nodes_with_the_line_suffix",
     [] { return "{\"x\":1}\n{\"a\":" + std::string(kMax / sizeof(JsonNode) + 1, '['); },
     4096,
     JsonStatus::OutOfMemory,
     {"JSON: Out of memory at line 2     "},
     {7}},
    {"document_under_the_cap",
     [] { return MemberWithString(kMax - 4096); },
     65536,
     JsonStatus::NeedMore,
     {},
     {kMax - 4096 + 8}},
    {"each_document_counts_on_its_own",
     [] {
         const std::string one = MemberWithString(kMax / 2 + 1024);
         return one + one + one;
     },
     65536,
     JsonStatus::NeedMore,
     {},
     std::vector<std::size_t>(3, kMax / 2 + 1024 + 8)},
    // Blanks take no memory: a document with more than the cap of them is still read.
    {"blanks_inside_a_document_are_free",
     [] { return "{" + std::string(kMax + 1, ' ') + R"("a":1})"; },
     1 << 20,
     JsonStatus::NeedMore,
     {},
     {7}},
};

TEST(ReaderSizeCap, RefusesPastTheCapAndReadsUnderIt) {
    for (const CapRow& row : kCapRows) {
        SCOPED_TRACE(row.name);
        const std::string input = row.input();
        const std::size_t chunk = row.chunk ? row.chunk : input.size();
        ReportRecorder reports;
        std::vector<std::size_t> documentSizes;
        JsonReader reader(
            [&](const JsonNode* root) { documentSizes.push_back(TreeText(root).size()); });
        EXPECT_EQ(FeedInChunks(reader, input, chunk), row.status);
        EXPECT_EQ(reports.texts, row.reports);
        EXPECT_EQ(documentSizes, row.documentSizes);
    }
}

}  // namespace
