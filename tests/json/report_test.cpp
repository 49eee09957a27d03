// The diagnostic reporter: the threshold, the sink or standard error, and server text kept out
// of the format.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "json/report.h"
#include "support/report_recorder.h"

namespace {

TEST(Reporter, ShowsUpToTheThresholdWithServerTextAsTextAndWhole) {
    // Formatting a report above the threshold would read through a pointer that points nowhere.
    const char* const nowhere = reinterpret_cast<const char*>(uintptr_t{8});
    const std::string longName(100000, 'n');
    const struct {
        int level;
        const char* format;
        const char* argument;
        std::optional<std::string> shown;  // none: dropped
    } rows[] = {
        {2, "Found Message %s", nowhere, std::nullopt},
        {1, "Found Message %s", nowhere, std::nullopt},
        {0, "Unknown message %s received from client", "%s%n%x",
         "Unknown message %s%n%x received from client"},
        {-1, "%s", "below the threshold is shown too", "below the threshold is shown too"},
        {0, "%s", "", ""},
        {0, "Unknown message %s", longName.c_str(), "Unknown message " + longName},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.level);
        ReportRecorder reports;
        reports.reporter().ReportMessage(row.level, row.format, row.argument);
        EXPECT_EQ(reports.texts,
                  row.shown ? std::vector<std::string>{*row.shown} : std::vector<std::string>{});
    }
    testing::internal::CaptureStderr();  // a reporter without a sink, and the standard one
    Reporter().ReportMessage(0, "JSON: Out of memory%s", "");
    StandardErrorReporter().ReportMessage(0, "%s", "second");
    StandardErrorReporter().ReportMessage(1, "not shown");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "JSON: Out of memory\nsecond\n");
}

}  // namespace
