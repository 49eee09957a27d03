// Feeding handlers with parsed text, and catching what they report.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "json/json_node.h"
#include "json/report.h"

// Collects every report while it lives; `onReport` (if set) runs inside the report, where the
// console would run its nested event loop.
class ReportRecorder {
public:
    ReportRecorder();
    ~ReportRecorder();
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    std::vector<std::string> texts;
    std::function<void(const std::string&)> onReport;

private:
    ReportSink previous_;
};

// Parses `json` (any JSON value) with the real reader and hands the value to `handler`, as the
// dispatcher hands over "Parameters". The tree is freed when this returns.
void Deliver(const std::string& json, const std::function<void(const JsonNode*)>& handler);
