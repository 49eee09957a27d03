// How far the reader goes: nesting of any depth on a small stack, and the size cap that keeps
// one document from taking all memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/json_reader.h"
#include "report_recorder.h"
#include "small_stack.h"
#include "tree_text.h"

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

// Depth of the first-child chain under `root`, walked without recursion.
int FirstChildDepth(const JsonNode* root) {
    int depth = 0;
    for (const JsonNode* node = root; node; node = node->firstChild.get()) {
        ++depth;
    }
    return depth;
}

TEST(ReaderNesting, ReadsAndFreesAHundredThousandArraysOnASmallStack) {
    const std::string input = DeepArrays(100000);
    JsonStatus status = JsonStatus::InternalError;
    int depth = 0;
    std::size_t written = 0;
    RunOnSmallStack([&] {
        JsonReader reader([&](const JsonNode* root) {
            depth = FirstChildDepth(root);
            written = TreeText(root).size();
        });
        status = reader.Feed(input.data(), input.size());
    });
    EXPECT_EQ(status, JsonStatus::NeedMore);
    EXPECT_EQ(depth, 100000 + 2);  // the object, its label, the arrays
    EXPECT_EQ(written, input.size());
}

TEST(ReaderNesting, ReadsDeepObjectsInSmallChunksOnASmallStack) {
    const std::string input = DeepObjects(30000);
    std::vector<JsonStatus> statuses;
    std::string written;
    RunOnSmallStack([&] {
        JsonReader reader([&](const JsonNode* root) { written = TreeText(root); });
        for (std::size_t at = 0; at < input.size(); at += 7) {
            statuses.push_back(
                reader.Feed(input.data() + at, std::min<std::size_t>(7, input.size() - at)));
        }
    });
    EXPECT_EQ(statuses, std::vector<JsonStatus>(statuses.size(), JsonStatus::NeedMore));
    EXPECT_EQ(written, input);
}

TEST(ReaderNesting, DiscardsADeepHeldOrPartialTreeOnASmallStack) {
    const std::string whole = DeepArrays(100000);
    JsonStatus held = JsonStatus::InternalError;
    JsonStatus partial = JsonStatus::InternalError;
    RunOnSmallStack([&] {
        {
            JsonReader reader;  // no handler: the document stays until the reader goes
            held = reader.Feed(whole.data(), whole.size());
        }
        {
            JsonReader reader([](const JsonNode*) {});
            partial = reader.Feed(whole.data(), whole.size() / 2 + 3);
        }
    });
    EXPECT_EQ(held, JsonStatus::DocumentEnded);
    EXPECT_EQ(partial, JsonStatus::NeedMore);
}

constexpr std::size_t kMax = JsonReader::MaxDocumentBytes;

struct FeedResult {
    JsonStatus status = JsonStatus::InternalError;
    std::vector<std::string> reports;
    std::vector<std::size_t> documentSizes;  // TreeText size of each document
};

FeedResult FeedInChunks(const std::string& input, std::size_t chunk) {
    FeedResult result;
    ReportRecorder reports;
    JsonReader reader(
        [&](const JsonNode* root) { result.documentSizes.push_back(TreeText(root).size()); });
    for (std::size_t at = 0; at < input.size(); at += chunk) {
        result.status = reader.Feed(input.data() + at, std::min(chunk, input.size() - at));
        if (result.status != JsonStatus::NeedMore) {
            break;
        }
    }
    result.reports = reports.texts;
    return result;
}

std::string MemberWithString(std::size_t length) {
    return R"({"a":")" + std::string(length, 's') + R"("})";
}

TEST(ReaderSizeCap, RefusesAStringPastTheCapAsOutOfMemory) {
    const std::string input = MemberWithString(kMax);
    for (std::size_t chunk : {std::size_t{4096}, input.size()}) {
        const FeedResult result = FeedInChunks(input, chunk);
        EXPECT_EQ(result.status, JsonStatus::OutOfMemory) << chunk;
        EXPECT_EQ(result.reports, std::vector<std::string>{"JSON: Out of memory"}) << chunk;
        EXPECT_TRUE(result.documentSizes.empty());
    }
}

TEST(ReaderSizeCap, RefusesANumberPastTheCap) {
    const std::string input = R"({"a":)" + std::string(kMax + 1, '7');
    const FeedResult result = FeedInChunks(input, 1 << 20);
    EXPECT_EQ(result.status, JsonStatus::OutOfMemory);
    EXPECT_EQ(result.reports, std::vector<std::string>{"JSON: Out of memory"});
}

TEST(ReaderSizeCap, RefusesAStringPastTheCapEvenBeforeADocument) {
    const std::string input = "\"" + std::string(kMax + 1, 's');
    const FeedResult result = FeedInChunks(input, 1 << 20);
    EXPECT_EQ(result.status, JsonStatus::OutOfMemory);
}

TEST(ReaderSizeCap, RefusesTooManyNodesWithTheLineSuffix) {
    // Each node counts with its own size, so a short text of many nodes reaches the cap too.
    const std::size_t nodes = kMax / sizeof(JsonNode) + 1;
    const std::string input = "{\"x\":1}\n" + std::string(R"({"a":)") + std::string(nodes, '[');
    const FeedResult result = FeedInChunks(input, 4096);
    EXPECT_EQ(result.status, JsonStatus::OutOfMemory);
    EXPECT_EQ(result.reports, std::vector<std::string>{"JSON: Out of memory at line 2     "});
}

TEST(ReaderSizeCap, AcceptsADocumentUnderTheCap) {
    const std::size_t length = kMax - 4096;
    const std::string input = MemberWithString(length);
    const FeedResult result = FeedInChunks(input, 65536);
    EXPECT_EQ(result.status, JsonStatus::NeedMore);
    EXPECT_TRUE(result.reports.empty());
    EXPECT_EQ(result.documentSizes, std::vector<std::size_t>{input.size()});
}

TEST(ReaderSizeCap, CountsEachDocumentOnItsOwn) {
    const std::string one = MemberWithString(kMax / 2 + 1024);
    const std::string input = one + one + one;
    const FeedResult result = FeedInChunks(input, 65536);
    EXPECT_EQ(result.status, JsonStatus::NeedMore);
    EXPECT_EQ(result.documentSizes.size(), 3u);
}

TEST(ReaderSizeCap, IgnoresBlanksInsideADocument) {
    // Blanks take no memory: a document with more than the cap of them is still read.
    const std::string input = "{" + std::string(kMax + 1, ' ') + R"("a":1})";
    const FeedResult result = FeedInChunks(input, 1 << 20);
    EXPECT_EQ(result.status, JsonStatus::NeedMore);
    EXPECT_EQ(result.documentSizes, std::vector<std::size_t>{7});
}

}  // namespace
