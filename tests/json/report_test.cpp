// The diagnostic reporter: the threshold, the sink, and server text kept out of the format.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "json/report.h"
#include "support/report_recorder.h"

namespace {

TEST(ReportMessage, ShowsLevelZeroAndDropsLevelsAboveTheThresholdUnformatted) {
    // Formatting the level-1 report would read through a pointer that points nowhere.
    const char* const nowhere = reinterpret_cast<const char*>(uintptr_t{8});
    ReportRecorder reports;
    ReportMessage(2, "Sequence %d", 7);
    ReportMessage(1, "Found Message %s", nowhere);
    ReportMessage(0, "Got sequence number %d, expected %d", 10, 1);
    ReportMessage(-1, "below the threshold is shown too");
    EXPECT_EQ(reports.texts, (std::vector<std::string>{"Got sequence number 10, expected 1",
                                                       "below the threshold is shown too"}));
}

TEST(ReportMessage, PrintsServerTextAsTextAndWhole) {
    ReportRecorder reports;
    const std::string name(100000, 'n');
    ReportMessage(0, "Unknown message %s received from client", "%s%n%x");
    ReportMessage(0, "%s", "");
    ReportMessage(0, "Unknown message %s received from client", name.c_str());
    EXPECT_EQ(reports.texts,
              (std::vector<std::string>{"Unknown message %s%n%x received from client", "",
                                        "Unknown message " + name + " received from client"}));
}

TEST(ReportMessage, WritesToStderrWithoutASink) {
    const ReportSink previous = SetReportSink({});
    testing::internal::CaptureStderr();
    ReportMessage(0, "JSON: Out of memory%s", "");
    ReportMessage(1, "not shown");
    const std::string written = testing::internal::GetCapturedStderr();
    SetReportSink(previous);
    EXPECT_EQ(written, "JSON: Out of memory\n");
}

TEST(SetReportSink, ReturnsThePreviousSinkEvenWhenReplacedWhileShowing) {
    std::vector<std::string> first;
    std::vector<std::string> second;
    const ReportSink original = SetReportSink([&](const std::string& t) { first.push_back(t); });
    ReportMessage(0, "one");
    const ReportSink firstSink = SetReportSink([&](const std::string& t) { second.push_back(t); });
    ReportMessage(0, "two");
    SetReportSink(firstSink);
    ReportMessage(0, "three");
    // A message box's nested loop may run code that installs another sink.
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
