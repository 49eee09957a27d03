// The reader against a table of streams, each fed whole and in every chunk size from 1 to 31:
// the trees, the reports and the final status must not depend on where the stream is cut.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/json_reader.h"
#include "report_recorder.h"
#include "stream_trace.h"
#include "tree_text.h"

namespace {

using namespace std::string_literals;

struct StreamRow {
    const char* name;
    std::string input;
    std::string trace;  // lines of StreamTrace
};

const std::vector<StreamRow>& StreamRows() {
    static const std::vector<StreamRow> rows = {
        // What is accepted, and how it is stored.
        {"one_member", R"({"a":1})", "document {\"a\":1}\nstatus NeedMore\n"},
        {"state_message_with_blanks",
         "{ \"Message\" : \"State\",\r\n  \"Sequence\": 12,\r\n  \"Version\":1,\t\"Parameters\": "
         "{\"TXLongName\":\"Beam 20m\",\"Antennas\":[ {\"Antenna\":1,\"TX\":2,\"RX\":1,"
         "\"Highlight\":false} , {\"Antenna\":2,\"TX\":1,\"RX\":2} ]}}\r\n",
         "document {\"Message\":\"State\",\"Sequence\":12,\"Version\":1,\"Parameters\":"
         "{\"TXLongName\":\"Beam 20m\",\"Antennas\":[{\"Antenna\":1,\"TX\":2,\"RX\":1,"
         "\"Highlight\":false},{\"Antenna\":2,\"TX\":1,\"RX\":2}]}}\nstatus NeedMore\n"},
        {"empty_object", "{}", "document {}\nstatus NeedMore\n"},
        {"documents_back_to_back", R"({}{"a":1}{})",
         "document {}\ndocument {\"a\":1}\ndocument {}\nstatus NeedMore\n"},
        {"blanks_around_documents", " \t\r\n{\"a\":1}\r\n {\"b\":2}\n",
         "document {\"a\":1}\ndocument {\"b\":2}\nstatus NeedMore\n"},
        {"unfinished_document_waits", R"({"a":[1,{"b":tr)", "status NeedMore\n"},
        {"trailing_comma_in_array", R"({"a":[1,2,]})", "document {\"a\":[1,2]}\nstatus NeedMore\n"},
        {"nested_containers", R"({"a":[[],[[]],{},{"b":{"c":[]}}],"d":{}})",
         "document {\"a\":[[],[[]],{},{\"b\":{\"c\":[]}}],\"d\":{}}\nstatus NeedMore\n"},
        {"escapes_stay_undecoded", R"({"a\"b":"\u00e9\n\\\/\b\f\r\t\uABcd"})",
         "document {\"a\\\"b\":\"\\u00e9\\n\\\\\\/\\b\\f\\r\\t\\uABcd\"}\nstatus NeedMore\n"},
        {"zero_and_high_bytes_in_strings", "{\"a\":\"x\0\xe9\xff y\"}"s,
         "document {\"a\":\"x\0\xe9\xff y\"}\nstatus NeedMore\n"s},
        {"number_forms", R"({"a":[0,-0,12,-7e2,-0.5E+3,1.25e-3,0e0,10 ,3	]})",
         "document {\"a\":[0,-0,12,-7e2,-0.5E+3,1.25e-3,0e0,10,3]}\nstatus NeedMore\n"},
        {"keywords", R"({"t":true,"f":false,"n":null,"l":[true,false,null]})",
         "document {\"t\":true,\"f\":false,\"n\":null,\"l\":[true,false,null]}\nstatus NeedMore\n"},
        {"duplicate_names_kept_in_order", R"({"Station":1,"Station":2})",
         "document {\"Station\":1,\"Station\":2}\nstatus NeedMore\n"},
        {"format_text_as_name", R"({"%s%n%x":"%d"})",
         "document {\"%s%n%x\":\"%d\"}\nstatus NeedMore\n"},

