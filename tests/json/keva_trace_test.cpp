// keva-trace as its users run it: a captured stream in a file or on standard input, the trace
// on standard output and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

TEST(KevaTrace, PrintsTheTraceAndExitsWithItsStatus) {
    const std::string trace =
        "document {\"a\":1}\n"
        "report JSON: Unexpected character '}' (possible misspelling of 'true') at line 3     \n"
        "status LexicalError\n";
    const struct {
        const char* name;
        const char* arguments;  // shell words after the program and before the input file
        std::string out;        // standard output; for help, its start
        int exitStatus;
    } rows[] = {
        {"file_whole", "", trace, 1},
        {"standard_input_in_chunks_of_3", "--chunk 3 <", trace, 1},
        {"help", "--help", "usage: keva-trace [--chunk N] [FILE]\nFeeds a captured byte stream", 0},
        {"chunk_zero", "--chunk 0", "", 2},
        {"unknown_option", "--bogus", "", 2},
        {"missing_file", "'/nonexistent/keva' <", "", 2},
    };
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
