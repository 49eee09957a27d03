// keva-trace as its users run it: a captured stream in a file or on standard input, the trace
// on standard output and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

const char kStream[] = "{\"a\":1}\r\n{\"%s%n\":tru}\n{\"b\":2}";
const char kTrace[] =
    "document {\"a\":1}\n"
    "report JSON: Unexpected character '}' (possible misspelling of 'true') at line 3     \n"
    "status LexicalError\n";

TEST(KevaTrace, PrintsTheTraceAndExitsWithItsStatus) {
    const struct {
        const char* name;
        const char* arguments;  // shell words; $IN is the quoted path of a file holding kStream
        std::string out;        // standard output; for help, its start
        int exitStatus;
    } rows[] = {
        {"file_whole", "$IN", kTrace, 1},
        {"standard_input_in_chunks_of_3", "--chunk 3 < $IN", kTrace, 1},
        {"help", "--help", "usage: keva-trace [--chunk N] [FILE]\nFeeds a captured byte stream", 0},
        {"chunk_zero", "--chunk 0 $IN", "", 2},
        {"unknown_option", "--bogus $IN", "", 2},
        {"missing_file", "'/nonexistent/keva'", "", 2},
    };
    const std::string path = testing::TempDir() + "keva_trace_input";
    std::ofstream(path, std::ios::binary) << kStream;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string command = std::string("'") + KEVA_TRACE_PATH + "' " + row.arguments;
        if (const std::size_t at = command.find("$IN"); at != std::string::npos) {
            command.replace(at, 3, "'" + path + "'");
        }
        std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out(4096, '\0');
        out.resize(std::fread(out.data(), 1, out.size(), pipe));
        const int status = pclose(pipe);
        EXPECT_EQ(row.exitStatus == 0 ? out.substr(0, row.out.size()) : out, row.out);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, row.exitStatus);
    }
}

}  // namespace