        // The errors the operator sees, with line counting off.
        {"value_without_separator", R"({"a" 1})",
         "report JSON: Found start of object when expecting separator\nstatus SyntaxError\n"},
        {"misspelt_true", R"({"a":tru})",
         "report JSON: Unexpected character '}' (possible misspelling of 'true')\n"
         "status LexicalError\n"},
        {"misspelt_false", R"({"a":fals0})",
         "report JSON: Unexpected character '0' (possible misspelling of 'false')\n"
         "status LexicalError\n"},
        {"misspelt_null", R"({"a":[nul]})",
         "report JSON: Unexpected character ']' (possible misspelling of 'null')\n"
         "status LexicalError\n"},
        {"percent_described_as_text", R"({"a":t%})",
         "report JSON: Unexpected character '%' (possible misspelling of 'true')\n"
         "status LexicalError\n"},
        {"raw_line_feed_in_string", "{\"a\":\"x\ny\"}",
         "report JSON: Invalid control character 0xa in string\nstatus LexicalError\n"},
        {"leading_zero", R"({"a":01})",
         "report JSON: Invalid character '1' in number\nstatus LexicalError\n"},
        {"array_at_top", "[1]",
         "report JSON: Found start of object when expecting an object\nstatus SyntaxError\n"},
        {"string_at_top", R"("a")",
         "report JSON: Found start of object when expecting an object\nstatus SyntaxError\n"},
        {"stray_byte_between_documents", "x",
         "report JSON: Unexpected character 'x' in object\nstatus SyntaxError\n"},
        {"comma_before_end_of_object", R"({"a":1,})",
         "report JSON: Found start of object when expecting label\nstatus SyntaxError\n"},
        {"lone_minus", R"({"a":-})",
         "report JSON: Invalid character '}' in number\nstatus LexicalError\n"},
        {"point_without_digits", R"({"a":1.})",
         "report JSON: Invalid character '}' in number\nstatus LexicalError\n"},
        {"exponent_without_digits", R"({"a":1e+})",
         "report JSON: Invalid character '}' in number\nstatus LexicalError\n"},
        {"unknown_escape", R"({"a":"\q"})",
         "report JSON: Unexpected character 'q' in escape sequence\nstatus LexicalError\n"},
        {"bad_hex_escape", R"({"a":"\u12G4"})",
         "report JSON: Unexpected character 'G' in escape sequence\nstatus LexicalError\n"},
        {"keyword_runs_into_next_token", R"({"a":truex})",
         "report JSON: Found start of object when expecting separator or end of object\n"
         "status SyntaxError\n"},
        {"colon_does_not_end_a_number", R"({"a":1:2})",
         "report JSON: Invalid character ':' in number\nstatus LexicalError\n"},
        {"control_byte_in_first_name", "{\"\x01\":1}",
         "report JSON: Found string when expecting label or end of object\nstatus SyntaxError\n"},
        {"control_byte_in_later_name", "{\"a\":1,\"\x01\":1}",
         "report JSON: Invalid control character 0x1 in string\nstatus LexicalError\n"},
        {"comma_alone_in_array", R"({"a":[,]})",
         "report JSON: Found start of object when expecting a value or end of array\n"
         "status SyntaxError\n"},
        {"elements_without_comma", R"({"a":[1 2]})",
         "report JSON: Found start of object when expecting separator or end of array\n"
         "status SyntaxError\n"},
        {"bad_string_after_element", "{\"a\":[1 \"b\x02\"]}",
         "report JSON: Found string when expecting separator or end of array\n"
         "status SyntaxError\n"},
        {"bad_number_in_array", R"({"a":[1x]})",
         "report JSON: Invalid character 'x' in number\nstatus LexicalError\n"},
        {"missing_value", R"({"a":})",
         "report JSON: Found start of object when expecting a value\nstatus SyntaxError\n"},
        {"number_as_name", R"({1})",
         "report JSON: Found start of object when expecting label or end of object\n"
         "status SyntaxError\n"},
        {"bad_number_as_name_names_the_number", R"({1:2})",
         "report JSON: Found number when expecting label or end of object\n"
         "status SyntaxError\n"},
        {"members_without_comma", R"({"a":1 "b":2})",
         "report JSON: Found start of object when expecting separator or end of object\n"
         "status SyntaxError\n"},
        {"bad_byte_after_label", R"({"a"x:1})",
         "report JSON: Found start of object when expecting separator\nstatus SyntaxError\n"},
        {"form_feed_is_no_blank", "{\"a\":\f1}",
         "report JSON: Unexpected control character 0xc in object\nstatus LexicalError\n"},
        {"vertical_tab_between_documents", "\v{}",
         "report JSON: Unexpected control character 0xb in object\nstatus SyntaxError\n"},
        {"zero_byte_between_documents", "{}\0{}"s,
         "document {}\nreport JSON: Unexpected control character 0x0 in object\n"
         "status SyntaxError\n"},
        {"high_byte_between_documents", "\xe9",
         "report JSON: Unexpected character 0xe9 in object\nstatus SyntaxError\n"},
        {"high_byte_in_number", "{\"a\":1\xff}",
         "report JSON: Invalid character 0xff in number\nstatus LexicalError\n"},
        {"high_byte_in_keyword", "{\"a\":n\x80}",
         "report JSON: Unexpected character 0x80 (possible misspelling of 'null')\n"
         "status LexicalError\n"},
        {"documents_before_an_error_are_delivered", R"({"a":1}{"b":x})",
         "document {\"a\":1}\nreport JSON: Unexpected character 'x' in object at line 1     \n"
         "status LexicalError\n"},
        {"nothing_after_an_error_is_read", R"({"a":x}{"b":1})",
         "report JSON: Unexpected character 'x' in object\nstatus LexicalError\n"},

