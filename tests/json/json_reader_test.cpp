// The reader against a table of streams, each fed whole and in every chunk size from 1 to 31:
// the trees, the reports and the final status must not depend on where the stream is cut.
#include <gtest/gtest.h>

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
constexpr JsonStatus kLexical = JsonStatus::LexicalError;
constexpr JsonStatus kSyntax = JsonStatus::SyntaxError;

struct StreamRow {
    const char* name;
    std::string input;
    std::string documents;  // each as TreeText, one a line
    const char* report;     // after "JSON: "; none: no report
    JsonStatus status;      // of the last Feed
};

const std::vector<StreamRow>& StreamRows() {
    static const std::vector<StreamRow> rows = {
        // What is accepted, and how it is stored.
        {"state_message_with_blanks",
         "{ \"Message\" : \"State\",\r\n  \"Sequence\": 12,\r\n  \"Version\":1,\t\"Parameters\": "
         "{\"TXLongName\":\"Beam 20m\",\"Antennas\":[ "
         "{\"Antenna\":1,\"TX\":2,\"RX\":1,\"Highlight\":false} , "
         "{\"Antenna\":2,\"TX\":1,\"RX\":2} ]}}\r\n",
         R"({"Message":"State","Sequence":12,"Version":1,"Parameters":{"TXLongName":"Beam 20m","Antennas":[{"Antenna":1,"TX":2,"RX":1,"Highlight":false},{"Antenna":2,"TX":1,"RX":2}]}})",
         nullptr, kMore},
        {"documents_back_to_back", R"({}{"a":1}{})", "{}\n{\"a\":1}\n{}", nullptr, kMore},
        {"blanks_around_documents", " \t\r\n{\"a\":1}\r\n {\"b\":2}\n", "{\"a\":1}\n{\"b\":2}",
         nullptr, kMore},
        {"unfinished_document_waits", R"({"a":[1,{"b":tr)", "", nullptr, kMore},
        {"trailing_comma_in_array", R"({"a":[1,2,]})", R"({"a":[1,2]})", nullptr, kMore},
        {"nested_containers", R"({"a":[[],[[]],{},{"b":{"c":[]}}],"d":{}})",
         R"({"a":[[],[[]],{},{"b":{"c":[]}}],"d":{}})", nullptr, kMore},
        {"escapes_stay_undecoded", R"({"a\"b":"\u00e9\n\\\/\b\f\r\t\uABcd"})",
         R"({"a\"b":"\u00e9\n\\\/\b\f\r\t\uABcd"})", nullptr, kMore},
        {"zero_and_high_bytes_in_strings", "{\"a\":\"x\x00\xe9\xff y\"}"s,
         "{\"a\":\"x\x00\xe9\xff y\"}"s, nullptr, kMore},
        {"number_forms", "{\"a\":[0,-0,12,-7e2,-0.5E+3,1.25e-3,0e0,10 ,3\t]}",
         R"({"a":[0,-0,12,-7e2,-0.5E+3,1.25e-3,0e0,10,3]})", nullptr, kMore},
        {"keywords", R"({"t":true,"f":false,"n":null,"l":[true,false,null]})",
         R"({"t":true,"f":false,"n":null,"l":[true,false,null]})", nullptr, kMore},
        {"duplicate_names_kept_in_order", R"({"Station":1,"Station":2})",
         R"({"Station":1,"Station":2})", nullptr, kMore},
        // The errors the operator sees, with line counting off.
        {"value_without_separator", R"({"a" 1})", "",
         "Found start of object when expecting separator", kSyntax},
        {"misspelt_true", R"({"a":tru})", "",
         "Unexpected character '}' (possible misspelling of 'true')", kLexical},
        {"misspelt_false", R"({"a":fals0})", "",
         "Unexpected character '0' (possible misspelling of 'false')", kLexical},
        {"percent_described_as_text", R"({"a":t%})", "",
         "Unexpected character '%' (possible misspelling of 'true')", kLexical},
        {"leading_zero", R"({"a":01})", "", "Invalid character '1' in number", kLexical},
        {"array_at_top", "[1]", "", "Found start of object when expecting an object", kSyntax},
        {"stray_byte_between_documents", "x", "", "Unexpected character 'x' in object", kSyntax},
        {"comma_before_end_of_object", R"({"a":1,})", "",
         "Found start of object when expecting label", kSyntax},
        {"point_without_digits", R"({"a":1.})", "", "Invalid character '}' in number", kLexical},
        {"exponent_without_digits", R"({"a":1e+})", "", "Invalid character '}' in number",
         kLexical},
        {"unknown_escape", R"({"a":"\q"})", "", "Unexpected character 'q' in escape sequence",
         kLexical},
        {"bad_hex_escape", R"({"a":"\u12G4"})", "", "Unexpected character 'G' in escape sequence",
         kLexical},
        {"keyword_runs_into_next_token", R"({"a":truex})", "",
         "Found start of object when expecting separator or end of object", kSyntax},
        {"colon_does_not_end_a_number", R"({"a":1:2})", "", "Invalid character ':' in number",
         kLexical},
        {"control_byte_in_first_name", "{\"\x01\":1}", "",
         "Found string when expecting label or end of object", kSyntax},
        {"control_byte_in_later_name", "{\"a\":1,\"\x01\":1}", "",
         "Invalid control character 0x1 in string", kLexical},
        {"comma_alone_in_array", R"({"a":[,]})", "",
         "Found start of object when expecting a value or end of array", kSyntax},
        {"bad_number_in_array", R"({"a":[1x]})", "", "Invalid character 'x' in number", kLexical},
        {"elements_without_comma", R"({"a":[1 2]})", "",
         "Found start of object when expecting separator or end of array", kSyntax},
        {"bad_string_after_element", "{\"a\":[1 \"b\x02\"]}", "",
         "Found string when expecting separator or end of array", kSyntax},
        {"missing_value", R"({"a":})", "", "Found start of object when expecting a value", kSyntax},
        {"bad_number_as_name_names_the_number", "{1:2}", "",
         "Found number when expecting label or end of object", kSyntax},
        {"members_without_comma", R"({"a":1 "b":2})", "",
         "Found start of object when expecting separator or end of object", kSyntax},
        {"form_feed_is_no_blank", "{\"a\":\f1}", "", "Unexpected control character 0xc in object",
         kLexical},
        {"zero_byte_between_documents", "{}\x00{}"s, "{}",
         "Unexpected control character 0x0 in object", kSyntax},
        {"high_byte_between_documents", "\xe9", "", "Unexpected character 0xe9 in object", kSyntax},
        {"high_byte_in_keyword", "{\"a\":n\x80}", "",
         "Unexpected character 0x80 (possible misspelling of 'null')", kLexical},
        {"documents_before_an_error_are_delivered", R"({"a":1}{"b":x})", R"({"a":1})",
         "Unexpected character 'x' in object at line 1     ", kLexical},
        {"nothing_after_an_error_is_read", R"({"a":x}{"b":1})", "",
         "Unexpected character 'x' in object", kLexical},
        // Line counting.
        {"line_after_first_member_document_crlf", "{\"a\":1}\r\nx", R"({"a":1})",
         "Unexpected character 'x' in object at line 3     ", kSyntax},
        {"member_document_resets_line", "{\"a\":1}\n\n\n{\"b\":2}\nx", "{\"a\":1}\n{\"b\":2}",
         "Unexpected character 'x' in object at line 2     ", kSyntax},
        {"line_feeds_inside_a_document_count", "{\"a\":1}\n{\"b\":\n\r\n x}", R"({"a":1})",
         "Unexpected character 'x' in object at line 5     ", kLexical},
        {"escaped_line_feeds_do_not_count", "{\"a\":1}\n{\"b\":\"\\n\",\"c\":-}", R"({"a":1})",
         "Invalid character '}' in number at line 2     ", kLexical},
    };
    return rows;
}

