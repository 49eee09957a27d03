// keva-trace: replays a captured KEVA byte stream through the JSON reader and prints what the
// console would receive: each document, each report, and the final reader status.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "keva-trace/stream_trace.h"

namespace {

constexpr unsigned long kDefaultChunk = 4096;
constexpr unsigned long kLargestChunk = 1ul << 30;

const char kUsage[] =
    "usage: keva-trace [--chunk N] [FILE]\n"
    "Feeds a captured byte stream (FILE, or standard input when FILE is absent or -) to the\n"
    "JSON reader in chunks of N bytes (default 4096) and prints, in stream order:\n"
    "  document <tree>   each completed top-level object, written compactly\n"
    "  report <text>     each report the reader shows\n"
    "  status <name>     the reader status after the last chunk\n"
    "Exit status: 0 when the last status is NeedMore, 1 otherwise, 2 for a usage error.\n";

struct Options {
    unsigned long chunk = kDefaultChunk;
    const char* path = nullptr;  // none: standard input
    bool help = false;
};

int UsageError(const std::string& problem) {
    std::fprintf(stderr, "keva-trace: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

// A whole decimal number from 1 to kLargestChunk, or 0.
unsigned long ParseChunk(const char* text) {
    if (*text < '0' || *text > '9') {
        return 0;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > kLargestChunk) {
        return 0;
    }
    return value;
}

// 0 when the arguments are good, else the exit status of the usage error already reported.
int ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const char* chunkText = nullptr;
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return 0;
        } else if (argument == "--chunk") {
            if (i + 1 == argc) {
                return UsageError("--chunk needs a number of bytes");
            }
            chunkText = argv[++i];
        } else if (argument.rfind("--chunk=", 0) == 0) {
            chunkText = argv[i] + std::strlen("--chunk=");
        } else if (argument.size() > 1 && argument[0] == '-') {
            return UsageError("unknown option " + argument);
        } else if (options.path) {
            return UsageError("more than one FILE given");
        } else {
            options.path = argv[i];
            continue;
        }
        options.chunk = ParseChunk(chunkText);
        if (options.chunk == 0) {
            return UsageError(std::string("--chunk wants a whole number from 1 to ") +
                              std::to_string(kLargestChunk) + ", not '" + chunkText + "'");
        }
    }
    return 0;
}

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int status = ParseArguments(argc, argv, options); status != 0) {
        return status;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::FILE* input = stdin;
    const bool fromStdin = !options.path || std::strcmp(options.path, "-") == 0;
    if (!fromStdin) {
        input = std::fopen(options.path, "rb");
        if (!input) {
            return UsageError(std::string("cannot open ") + options.path + ": " +
                              std::strerror(errno));
        }
    }

    std::vector<char> chunk(options.chunk);
    StreamTrace trace(PrintLine);
    while (!trace.Stopped()) {
        const std::size_t length = std::fread(chunk.data(), 1, chunk.size(), input);
        if (length == 0) {
            break;
        }
        trace.Feed(chunk.data(), length);
    }
    const bool readFailed = std::ferror(input) != 0;
    if (!fromStdin) {
        std::fclose(input);
    }
    trace.Finish();
    std::fflush(stdout);
    if (readFailed) {
        std::fprintf(stderr, "keva-trace: read error on %s\n",
                     fromStdin ? "standard input" : options.path);
        return 1;
    }
    return trace.Status() == JsonStatus::NeedMore ? 0 : 1;
}