        // Line counting.
        {"line_after_first_member_document_lf", "{\"a\":1}\nx",
         "document {\"a\":1}\nreport JSON: Unexpected character 'x' in object at line 2     \n"
         "status SyntaxError\n"},
        {"line_after_first_member_document_crlf", "{\"a\":1}\r\nx",
         "document {\"a\":1}\nreport JSON: Unexpected character 'x' in object at line 3     \n"
         "status SyntaxError\n"},
        {"empty_objects_leave_counting_off", "{}\n{}\nx",
         "document {}\ndocument {}\nreport JSON: Unexpected character 'x' in object\n"
         "status SyntaxError\n"},
        {"empty_object_leaves_line_as_it_was", "{\"a\":1}\n{}\nx",
         "document {\"a\":1}\ndocument {}\n"
         "report JSON: Unexpected character 'x' in object at line 3     \nstatus SyntaxError\n"},
        {"member_document_resets_line", "{\"a\":1}\n\n\n{\"b\":2}\nx",
         "document {\"a\":1}\ndocument {\"b\":2}\n"
         "report JSON: Unexpected character 'x' in object at line 2     \nstatus SyntaxError\n"},
        {"line_feeds_inside_a_document_count", "{\"a\":1}\n{\"b\":\n\r\n x}",
         "document {\"a\":1}\n"
         "report JSON: Unexpected character 'x' in object at line 5     \nstatus LexicalError\n"},
        {"escaped_line_feeds_do_not_count", "{\"a\":1}\n{\"b\":\"\\n\",\"c\":-}",
         "document {\"a\":1}\n"
         "report JSON: Invalid character '}' in number at line 2     \nstatus LexicalError\n"},
    };
    return rows;
}

// The chunk size of a Feed; 0 stands for the whole stream in one Feed.
class ReaderStreamTest : public testing::TestWithParam<std::size_t> {};

TEST_P(ReaderStreamTest, GivesTheSameTraceInEveryCut) {
    for (const StreamRow& row : StreamRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TraceText(row.input, GetParam()), row.trace);
    }
}

INSTANTIATE_TEST_SUITE_P(ChunkSizes, ReaderStreamTest, testing::Range<std::size_t>(0, 32),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             return info.param == 0 ? std::string("whole")
                                                    : "chunk" + std::to_string(info.param);
                         });

// The stream cut once at every position: two Feeds give the same trace as one.
TEST(ReaderSplit, GivesTheSameTraceAtEveryBoundary) {
    for (const StreamRow& row : StreamRows()) {
        for (std::size_t at = 0; at <= row.input.size(); ++at) {
            SCOPED_TRACE(std::string(row.name) + " cut at " + std::to_string(at));
            std::string text;
            {
                StreamTrace trace([&text](const std::string& line) { text += line + "\n"; });
                trace.Feed(row.input.data(), at);
                trace.Feed(row.input.data() + at, row.input.size() - at);
                trace.Finish();
            }
            EXPECT_EQ(text, row.trace);
        }
    }
}

TEST(JsonReader, HandsEveryDocumentOfAChunkOverWithinOneFeed) {
    std::vector<std::string> trees;
    JsonReader reader([&](const JsonNode* root) { trees.push_back(TreeText(root)); });
    const std::string chunk = R"({"a":1} {"b":[2]}{})";
    EXPECT_EQ(reader.Feed(chunk.data(), chunk.size()), JsonStatus::NeedMore);
    EXPECT_EQ(trees, (std::vector<std::string>{R"({"a":1})", R"({"b":[2]})", "{}"}));
}

TEST(JsonReader, HandsAnEmptyObjectOverWithoutChildren) {
    int calls = 0;
    JsonReader reader([&](const JsonNode* root) {
        ++calls;
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->kind, JsonKind::Object);
        EXPECT_EQ(root->firstChild, nullptr);
        EXPECT_EQ(root->parent, nullptr);
    });
    EXPECT_EQ(reader.Feed("{}", 2), JsonStatus::NeedMore);
    EXPECT_EQ(calls, 1);
}

TEST(JsonReader, BuildsMembersAsLabelsOverValues) {
    JsonReader reader([](const JsonNode* root) {
        const JsonNode* label = root->firstChild.get();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->kind, JsonKind::Label);
        EXPECT_EQ(label->text, "Port");
        EXPECT_EQ(label->parent, root);
        const JsonNode* value = ValueOf(label);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->kind, JsonKind::Number);
        EXPECT_EQ(value->text, "12059");
        EXPECT_EQ(value->parent, label);
        EXPECT_EQ(label->lastChild, value);
        const JsonNode* second = label->next.get();
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->prev, label);
        EXPECT_EQ(root->lastChild, second);
        EXPECT_EQ(ValueOf(second)->kind, JsonKind::Array);
        EXPECT_EQ(ValueOf(second)->firstChild->kind, JsonKind::True);
        EXPECT_EQ(ValueOf(second)->firstChild->text, std::nullopt);
    });
    const std::string input = R"({"Port":12059,"L":[true]})";
    EXPECT_EQ(reader.Feed(input.data(), input.size()), JsonStatus::NeedMore);
}

