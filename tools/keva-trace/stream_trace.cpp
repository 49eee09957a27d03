#include "keva-trace/stream_trace.h"

#include <algorithm>
#include <utility>

#include "json/tree_text.h"

StreamTrace::StreamTrace(LineSink out)
    : out_(std::move(out)),
      reporter_([this](const std::string& text) { out_("report " + text); }),
      reader_(
          [this](const JsonNode* root) {
              line_.assign("document ");  // the buffer of the last line is reused
              AppendTreeText(line_, root);
              out_(line_);
          },
          reporter_) {}

bool StreamTrace::Stopped() const {
    return status_ != JsonStatus::NeedMore && status_ != JsonStatus::DocumentEnded;
}

bool StreamTrace::Feed(const char* data, std::size_t length) {
    if (!Stopped()) {
        status_ = reader_.Feed(data, length);
    }
    return !Stopped();
}

void StreamTrace::Finish() {
    out_(std::string("status ") + JsonStatusName(status_));
}

std::string TraceText(std::string_view bytes, std::size_t chunkSize) {
    std::string text;
    StreamTrace trace([&text](const std::string& line) {
        text += line;
        text += '\n';
    });
    const std::size_t step = chunkSize == 0 ? bytes.size() : chunkSize;
    for (std::size_t at = 0; at < bytes.size() && !trace.Stopped(); at += step) {
        const std::size_t length = std::min(step, bytes.size() - at);
        trace.Feed(bytes.data() + at, length);
    }
    trace.Finish();
    return text;
}
