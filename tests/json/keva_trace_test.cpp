// keva-trace as its users run it: a captured stream in a file or on standard input, the trace
// on standard output and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct TraceRun {
    std::string out;
    int exitStatus = -1;
};

std::string WriteInput(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + "keva_trace_" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Runs keva-trace with `arguments` (shell words) and standard error thrown away.
TraceRun RunTrace(const std::string& arguments) {
    const std::string command =
        std::string("'") + KEVA_TRACE_PATH + "' " + arguments + " 2>/dev/null";
    TraceRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[4096];
    std::size_t length;
    while ((length = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, length);
    }
    const int status = pclose(pipe);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const char kStream[] =
    "{\"Message\":\"Rotation\",\"Sequence\":4,\"Version\":1,\r\n"
    " \"Parameters\":{\"Rotator\":1,\"Position\":45,\"CCWLimit\":180}}\r\n"
    "{}{\"Message\":\"Server\",\"Sequence\":100,\"Version\":1,\"Parameters\":{ }}\r\n";

const char kStreamTrace[] =
    "document {\"Message\":\"Rotation\",\"Sequence\":4,\"Version\":1,\"Parameters\":"
    "{\"Rotator\":1,\"Position\":45,\"CCWLimit\":180}}\n"
    "document {}\n"
    "document {\"Message\":\"Server\",\"Sequence\":100,\"Version\":1,\"Parameters\":{}}\n"
    "status NeedMore\n";

struct TraceRow {
    const char* name;
    std::string input;      // written to a file whose quoted path stands in for $IN
    std::string arguments;  // shell words
    std::string out;
    int exitStatus;
};

const TraceRow kTraceRows[] = {
    {"file_whole", kStream, "$IN", kStreamTrace, 0},
    {"file_in_chunks_of_1", kStream, "--chunk 1 $IN", kStreamTrace, 0},
    {"standard_input", kStream, "--chunk 3 < $IN", kStreamTrace, 0},
    {"stops_at_the_first_error_with_one", "{\"a\":1}\r\n{\"%s%n\":tru}\n{\"b\":2}", "--chunk 2 $IN",
     "document {\"a\":1}\n"
     "report JSON: Unexpected character '}' (possible misspelling of 'true') at line 3     \n"
     "status LexicalError\n",
     1},
    {"chunk_zero", "{}", "--chunk 0 $IN", "", 2},
    {"unknown_option", "{}", "--bogus $IN", "", 2},
    {"missing_file", "{}", "'/nonexistent/keva'", "", 2},
};

TEST(KevaTrace, PrintsTheTraceAndExitsWithItsStatus) {
    for (const TraceRow& row : kTraceRows) {
        SCOPED_TRACE(row.name);
        const std::string path = "'" + WriteInput(row.name, row.input) + "'";
        std::string arguments = row.arguments;
        for (std::size_t at; (at = arguments.find("$IN")) != std::string::npos;) {
            arguments.replace(at, 3, path);
        }
        const TraceRun run = RunTrace(arguments);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.exitStatus, row.exitStatus);
    }
}

TEST(KevaTrace, HelpPrintsUsage) {
    const TraceRun run = RunTrace("--help");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out.rfind("usage: keva-trace [--chunk N] [FILE]\n", 0), 0u) << run.out;
}

}  // namespace