// The lines of StreamTrace that `row` expects.
std::string ExpectedTrace(const StreamRow& row) {
    std::string trace;
    for (std::size_t at = 0; at < row.documents.size();) {
        const std::size_t end = std::min(row.documents.find('\n', at), row.documents.size());
        trace += "document " + row.documents.substr(at, end - at) + "\n";
        at = end + 1;
    }
    if (row.report) {
        trace += "report JSON: " + std::string(row.report) + "\n";
    }
    return trace + "status " + JsonStatusName(row.status) + "\n";
}

// The chunk size of a Feed; 0 stands for the whole stream in one Feed.
class ReaderStreamTest : public testing::TestWithParam<std::size_t> {};

TEST_P(ReaderStreamTest, GivesTheSameTraceInEveryCut) {
    for (const StreamRow& row : StreamRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TraceText(row.input, GetParam()), ExpectedTrace(row));
    }
}

INSTANTIATE_TEST_SUITE_P(ChunkSizes, ReaderStreamTest, testing::Range<std::size_t>(0, 32),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             return info.param == 0 ? std::string("whole")
                                                    : "chunk" + std::to_string(info.param);
                         });

// Feeds in sequence, each with the status it must answer; an empty step feeds no bytes.
struct FeedStep {
    std::string bytes;
    JsonStatus status;
};

