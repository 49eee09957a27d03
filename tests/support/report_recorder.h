// Records every report shown while it lives, instead of letting them reach stderr: into its own
// `texts`, or into a given log after a prefix.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "json/report.h"

class ReportRecorder {
public:
    explicit ReportRecorder(std::vector<std::string>* log = nullptr, std::string prefix = {})
        : previous_(SetReportSink([this, log, prefix](const std::string& text) {
              (log != nullptr ? *log : texts).push_back(prefix + text);
          })) {}
    ~ReportRecorder() { SetReportSink(std::move(previous_)); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    std::vector<std::string> texts;

private:
    ReportSink previous_;
};
