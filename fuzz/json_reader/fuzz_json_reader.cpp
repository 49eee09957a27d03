// Arbitrary bytes through the JSON reader, cut into chunks whose sizes come from the input.
//
// Every tree handed over is walked and written out, and its links are checked. The same bytes
// fed in one chunk must give the same trace: where a stream is cut never changes the result.
// A tree read from the stream, written back, must read again as the very same tree.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "json/json_reader.h"
#include "json/report.h"
#include "json/tree_links.h"
#include "json/tree_text.h"

namespace {

struct Trace {
    std::string text;
    std::vector<std::string> documents;
    JsonStatus status = JsonStatus::NeedMore;
};

bool Failed(JsonStatus status) {
    return status != JsonStatus::NeedMore && status != JsonStatus::DocumentEnded;
}

// Feeds `bytes` in chunks; `chunkSize` gives the size of the chunk starting at a position
// (0: everything that is left).
template <typename ChunkSize>
Trace Feed(std::string_view bytes, ChunkSize chunkSize) {
    Trace trace;
    const Reporter reporter(
        [&trace](const std::string& text) { trace.text += "report " + text + "\n"; });
    {
        JsonReader reader(
            [&trace](const JsonNode* root) {
                if (!root || root->kind != JsonKind::Object || root->parent ||
                    !TreeLinksAgree(*root)) {
                    __builtin_trap();
                }
                std::string tree = TreeText(root);
                trace.text += "document " + tree + "\n";
                trace.documents.push_back(std::move(tree));
            },
            reporter);
        std::size_t at = 0;
        while (at < bytes.size() && !Failed(trace.status)) {
            std::size_t length = chunkSize(at);
            if (length == 0 || length > bytes.size() - at) {
                length = bytes.size() - at;
            }
            trace.status = reader.Feed(bytes.data() + at, length);
            at += length;
        }
    }
    trace.text += std::string("status ") + JsonStatusName(trace.status) + "\n";
    return trace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The byte at the start of each chunk decides its length (1 to 16), so every cut is
    // reachable and valid JSON seeds stay valid JSON.
    const Trace cut = Feed(bytes, [&](std::size_t at) {
        return static_cast<std::size_t>(static_cast<uint8_t>(bytes[at]) % 16) + 1;
    });
    const Trace whole = Feed(bytes, [](std::size_t) { return std::size_t{0}; });
    if (cut.text != whole.text) {
        __builtin_trap();
    }

    for (const std::string& document : whole.documents) {
        const Trace again = Feed(document, [](std::size_t) { return std::size_t{0}; });
        if (again.status != JsonStatus::NeedMore || again.documents.size() != 1 ||
            again.documents[0] != document) {
            __builtin_trap();
        }
    }
    return 0;
}