struct FeedRow {
    const char* name;
    bool handler;
    std::vector<FeedStep> steps;
    std::vector<std::string> documents;  // handed over, or (no handler) the one held at the end
    std::vector<std::string> reports;
};

FeedRow F(const char* name, bool handler, std::vector<FeedStep> steps,
          std::vector<std::string> documents, std::vector<std::string> reports) {
    return {name, handler, std::move(steps), std::move(documents), std::move(reports)};
}

constexpr JsonStatus kEnded = JsonStatus::DocumentEnded;

const FeedRow kFeedRows[] = {
    F("members_are_labels_over_values", true, {{R"({"Port":12059,"L":[true]}{})", kMore}},
      {R"({"Port":12059,"L":[true]})", "{}"}, {}),
    F("empty_chunks_change_nothing", true, {{"", kMore}, {"{", kMore}, {"", kMore}, {"}", kMore}},
      {"{}"}, {}),
    F("after_an_error_answers_it_again_and_reads_nothing", true,
      {{"{\"a\":[1 2]", kSyntax}, {"}{}", kSyntax}, {"", kSyntax}}, {},
      {"JSON: Found start of object when expecting separator or end of array"}),
    // Still held after the error, until the reader goes.
    F("no_handler_holds_the_first_document", false,
      {{"", kMore},
       {"{\"a\":[1", kMore},
       {"]} \t", kEnded},
       {"", kEnded},
       {" ", kEnded},
       {"{", kSyntax}},
      {R"({"a":[1]})"}, {"JSON: Found start of object after end of document at line 1     "}),
    F("no_handler_names_the_bad_token_after_the_document", false,
      {{"{}\"x", kEnded}, {"\x01", kSyntax}}, {"{}"}, {"JSON: Found string after end of document"}),
};

TEST(JsonReader, AnswersEachFeedOfASequence) {
    for (const FeedRow& row : kFeedRows) {
        SCOPED_TRACE(row.name);
        ReportRecorder reports;
        std::vector<std::string> documents;
        bool linksAgree = true;
        const auto keep = [&](const JsonNode* root) {
            documents.push_back(TreeText(root));
            linksAgree = linksAgree && root->parent == nullptr && TreeLinksAgree(*root);
        };
        JsonReader reader(row.handler ? DocumentHandler(keep) : DocumentHandler());
        for (const FeedStep& step : row.steps) {
            SCOPED_TRACE(step.bytes);
            const char* data = step.bytes.empty() ? nullptr : step.bytes.data();
            EXPECT_EQ(reader.Feed(data, step.bytes.size()), step.status);
            if (!row.handler) {
                EXPECT_EQ(reader.Document() != nullptr, step.status != JsonStatus::NeedMore);
            }
        }
        if (!row.handler && reader.Document()) {
            documents.push_back(TreeText(reader.Document()));
        }
        EXPECT_EQ(documents, row.documents);
        EXPECT_TRUE(linksAgree);
        EXPECT_EQ(reports.texts, row.reports);
    }
}

TEST(JsonReader, PrintsALineNumberOfAMillionWhole) {
    EXPECT_EQ(TraceText(R"({"a":1})" + std::string(999999, '\n') + "x", 4096),
              "document {\"a\":1}\n"
              "report JSON: Unexpected character 'x' in object at line 1000000\n"
              "status SyntaxError\n");
}

}  // namespace
