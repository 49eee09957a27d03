#include "receive_road/receive_road.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "json/json_reader.h"
#include "json/report.h"
#include "link/core/dispatch.h"
#include "link/core/receive_path.h"
#include "model/click_codes.h"
#include "model/station.h"
#include "protocol/names.h"
#include "receive_road/checking_view.h"

namespace {

constexpr int kFullRead = 4096;

// Hands out the stream in reads of the sizes the input names, then reports its end.
class FakeSocket : public ReceiveHost {
public:
    FakeSocket(const uint8_t* stream, std::size_t size, std::vector<int> sizes)
        : stream_(stream), size_(size), sizes_(std::move(sizes)) {}

    int64_t ReadSocket(char* buffer, int32_t capacity) override {
        int want = sizes_.empty() ? kFullRead : sizes_[next_++ % sizes_.size()];
        want = std::min<int>(want, capacity);
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(want), left());
        std::memcpy(buffer, stream_ + offset_, count);
        offset_ += count;
        return static_cast<int64_t>(count);
    }
    void PostReadNotification() override { ++postedReads; }
    void ShowError(const std::string&) override { ++errors; }
    void RequestReconnect() override { reconnectRequested = true; }

    std::size_t left() const { return size_ - offset_; }

    int postedReads = 0;
    int errors = 0;
    bool reconnectRequested = false;

private:
    const uint8_t* stream_;
    std::size_t size_;
    std::size_t offset_ = 0;
    std::vector<int> sizes_;
    std::size_t next_ = 0;
};

// A fixed message held by its own reader, for the handlers a nested loop may run.
class HeldParameters {
public:
    explicit HeldParameters(const char* text) {
        reader_.Feed(text, std::strlen(text));
        const JsonNode* root = reader_.Document();
        parameters_ = root ? ValueOf(root->firstChild.get()) : nullptr;
    }
    const JsonNode* get() const { return parameters_; }

private:
    JsonReader reader_;
    const JsonNode* parameters_ = nullptr;
};

const JsonNode* NestedConfiguration() {
    static const HeldParameters held(R"({"Parameters":{"LowerFrequency":1800,"UpperFrequency":2000,
        "Antennas":[{"Antenna":1,"ShortName":"Low","Row":0,"Column":0,
                     "Description":[{"Rotator":1}]},{"Antenna":2}],
        "Functions":[{"Function":1,"ShortName":"Amp","Row":4,"Column":2}]}})");
    return held.get();
}

const JsonNode* NestedState() {
    static const HeldParameters held(R"({"Parameters":{"TXLongName":"Low",
        "Antennas":[{"Antenna":1,"TX":2,"RX":2},{"Antenna":2,"TX":1,"RX":2}],
        "Functions":[{"Function":1,"State":1,"Highlight":true}]}})");
    return held.get();
}

enum ReentrySwitch : uint8_t {
    kReconnect = 1,
    kNestedConfiguration = 2,
    kNestedState = 4,
    kNestedRead = 8,
};

class Road {
public:
    Road(uint8_t switches, const uint8_t* stream, std::size_t size, std::vector<int> sizes)
        : switches_(switches & 0x0f),
          period_(std::max(1, switches >> 4)),
          socket_(stream, size, std::move(sizes)),
          path_(
              socket_, [this](const JsonNode* root) { OnDocument(root); }, reporter_) {
        view_.Attach(station_);
        station_.SetConnectedTitle("KEVA Windows Client - fuzz");
        table_ = {
            {MessageName::Configuration,
             [this](const JsonNode* p) { station_.HandleConfiguration(p); }},
            {MessageName::State, [this](const JsonNode* p) { station_.HandleState(p); }},
            {MessageName::Rotators, [this](const JsonNode* p) { station_.HandleRotators(p); }},
            {MessageName::Rotation, [this](const JsonNode* p) { station_.HandleRotation(p); }},
        };
    }

    std::string Run() {
        // Reads until the end of the stream has been read; after a reconnection request the
        // rest of the stream goes on as a new connection.
        while (breach_.empty()) {
            const bool lastRead = socket_.left() == 0;
            path_.OnSocketNotify(ReceivePath::FdRead, 0);
            CheckAfterFeed();
            if (lastRead) {
                break;
            }
            if (std::exchange(socket_.reconnectRequested, false)) {
                Reconnect();
            }
        }
        return breach_;
    }

