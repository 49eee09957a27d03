// The diagnostic reporter: the threshold, the sink, and server text kept out of the format.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "json/report.h"
#include "support/report_recorder.h"

namespace {

TEST(ReportMessage, ShowsUpToTheThresholdWithServerTextAsTextAndWhole) {
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
        ReportMessage(row.level, row.format, row.argument);
        EXPECT_EQ(reports.texts,
                  row.shown ? std::vector<std::string>{*row.shown} : std::vector<std::string>{});
    }
    ReportSink previous = SetReportSink({});  // without a sink: standard error
    testing::internal::CaptureStderr();
    ReportMessage(0, "JSON: Out of memory%s", "");
    ReportMessage(1, "not shown");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "JSON: Out of memory\n");
    SetReportSink(previous);
}

// A message box's nested loop may run code that installs another sink.
TEST(SetReportSink, ReturnsThePreviousSinkEvenWhenReplacedWhileShowing) {
    std::vector<std::string> first, second;
    const ReportSink original = SetReportSink([&](const std::string& t) { first.push_back(t); });
    ReportMessage(0, "one");
    const ReportSink firstSink = SetReportSink([&](const std::string& t) { second.push_back(t); });
    ReportMessage(0, "two");
    SetReportSink(firstSink);
    ReportMessage(0, "three");
    int calls = 0;
    SetReportSink([&](const std::string&) {
        ++calls;
        SetReportSink([&](const std::string& t) { second.push_back(t); });
        ReportMessage(0, "nested");
    });
    ReportMessage(0, "outer");
    ReportMessage(0, "after");
    SetReportSink(original);
    EXPECT_EQ(first, (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(second, (std::vector<std::string>{"two", "nested", "after"}));
    EXPECT_EQ(calls, 1);
}

}  // namespace
