// The reader against tables of streams (the result must not depend on where a stream is cut),
// how far the reader goes, and keva-trace run as a program.
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "json/json_reader.h"
#include "json/tree_links.h"
#include "json/tree_text.h"
#include "keva-trace/stream_trace.h"
#include "support/report_recorder.h"

namespace {

using namespace std::string_literals;

constexpr JsonStatus kMore = JsonStatus::NeedMore;
constexpr JsonStatus kSyntax = JsonStatus::SyntaxError;
constexpr JsonStatus kEnded = JsonStatus::DocumentEnded;

struct StreamRow {
    const char* name;
    std::string input;
    // The documents as TreeText, one a line ("=": the input is the one document), then for an
    // error "L: " (lexical) or "S: " (syntax) and the report after "JSON: ".
    std::string expected;
};

// clang-format off
const StreamRow kStreamRows[] = {
    {"nested_containers_keywords_and_repeated_names", R"({"a":[[],[[]],{},{"b":{"c":[]}}],"d":{},"t":true,"f":false,"n":null,"l":[null],"d":1})", "="},
    {"escapes_stay_undecoded", R"({"a\"b":"\u00e9\n\\\/\b\f\r\t\uABcd"})", "="},
    {"zero_and_high_bytes_in_strings", "{\"a\":\"x\x00\xe9\xff y\"}"s, "="},
    {"number_forms", "{\"a\":[0,-0,12,-7e2,-0.5E+3,1.25e-3,0e0,10 ,3\t]}", R"({"a":[0,-0,12,-7e2,-0.5E+3,1.25e-3,0e0,10,3]})"},
    {"value_without_separator", R"({"a" 1})", "S: Found start of object when expecting separator"},
    {"misspelt_false", R"({"a":fals0})", "L: Unexpected character '0' (possible misspelling of 'false')"},
    {"array_at_top", "[1]", "S: Found start of object when expecting an object"},
    {"comma_before_end_of_object", R"({"a":1,})", "S: Found start of object when expecting label"},
    {"point_without_digits", R"({"a":1.})", "L: Invalid character '}' in number"},
    {"exponent_without_digits", R"({"a":1e+})", "L: Invalid character '}' in number"},
    {"unknown_escape", R"({"a":"\q"})", "L: Unexpected character 'q' in escape sequence"},
    {"bad_hex_escape", R"({"a":"\u12G4"})", "L: Unexpected character 'G' in escape sequence"},
    {"keyword_runs_into_next_token", R"({"a":truex})", "S: Found start of object when expecting separator or end of object"},
    {"control_byte_in_first_name", "{\"\x01\":1}", "S: Found string when expecting label or end of object"},
    {"control_byte_in_later_name", "{\"a\":1,\"\x01\":1}", "L: Invalid control character 0x1 in string"},
    {"comma_alone_in_array", R"({"a":[,]})", "S: Found start of object when expecting a value or end of array"},
    {"bad_number_in_array", R"({"a":[1x]})", "L: Invalid character 'x' in number"},
    {"bad_string_after_element", "{\"a\":[1 \"b\x02\"]}", "S: Found string when expecting separator or end of array"},
    {"missing_value", R"({"a":})", "S: Found start of object when expecting a value"},
    {"bad_number_as_name_names_the_number", "{1:2}", "S: Found number when expecting label or end of object"},
    {"form_feed_is_no_blank", "{\"a\":\f1}", "L: Unexpected control character 0xc in object"},
    {"high_byte_in_keyword", "{\"a\":n\x80}", "L: Unexpected character 0x80 (possible misspelling of 'null')"},
    {"line_after_first_member_document_crlf", "{\"a\":1}\r\nx", "{\"a\":1}\nS: Unexpected character 'x' in object at line 3     "},
    {"member_document_resets_line", "{\"a\":1}\n\n\n{\"b\":2}\nx", "{\"a\":1}\n{\"b\":2}\nS: Unexpected character 'x' in object at line 2     "},
    {"escaped_line_feeds_do_not_count", "{\"a\":1}\n{\"b\":\"\\n\",\"c\":-}", "{\"a\":1}\nL: Invalid character '}' in number at line 2     "},
};
// clang-format on

