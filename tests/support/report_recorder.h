// A Reporter that records every report instead of letting it reach stderr: into its own
// `texts`, or into a given log after a prefix. Hand it wherever a `const Reporter&` is taken.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "json/report.h"

class ReportRecorder {
public:
    explicit ReportRecorder(std::vector<std::string>* log = nullptr, std::string prefix = {})
        : reporter_([this, log, prefix = std::move(prefix)](const std::string& text) {
              (log != nullptr ? *log : texts).push_back(prefix + text);
          }) {}
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    operator const Reporter&() const { return reporter_; }
    const Reporter& reporter() const { return reporter_; }

    std::vector<std::string> texts;

private:
    Reporter reporter_;
};