TEST(JsonReader, AnEmptyChunkChangesNothing) {
    ReportRecorder reports;
    int calls = 0;
    JsonReader reader([&](const JsonNode*) { ++calls; });
    EXPECT_EQ(reader.Feed(nullptr, 0), JsonStatus::NeedMore);
    EXPECT_EQ(reader.Feed("{", 1), JsonStatus::NeedMore);
    EXPECT_EQ(reader.Feed("", 0), JsonStatus::NeedMore);
    EXPECT_EQ(reader.Feed("}", 1), JsonStatus::NeedMore);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(reports.texts.empty());
}

TEST(JsonReader, WithoutAHandlerHoldsTheFirstDocument) {
    ReportRecorder reports;
    JsonReader reader;
    EXPECT_EQ(reader.Document(), nullptr);
    EXPECT_EQ(reader.Feed("{\"a\":[1", 7), JsonStatus::NeedMore);
    EXPECT_EQ(reader.Document(), nullptr);
    EXPECT_EQ(reader.Feed("]} \t", 4), JsonStatus::DocumentEnded);
    ASSERT_NE(reader.Document(), nullptr);
    EXPECT_EQ(TreeText(reader.Document()), R"({"a":[1]})");
    EXPECT_EQ(reader.Feed(nullptr, 0), JsonStatus::DocumentEnded);
    EXPECT_EQ(reader.Feed(" ", 1), JsonStatus::DocumentEnded);
    EXPECT_TRUE(reports.texts.empty());

    EXPECT_EQ(reader.Feed("{", 1), JsonStatus::SyntaxError);
    EXPECT_EQ(reports.texts,
              std::vector<std::string>{
                  "JSON: Found start of object after end of document at line 1     "});
    EXPECT_NE(reader.Document(), nullptr);  // still held until the reader goes
}

TEST(JsonReader, WithoutAHandlerNamesTheBadTokenAfterTheDocument) {
    ReportRecorder reports;
    JsonReader reader;
    EXPECT_EQ(reader.Feed("{}\"x", 4), JsonStatus::DocumentEnded);  // a string under way
    EXPECT_EQ(reader.Feed("\x01", 1), JsonStatus::SyntaxError);
    EXPECT_EQ(reports.texts, std::vector<std::string>{"JSON: Found string after end of document"});
}

TEST(JsonReader, WithoutAHandlerHoldsAnEmptyObject) {
    JsonReader reader;
    EXPECT_EQ(reader.Feed("{}", 2), JsonStatus::DocumentEnded);
    ASSERT_NE(reader.Document(), nullptr);
    EXPECT_EQ(reader.Document()->kind, JsonKind::Object);
    EXPECT_EQ(reader.Document()->firstChild, nullptr);
}

TEST(JsonReader, FedAfterAnErrorAnswersTheSameErrorAndReadsNothing) {
    ReportRecorder reports;
    int calls = 0;
    JsonReader reader([&](const JsonNode*) { ++calls; });
    EXPECT_EQ(reader.Feed("{\"a\":[1 2]", 10), JsonStatus::SyntaxError);
    EXPECT_EQ(reader.Feed("}{}", 3), JsonStatus::SyntaxError);
    EXPECT_EQ(reader.Feed(nullptr, 0), JsonStatus::SyntaxError);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(reports.texts.size(), 1u);
}

TEST(JsonReader, PrintsALineNumberOfAMillionWhole) {
    std::string input = R"({"a":1})";
    input.append(999999, '\n');
    input += 'x';
    EXPECT_EQ(TraceText(input, 4096),
              "document {\"a\":1}\n"
              "report JSON: Unexpected character 'x' in object at line 1000000\n"
              "status SyntaxError\n");
}

TEST(JsonReader, ReleasesAPartialTreeWhenDiscarded) {
    // Any leak here fails the sanitizer build.
    for (const char* input : {R"({"a":[1,{"b":)", R"({"a":"unfinished)", R"({"a":[[[)", "{"}) {
        JsonReader reader([](const JsonNode*) {});
        EXPECT_EQ(reader.Feed(input, std::char_traits<char>::length(input)), JsonStatus::NeedMore);
    }
    ReportRecorder reports;
    JsonReader failed([](const JsonNode*) {});
    EXPECT_EQ(failed.Feed(R"({"a":[1,{"b":x)", 14), JsonStatus::LexicalError);
}

}  // namespace