// Each stream whole (chunk 0) and in every chunk size from 1 to 31.
TEST(JsonReader, GivesTheSameTraceInEveryCut) {
    for (const StreamRow& row : kStreamRows) {
        std::string trace, status = "NeedMore", line;
        std::istringstream lines(row.expected == "=" ? row.input : row.expected);
        while (std::getline(lines, line)) {
            const bool error = line.rfind("L: ", 0) == 0 || line.rfind("S: ", 0) == 0;
            status = error ? (line[0] == 'L' ? "LexicalError" : "SyntaxError") : status;
            trace += (error ? "report JSON: " + line.substr(3) : "document " + line) + "\n";
        }
        for (std::size_t chunk = 0; chunk < 32; ++chunk) {
            EXPECT_EQ(TraceText(row.input, chunk), trace + "status " + status + "\n")
                << row.name << " chunk " << chunk;
        }
    }
}

// Feeds in sequence, each with the status it must answer; an empty step feeds no bytes.
TEST(JsonReader, AnswersEachFeedOfASequence) {
    // clang-format off
    // documents: handed over, or (no handler) the one held at the end.
    const struct { const char* name; bool handler; std::vector<std::pair<std::string, JsonStatus>> steps;
        std::vector<std::string> documents; std::vector<std::string> reports; } rows[] = {
    {"after_an_error_answers_it_again_and_reads_nothing", true, {{"{\"a\":[1 2]", kSyntax}, {"}{}", kSyntax}, {"", kSyntax}},
        {}, {"JSON: Found start of object when expecting separator or end of array"}},
    {"no_handler_holds_the_first_document", false, {{"", kMore}, {"{\"a\":[1", kMore}, {"]} \t", kEnded}, {"", kEnded},
        {" ", kEnded}, {"{", kSyntax}}, {R"({"a":[1]})"}, {"JSON: Found start of object after end of document at line 1     "}},
    {"no_handler_names_the_bad_token_after_the_document", false, {{"{}\"x", kEnded}, {"\x01", kSyntax}}, {"{}"}, {"JSON: Found string after end of document"}},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ReportRecorder reports;
        std::vector<std::string> documents;
        bool linksAgree = true;
        const auto keep = [&](const JsonNode* root) {
            documents.push_back(TreeText(root));
            linksAgree = linksAgree && root->parent == nullptr && TreeLinksAgree(*root);
        };
        JsonReader reader(row.handler ? DocumentHandler(keep) : DocumentHandler(), reports);
        for (const auto& [bytes, status] : row.steps) {
            SCOPED_TRACE(bytes);
            EXPECT_EQ(reader.Feed(bytes.empty() ? nullptr : bytes.data(), bytes.size()), status);
            EXPECT_TRUE(row.handler || (reader.Document() != nullptr) == (status != kMore));
        }
        if (!row.handler && reader.Document()) {
            documents.push_back(TreeText(reader.Document()));
        }
        EXPECT_EQ(documents, row.documents);
        EXPECT_TRUE(linksAgree);
        EXPECT_EQ(reports.texts, row.reports);
    }
}

// Runs `work` on a thread with a 256 KiB stack, so that anything that recursed with the depth
// of a tree crashes instead of passing on the main thread's 8 MiB.
void RunOnSmallStack(std::function<void()> work) {
    pthread_attr_t attributes;
    pthread_t thread;
    auto run = [](void* w) { return (*static_cast<std::function<void()>*>(w))(), w; };
    ASSERT_FALSE(pthread_attr_init(&attributes) || pthread_attr_setstacksize(&attributes, 1 << 18));
    ASSERT_FALSE(pthread_create(&thread, &attributes, run, &work) || pthread_join(thread, nullptr));
    pthread_attr_destroy(&attributes);
}

constexpr std::size_t kMax = JsonReader::MaxDocumentBytes;

std::string MemberWithString(std::size_t length) {
    return R"({"a":")" + std::string(length, 's') + R"("})";
}

