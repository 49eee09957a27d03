#include "model_test_support.h"

#include <gtest/gtest.h>

#include "json/json_reader.h"

ReportRecorder::ReportRecorder() {
    previous_ = SetReportSink([this](const std::string& text) {
        texts.push_back(text);
        if (onReport) {
            onReport(text);
        }
    });
}

ReportRecorder::~ReportRecorder() {
    SetReportSink(previous_);
}

void Deliver(const std::string& json, const std::function<void(const JsonNode*)>& handler) {
    int documents = 0;
    JsonReader reader([&](const JsonNode* root) {
        ++documents;
        handler(ValueOf(root->firstChild.get()));
    });
    const std::string wrapped = "{\"Parameters\":" + json + "}";
    EXPECT_EQ(reader.Feed(wrapped.data(), wrapped.size()), JsonStatus::NeedMore) << json;
    EXPECT_EQ(documents, 1) << json;
}
