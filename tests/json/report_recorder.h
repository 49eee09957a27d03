// Records every report shown while it lives, instead of letting them reach stderr.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "json/report.h"

class ReportRecorder {
public:
    ReportRecorder()
        : previous_(SetReportSink([this](const std::string& text) { texts.push_back(text); })) {}
    ~ReportRecorder() { SetReportSink(std::move(previous_)); }
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    std::vector<std::string> texts;

private:
    ReportSink previous_;
};
