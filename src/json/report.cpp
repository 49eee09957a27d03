#include "json/report.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {

ReportSink& InstalledSink() {
    static ReportSink sink;
    return sink;
}

std::string FormatText(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

}  // namespace

ReportSink SetReportSink(ReportSink sink) {
    return std::exchange(InstalledSink(), std::move(sink));
}

void ReportMessage(int level, const char* format, ...) {
    if (level > DiagnosticThreshold) {
        return;
    }
    va_list args;
    va_start(args, format);
    const std::string text = FormatText(format, args);
    va_end(args);
    // A copy: the sink may run a nested event loop in which the sink is replaced.
    const ReportSink sink = InstalledSink();
    if (sink) {
        sink(text);
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}
