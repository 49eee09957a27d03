// Installs a report sink that records every text shown, restoring the previous sink after.
#pragma once

#include <string>
#include <vector>

#include "json/report.h"

class ReportRecorder {
public:
    explicit ReportRecorder(std::vector<std::string>& log, std::string prefix = {})
        : previous_(SetReportSink(
              [&log, prefix](const std::string& text) { log.push_back(prefix + text); })) {}
    ~ReportRecorder() { SetReportSink(previous_); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

private:
    ReportSink previous_;
};