    RoadSummary Summary() const {
        RoadSummary summary = summary_;
        summary.descriptions = station_.descriptions().size();
        summary.rotators = station_.rotators().size();
        summary.shownGridButtons = view_.ShownGridButtons();
        return summary;
    }

private:
    void OnDocument(const JsonNode* root) {
        ++summary_.documents;
        changed_ = true;
        DispatchServerMessage(table_, root, lastSequenceReceived_, reporter_);
        if (breach_.empty()) {
            breach_ = CheckStation();
        }
    }

    void OnReport(const std::string& text) {
        ++reports_;
        changed_ = true;
        summary_.reports.push_back(text);
        if (text.empty() && breach_.empty()) {
            breach_ = "an empty report";
        }
        if (nested_ || switches_ == 0 || reports_ % period_ != 0) {
            return;
        }
        nested_ = true;
        if (switches_ & kNestedRead) {
            path_.OnSocketNotify(ReceivePath::FdRead, 0);
        }
        if (switches_ & kNestedConfiguration) {
            station_.HandleConfiguration(NestedConfiguration());
        }
        if (switches_ & kNestedState) {
            station_.HandleState(NestedState());
        }
        if (switches_ & kReconnect) {
            Reconnect();
        }
        nested_ = false;
    }

    // What a reconnection does to the station and the receive path.
    void Reconnect() {
        station_.ClearRotators();
        view_.Reset();
        path_.DiscardReader();
    }

    std::string CheckStation() const {
        if (!view_.breach().empty()) {
            return view_.breach();
        }
        const auto& descriptions = station_.descriptions();
        for (int slot = 0; slot < GridSlots; ++slot) {
            const int32_t index = station_.buttonSlot(slot);
            if (index != -1 &&
                (index < 0 || static_cast<std::size_t>(index) >= descriptions.size())) {
                return "buttonSlot " + std::to_string(slot) + " holds " + std::to_string(index);
            }
            const AntFuncDescription* d = station_.DescriptionOnSlot(slot);
            if (d && !ClickCodesInRange(*d)) {
                return "click codes out of range on slot " + std::to_string(slot);
            }
        }
        const auto& rotators = station_.rotators();
        if (rotators.size() > static_cast<std::size_t>(MaxRotators)) {
            return std::to_string(rotators.size()) + " rotators";
        }
        for (const auto& rotator : rotators) {
            const int32_t p = rotator->relativePosition;
            if (p != NoPosition && (p < 0 || p > 360)) {
                return "relative position " + std::to_string(p);
            }
        }
        return {};
    }

    static bool ClickCodesInRange(const AntFuncDescription& d) {
        for (int mode = 0; mode < 3; ++mode) {
            const AntennaCodes codes = AntennaClickCodes(d, mode == 1, mode == 2);
            if (codes.tx < 0 || codes.tx > 4 || codes.rx < 0 || codes.rx > 4) {
                return false;
            }
        }
        const int32_t single = FunctionClickState(d);
        const int32_t twice = FunctionDoubleClickState(d);
        return single >= 0 && single <= 2 && (twice == 0 || twice == 3);
    }

    // After a read the trees are gone: comparing the face with the records reads every text
    // the station keeps, so a text that still pointed into a freed tree would show here.
    void CheckAfterFeed() {
        if (!breach_.empty() || !std::exchange(changed_, false)) {
            return;
        }
        breach_ = CheckStation();
        if (breach_.empty()) {
            breach_ = view_.Compare();
        }
    }

    uint8_t switches_;
    int period_;
    int reports_ = 0;
    bool nested_ = false;
    bool changed_ = false;  // a document or a report since the last check after a read
    std::string breach_;
    RoadSummary summary_;

    Reporter reporter_{[this](const std::string& text) { OnReport(text); }};
    CheckingView view_;
    Station station_{view_, reporter_};
    MessageTable table_;
    int32_t lastSequenceReceived_ = 0;
    FakeSocket socket_;
    ReceivePath path_;
};

}  // namespace

std::string RunReceiveRoad(const uint8_t* data, std::size_t size, RoadSummary* summary) {
    if (size < 2) {
        return {};
    }
    const uint8_t switches = data[0];
    const std::size_t count = data[1] % 16;
    if (size < 2 + count) {
        return {};
    }
    std::vector<int> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        sizes.push_back(data[2 + i] == 0 ? kFullRead : data[2 + i]);
    }
    Road road(switches, data + 2 + count, size - 2 - count, std::move(sizes));
    std::string breach = road.Run();
    if (summary) {
        *summary = road.Summary();
    }
    return breach;
}
