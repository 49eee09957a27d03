// keva-trace as its users run it: a captured stream in a file or on standard input, the trace
// on standard output and the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

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

TEST(KevaTrace, PrintsEveryDocumentAndTheStatus) {
    const std::string path = WriteInput("stream", kStream);
    for (const char* chunk : {"", "--chunk 1 ", "--chunk 5 ", "--chunk=4096 "}) {
        const TraceRun run = RunTrace(chunk + ("'" + path + "'"));
        EXPECT_EQ(run.out, kStreamTrace) << chunk;
        EXPECT_EQ(run.exitStatus, 0) << chunk;
    }
}

TEST(KevaTrace, ReadsStandardInput) {
    const std::string path = WriteInput("stdin", kStream);
    const TraceRun run = RunTrace("--chunk 3 < '" + path + "'");
    EXPECT_EQ(run.out, kStreamTrace);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(RunTrace("- < '" + path + "'").out, kStreamTrace);
}

TEST(KevaTrace, StopsAtTheFirstErrorAndExitsWithOne) {
    const std::string path = WriteInput("error", "{\"a\":1}\r\n{\"%s%n\":tru}\n{\"b\":2}");
    const TraceRun run = RunTrace("--chunk 2 '" + path + "'");
    EXPECT_EQ(
        run.out,
        "document {\"a\":1}\n"
        "report JSON: Unexpected character '}' (possible misspelling of 'true') at line 3     \n"
        "status LexicalError\n");
    EXPECT_EQ(run.exitStatus, 1);
}

TEST(KevaTrace, AnEmptyOrUnfinishedStreamNeedsMore) {
    EXPECT_EQ(RunTrace("'" + WriteInput("empty", "") + "'").out, "status NeedMore\n");
    const TraceRun unfinished = RunTrace("'" + WriteInput("unfinished", "{\"a\":[1,") + "'");
    EXPECT_EQ(unfinished.out, "status NeedMore\n");
    EXPECT_EQ(unfinished.exitStatus, 0);
}

TEST(KevaTrace, WritesDeepNestingInFull) {
    const std::string deep = "{\"a\":" + std::string(100000, '[') + std::string(100000, ']') + "}";
    const TraceRun run = RunTrace("--chunk 65536 '" + WriteInput("deep", deep) + "'");
    EXPECT_EQ(run.out, "document " + deep + "\nstatus NeedMore\n");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(KevaTrace, RefusesBadArgumentsWithTwo) {
    const std::string path = "'" + WriteInput("args", "{}") + "'";
    for (const std::string& arguments : std::vector<std::string>{
             "--chunk 0 " + path, "--chunk x " + path, "--chunk -1 " + path, "--chunk 12k " + path,
             "--chunk", "--bogus " + path, path + " " + path, std::string("'/nonexistent/keva'")}) {
        const TraceRun run = RunTrace(arguments);
        EXPECT_EQ(run.exitStatus, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }
}

TEST(KevaTrace, HelpPrintsUsage) {
    const TraceRun run = RunTrace("--help");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out.rfind("usage: keva-trace [--chunk N] [FILE]\n", 0), 0u) << run.out;
}

}  // namespace
