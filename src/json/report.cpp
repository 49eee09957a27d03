#include "json/report.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {

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

const Reporter& StandardErrorReporter() {
    static const Reporter reporter;
    return reporter;
}

void Reporter::ReportMessage(int level, const char* format, ...) const {
    if (level > DiagnosticThreshold) {
        return;
    }
    va_list args;
    va_start(args, format);
    const std::string text = FormatText(format, args);
    va_end(args);
    if (sink_) {
        sink_(text);
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}