// Deep trees are read, written and freed without recursion; the size cap keeps one document
// from taking all memory.
TEST(ReaderLimits, ReadsAnyDepthAndRefusesPastTheSizeCap) {
    const char* const kOut = "report JSON: Out of memory\nstatus OutOfMemory";
    const char* const kMore = "status NeedMore";
    // clang-format off
    // chunk 0: all in one Feed; documentSizes: TreeText sizes; input made when run (up to 16 MiB).
    const struct { const char* name; std::size_t chunk; const char* tail; std::vector<std::size_t> documentSizes; std::function<std::string()> input; } rows[] = {
        {"deep_arrays_whole", 0, kMore, {200006}, [] { return R"({"a":)" + std::string(100000, '[') + std::string(100000, ']') + "}"; }},
        {"line_number_of_a_million", 4096, "report JSON: Unexpected character 'x' in object at line 1000000\nstatus SyntaxError",
            {7}, [] { return R"({"a":1})" + std::string(999999, '\n') + "x"; }},
        {"string_past_the_cap_whole", 0, kOut, {}, [] { return MemberWithString(kMax); }},
        {"number_past_the_cap", 1 << 20, kOut, {}, [] { return R"({"a":)" + std::string(kMax + 1, '7'); }},
        {"string_past_the_cap_before_a_document", 1 << 20, kOut, {}, [] { return "\"" + std::string(kMax + 1, 's'); }},
        // Each node counts with its own size, so a short text of many nodes reaches the cap too.
        {"too_many_nodes_with_the_line_suffix", 4096, "report JSON: Out of memory at line 2     \nstatus OutOfMemory",
            {7}, [] { return "{\"x\":1}\n{\"a\":" + std::string(kMax / sizeof(JsonNode) + 1, '['); }},
        {"document_under_the_cap", 65536, kMore, {kMax - 4096 + 8}, [] { return MemberWithString(kMax - 4096); }},
        {"each_document_counts_on_its_own", 65536, kMore, {kMax / 2 + 1024 + 8, kMax / 2 + 1024 + 8},
            [] { return MemberWithString(kMax / 2 + 1024) + MemberWithString(kMax / 2 + 1024); }},
        // Blanks take no memory: a document with more than the cap of them is still read.
        {"blanks_inside_a_document_are_free", 1 << 20, kMore, {7}, [] { return "{" + std::string(kMax + 1, ' ') + R"("a":1})"; }},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string trace, line, tail;
        RunOnSmallStack([&] { trace = TraceText(row.input(), row.chunk); });
        std::vector<std::size_t> documentSizes;
        for (std::istringstream lines(trace); std::getline(lines, line);) {
            if (line.rfind("document ", 0) == 0) {
                documentSizes.push_back(line.size() - 9);
            } else {
                tail += (tail.empty() ? "" : "\n") + line;
            }
        }
        EXPECT_EQ(tail, row.tail);
        EXPECT_EQ(documentSizes, row.documentSizes);
    }
}

// keva-trace as its users run it: a captured stream in a file or on standard input.
TEST(KevaTrace, PrintsTheTraceAndExitsWithItsStatus) {
    const std::string trace =
        "document {\"a\":1}\n"
        "report JSON: Unexpected character '}' (possible misspelling of 'true') at line 3     \n"
        "status LexicalError\n";
    // clang-format off
    // arguments: shell words before the input file; out: standard output (for help, its start).
    const struct { const char* name; const char* arguments; std::string out; int exitStatus; } rows[] = {
        {"file_whole", "", trace, 1},
        {"standard_input_in_chunks_of_3", "--chunk 3 <", trace, 1},
        {"help", "--help", "usage: keva-trace [--chunk N] [FILE]\nFeeds a captured byte stream", 0},
        {"chunk_zero", "--chunk 0", "", 2},
        {"unknown_option", "--bogus", "", 2},
        {"missing_file", "'/nonexistent/keva' <", "", 2},
    };
    // clang-format on
    const std::string path = testing::TempDir() + "keva_trace_input";
    std::ofstream(path, std::ios::binary) << "{\"a\":1}\r\n{\"%s%n\":tru}\n{\"b\":2}";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string command = std::string("'") + KEVA_TRACE_PATH + "' " + row.arguments +
                                    " '" + path + "' 2>/dev/null";
        std::FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out(4096, '\0');
        out.resize(std::fread(out.data(), 1, out.size(), pipe));
        const int status = pclose(pipe);
        EXPECT_EQ(row.exitStatus == 0 ? out.substr(0, row.out.size()) : out, row.out);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, row.exitStatus);
    }
}

}  // namespace
