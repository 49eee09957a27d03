// A byte stream fed to a JsonReader, and what the reader makes of it as lines of text:
//   document <tree>   each completed top-level object (TreeText)
//   report <text>     each report shown while feeding
//   status <name>     the status of the last Feed (written by Finish)
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "json/json_reader.h"
#include "json/report.h"

class StreamTrace {
public:
    using LineSink = std::function<void(const std::string& line)>;

    // Reports become "report <text>" lines of `out`.
    explicit StreamTrace(LineSink out);
    StreamTrace(const StreamTrace&) = delete;
    StreamTrace& operator=(const StreamTrace&) = delete;

    // Feeds one chunk unless an earlier one failed; false once feeding has stopped.
    bool Feed(const char* data, std::size_t length);
    bool Stopped() const;
    JsonStatus Status() const { return status_; }
    // Writes the status line.
    void Finish();

private:
    LineSink out_;
    std::string line_;  // the document line being written
    Reporter reporter_;
    JsonReader reader_;
    // What a fresh reader with a handler answers to a Feed of no bytes.
    JsonStatus status_ = JsonStatus::NeedMore;
};

// The whole trace of `bytes` fed in chunks of `chunkSize` bytes (0: in one chunk), each line
// ended by '\n'.
std::string TraceText(std::string_view bytes, std::size_t chunkSize);
