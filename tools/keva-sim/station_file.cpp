#include "keva-sim/station_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <utility>

#include "json/json_reader.h"
#include "json/report.h"
#include "keva-sim/strict_object.h"

namespace {

// -1 is how the console spells "absent", so numbers start at 0.
constexpr int32_t MaxNumber = std::numeric_limits<int32_t>::max() - 1;

std::string Element(std::string_view array, int index) {
    return std::string(array) + "[" + std::to_string(index) + "]";
}

template <typename Setup>
bool Unique(const std::vector<Setup>& setups, int32_t Setup::*field, const char* kind,
            std::string& error) {
    for (std::size_t i = 0; i < setups.size(); ++i) {
        for (std::size_t j = i + 1; j < setups.size(); ++j) {
            if (setups[i].*field == setups[j].*field) {
                error = std::string("station: two ") + kind + "s are numbered " +
                        std::to_string(setups[i].*field);
                return false;
            }
        }
    }
    return true;
}

bool ReadBand(const JsonNode* node, const std::string& where, Band& band, std::string& error) {
    const JsonNode* low = node && node->kind == JsonKind::Array ? node->firstChild.get() : nullptr;
    const JsonNode* high = low ? low->next.get() : nullptr;
    if (high == nullptr || high->next != nullptr ||
        !WholeNumberIn(low, 0, MaxNumber, band.lowKhz) ||
        !WholeNumberIn(high, 0, MaxNumber, band.highKhz) || band.lowKhz > band.highKhz) {
        error = where + ": each band must be [low, high] in kHz, low not above high";
        return false;
    }
    return true;
}

bool ReadRotatorList(const JsonNode* array, const std::string& where, AntennaSetup& antenna,
                     std::string& error) {
    for (const JsonNode* n = array ? array->firstChild.get() : nullptr; n; n = n->next.get()) {
        int32_t number = 0;
        if (!WholeNumberIn(n, 0, MaxNumber, number)) {
            error = where + ": \"Rotators\" must list rotator numbers";
            return false;
        }
        antenna.rotators.push_back(number);
    }
    return true;
}

bool ReadAntenna(const JsonNode* node, const std::string& where, AntennaSetup& a,
                 std::string& error) {
    StrictObject o(node, where, error);
    const JsonNode* rotators = nullptr;
    const JsonNode* bands = nullptr;
    bool ok = o.Integer("Antenna", 0, MaxNumber, a.number) && o.Text("ShortName", a.shortName);
    a.longName = a.shortName;
    ok = ok && o.OptionalText("LongName", a.longName) && o.OptionalInteger("Row", -1, 4, a.row) &&
         o.OptionalInteger("Column", -1, 2, a.column) && o.OptionalFlag("Additive", a.additive) &&
         o.OptionalFlag("ReceiveOnly", a.receiveOnly) && o.OptionalArray("Rotators", rotators) &&
         o.Array("Bands", bands) && o.Finish();
    if (!ok || !ReadRotatorList(rotators, where, a, error)) {
        return false;
    }
    for (const JsonNode* b = bands->firstChild.get(); b; b = b->next.get()) {
        a.bands.emplace_back();
        if (!ReadBand(b, where, a.bands.back(), error)) {
            return false;
        }
    }
    return !a.bands.empty() || o.Fail("\"Bands\" must name at least one band");
}

bool ReadFunction(const JsonNode* node, const std::string& where, FunctionSetup& f,
                  std::string& error) {
    StrictObject o(node, where, error);
    bool ok = o.Integer("Function", 0, MaxNumber, f.number) && o.Text("ShortName", f.shortName);
    f.longName = f.shortName;
    return ok && o.OptionalText("LongName", f.longName) && o.OptionalInteger("Row", -1, 4, f.row) &&
           o.OptionalInteger("Column", -1, 2, f.column) &&
           o.OptionalFlag("Momentary", f.momentary) && o.OptionalFlag("Alternate", f.alternate) &&
           o.Finish();
}

bool ReadRotator(const JsonNode* node, const std::string& where, RotatorSetup& r,
                 std::string& error) {
    StrictObject o(node, where, error);
    bool ok = o.Integer("Rotator", 0, MaxNumber, r.number) && o.Text("ShortName", r.shortName);
    r.longName = r.shortName;
    ok = ok && o.OptionalText("LongName", r.longName) &&
         o.Integer("CCWLimit", 0, 359, r.ccwLimit) && o.Integer("Rotation", 1, 720, r.rotation) &&
         o.OptionalFlag("HasStop", r.hasStop) && o.OptionalInteger("Speed", 1, 360, r.speed);
    r.startBearing = r.ccwLimit;
    ok = ok && o.OptionalInteger("StartBearing", 0, 359, r.startBearing) && o.Finish();
    const int32_t offset = ((r.startBearing - r.ccwLimit) % 360 + 360) % 360;
    return ok &&
           (offset <= r.rotation || o.Fail("\"StartBearing\" is outside the rotator's range"));
}

bool ReadRadio(const JsonNode* node, const std::string& where, RadioSetup& r, std::string& error) {
    StrictObject o(node, where, error);
    return o.Integer("Radio", 0, MaxNumber, r.radio) &&
           o.Integer("Frequency", 0, MaxNumber, r.frequency) && o.Finish();
}

template <typename Setup, typename ReadOne>
bool ReadArray(const JsonNode* array, std::string_view name, std::vector<Setup>& out,
               ReadOne readOne, std::string& error) {
    int index = 0;
    for (const JsonNode* n = array ? array->firstChild.get() : nullptr; n; n = n->next.get()) {
        out.emplace_back();
        if (!readOne(n, Element(name, index++), out.back(), error)) {
            return false;
        }
    }
    return true;
}

bool CrossCheck(const StationDescription& s, std::string& error) {
    if (s.lowerFrequency > s.upperFrequency) {
        error = "station: \"LowerFrequency\" is above \"UpperFrequency\"";
        return false;
    }
    if (!Unique(s.antennas, &AntennaSetup::number, "antenna", error) ||
        !Unique(s.functions, &FunctionSetup::number, "function", error) ||
        !Unique(s.rotators, &RotatorSetup::number, "rotator", error) ||
        !Unique(s.radios, &RadioSetup::radio, "radio", error)) {
        return false;
    }
    for (const AntennaSetup& a : s.antennas) {
        for (int32_t r : a.rotators) {
            const bool known =
                std::any_of(s.rotators.begin(), s.rotators.end(),
                            [r](const RotatorSetup& setup) { return setup.number == r; });
            if (!known) {
                error = "station: antenna " + std::to_string(a.number) + " names rotator " +
                        std::to_string(r) + ", which the station does not have";
                return false;
            }
        }
    }
    return true;
}

bool ReadStation(const JsonNode* root, StationDescription& s, std::string& error) {
    StrictObject o(root, "station", error);
    const JsonNode* radios = nullptr;
    const JsonNode* antennas = nullptr;
    const JsonNode* functions = nullptr;
    const JsonNode* rotators = nullptr;
    return o.OptionalInteger("Station", 0, MaxNumber, s.station) &&
           o.Integer("LowerFrequency", 0, MaxNumber, s.lowerFrequency) &&
           o.Integer("UpperFrequency", 0, MaxNumber, s.upperFrequency) &&
           o.OptionalArray("Radios", radios) && o.Array("Antennas", antennas) &&
           o.OptionalArray("Functions", functions) && o.OptionalArray("Rotators", rotators) &&
           o.Finish() && ReadArray(radios, "Radios", s.radios, ReadRadio, error) &&
           ReadArray(antennas, "Antennas", s.antennas, ReadAntenna, error) &&
           ReadArray(functions, "Functions", s.functions, ReadFunction, error) &&
           ReadArray(rotators, "Rotators", s.rotators, ReadRotator, error) && CrossCheck(s, error);
}

}  // namespace

bool AntennaSetup::Covers(int64_t frequencyKhz) const {
    return std::any_of(bands.begin(), bands.end(), [frequencyKhz](const Band& b) {
        return b.lowKhz <= frequencyKhz && frequencyKhz <= b.highKhz;
    });
}

bool ParseStation(std::string_view text, StationDescription& station, std::string& error) {
    error.clear();
    std::string readerError;
    const Reporter reporter([&readerError](const std::string& report) {
        if (readerError.empty()) {
            readerError = report;
        }
    });
    JsonReader reader({}, reporter);
    const JsonStatus status = reader.Feed(text.data(), text.size());

    if (status == JsonStatus::NeedMore) {
        error = "station: the file holds no complete JSON object";
        return false;
    }
    if (status != JsonStatus::DocumentEnded) {
        error =
            "station: " + (readerError.empty() ? std::string(JsonStatusName(status)) : readerError);
        return false;
    }
    StationDescription read;
    if (!ReadStation(reader.Document(), read, error)) {
        return false;
    }
    station = std::move(read);
    return true;
}

bool LoadStationFile(const std::string& path, StationDescription& station, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = path + ": cannot be read";
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        error = path + ": cannot be read";
        return false;
    }
    if (!ParseStation(text, station, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}
