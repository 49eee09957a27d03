// The diagnostic reporter shared by the reader and every message handler.
//
// A report at a level above DiagnosticThreshold is dropped without being formatted. Otherwise
// the formatted text goes to the reporter's sink; the console's sink shows a modal message box
// and returns when the operator has closed it, so a caller must expect re-entry meanwhile.
#pragma once

#include <functional>
#include <string>

inline constexpr int DiagnosticThreshold = 0;

using ReportSink = std::function<void(const std::string& text)>;

class Reporter {
public:
    // With no sink, reports go to stderr.
    explicit Reporter(ReportSink sink = {}) : sink_(std::move(sink)) {}

    // printf-style. Server text is only ever passed as an argument, never as the format.
    void ReportMessage(int level, const char* format, ...) const
        __attribute__((format(printf, 3, 4)));

private:
    ReportSink sink_;
};

// A reporter that writes to stderr, for whoever does not watch reports.
const Reporter& StandardErrorReporter();
