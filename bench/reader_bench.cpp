// Throughput of the JSON reader on realistic server traffic fed in 4096-byte chunks, as the
// receive path feeds it; beside it, yajl's streaming parser building the same trees, and
// RapidJSON building the same trees or its own Document per message. Then the whole keva-trace
// path (read, tree, write as text into a buffer), ours and with yajl's parser. Prints the
// ratios of the throughputs (ours / theirs) at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "json/json_reader.h"
#include "json/tree_text.h"
#include "keva-trace/stream_trace.h"
#include "traffic.h"
#ifdef KEVA_BENCH_YAJL
#include "yajl_tree_reader.h"
#endif
#ifdef KEVA_BENCH_RAPIDJSON
#include "rapidjson_tree_reader.h"
#endif

namespace {

constexpr std::size_t kChunk = 4096;
constexpr std::size_t kTrafficBytes = 4 << 20;

const Traffic& SampleTraffic() {
    static const Traffic traffic = GenerateTraffic(kTrafficBytes);
    return traffic;
}

template <typename Reader>
void FeedInChunks(Reader& reader, const std::string& bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
        const std::size_t length = std::min(kChunk, bytes.size() - at);
        if (!reader.Feed(bytes.data() + at, length)) {
            std::fprintf(stderr, "the traffic did not parse\n");
            std::abort();
        }
    }
}

void Count(benchmark::State& state, std::size_t documents) {
    const Traffic& traffic = SampleTraffic();
    if (documents != state.iterations() * traffic.messages) {
        state.SkipWithError("wrong number of documents");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * traffic.bytes.size()));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * traffic.messages));
}

// JsonReader::Feed answers a status; this gives it the shape the feeding loop wants.
struct KevaReader {
    JsonReader reader;
    bool Feed(const char* data, std::size_t length) {
        return reader.Feed(data, length) == JsonStatus::NeedMore;
    }
};

void BM_KevaReader(benchmark::State& state) {
    const Traffic& traffic = SampleTraffic();
    std::size_t documents = 0;
    for (auto _ : state) {
        KevaReader reader{JsonReader([&documents](const JsonNode* root) {
            benchmark::DoNotOptimize(root);
            ++documents;
        })};
        FeedInChunks(reader, traffic.bytes);
    }
    Count(state, documents);
}
BENCHMARK(BM_KevaReader)->Unit(benchmark::kMillisecond);

#ifdef KEVA_BENCH_YAJL
void BM_YajlReader(benchmark::State& state) {
    const Traffic& traffic = SampleTraffic();
    std::size_t documents = 0;
    for (auto _ : state) {
        YajlTreeReader reader([&documents](const JsonNode* root) {
            benchmark::DoNotOptimize(root);
            ++documents;
        });
        FeedInChunks(reader, traffic.bytes);
    }
    Count(state, documents);
}
BENCHMARK(BM_YajlReader)->Unit(benchmark::kMillisecond);
#endif

#ifdef KEVA_BENCH_RAPIDJSON
void RapidJson(benchmark::State& state, RapidJsonTreeReader::Build build) {
    const Traffic& traffic = SampleTraffic();
    std::size_t documents = 0;
    for (auto _ : state) {
        RapidJsonTreeReader reader(build, [&documents](const void* root) {
            benchmark::DoNotOptimize(root);
            ++documents;
        });
        FeedInChunks(reader, traffic.bytes);
    }
    Count(state, documents);
}

void BM_RapidJsonTree(benchmark::State& state) {
    RapidJson(state, RapidJsonTreeReader::Build::NodeTree);
}
BENCHMARK(BM_RapidJsonTree)->Unit(benchmark::kMillisecond);

void BM_RapidJsonDocument(benchmark::State& state) {
    RapidJson(state, RapidJsonTreeReader::Build::Document);
}
BENCHMARK(BM_RapidJsonDocument)->Unit(benchmark::kMillisecond);
#endif

// keva-trace's work without the file: every document written as a line into one buffer.
void BM_KevaTrace(benchmark::State& state) {
    const Traffic& traffic = SampleTraffic();
    std::string out;
    std::size_t documents = 0;
    for (auto _ : state) {
        out.clear();
        StreamTrace trace([&out, &documents](const std::string& line) {
            out += line;
            out += '\n';
            ++documents;
        });
        for (std::size_t at = 0; at < traffic.bytes.size(); at += kChunk) {
            trace.Feed(traffic.bytes.data() + at, std::min(kChunk, traffic.bytes.size() - at));
        }
        benchmark::DoNotOptimize(out.data());
    }
    Count(state, documents);
}
BENCHMARK(BM_KevaTrace)->Unit(benchmark::kMillisecond);

#ifdef KEVA_BENCH_YAJL
// The same lines, from yajl's trees.
void BM_YajlTrace(benchmark::State& state) {
    const Traffic& traffic = SampleTraffic();
    std::string out;
    std::string line;
    std::size_t documents = 0;
    for (auto _ : state) {
        out.clear();
        YajlTreeReader reader([&](const JsonNode* root) {
            line = "document ";
            AppendTreeText(line, root);
            out += line;
            out += '\n';
            ++documents;
        });
        FeedInChunks(reader, traffic.bytes);
        benchmark::DoNotOptimize(out.data());
    }
    Count(state, documents);
}
BENCHMARK(BM_YajlTrace)->Unit(benchmark::kMillisecond);
#endif

// The console's report, plus the bytes per second of each benchmark (the median, with
// repetitions) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (!run.error_occurred && rate != run.counters.end() &&
                (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")) {
                bytesPerSecond[run.run_name.function_name] = rate->second.value;
            }
        }
    }
    std::map<std::string, double> bytesPerSecond;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    std::printf("traffic: %zu bytes, %zu messages, fed in %zu-byte chunks\n",
                SampleTraffic().bytes.size(), SampleTraffic().messages, kChunk);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto ratio = [&reporter](const char* ours, const char* theirs, const char* title) {
        const auto a = reporter.bytesPerSecond.find(ours);
        const auto b = reporter.bytesPerSecond.find(theirs);
        if (a != reporter.bytesPerSecond.end() && b != reporter.bytesPerSecond.end() &&
            b->second > 0) {
            std::printf("ratio ours/%s throughput: %.2f\n", title, a->second / b->second);
        }
    };
    ratio("BM_KevaReader", "BM_YajlReader", "yajl");
    ratio("BM_KevaReader", "BM_RapidJsonTree", "RapidJSON (JsonNode tree)");
    ratio("BM_KevaReader", "BM_RapidJsonDocument", "RapidJSON (Document)");
    ratio("BM_KevaTrace", "BM_YajlTrace", "yajl, keva-trace path");
    return 0;
}
