// The diagnostic reporter shared by the reader and every message handler.
//
// A report at a level above DiagnosticThreshold is dropped without being formatted. Otherwise
// the formatted text goes to the installed sink; the console's sink shows a modal message box
// and returns when the operator has closed it, so a caller must expect re-entry meanwhile.
#pragma once

#include <functional>
#include <string>

inline constexpr int DiagnosticThreshold = 0;

using ReportSink = std::function<void(const std::string& text)>;

// Installs `sink` and returns the previous one. With no sink installed, reports go to stderr.
ReportSink SetReportSink(ReportSink sink);

// printf-style. Server text is only ever passed as an argument, never as the format.
void ReportMessage(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));
