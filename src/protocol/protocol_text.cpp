#include "protocol/protocol_text.h"

#include <cstdarg>
#include <cstdio>

namespace {

// The runs of blanks are part of the protocol text.
constexpr const char* kHelloFormat =
    "{    \"Message\" : \"Hello\",    \"Sequence\" : %d,    \"Version\": 1,    \"Parameters\" : {"
    "        \"Protocol\" : \"KEVA\",        \"Name\" : \"Windows Client\","
    "        \"Bidirectional\" : true,        \"Radios\": [            {\"Station\" : %d,"
    " \"Radio\" : %d}        ],        \"Rows\" : 5,        \"Columns\" : 3    }}";

constexpr const char* kAntennaHead =
    "{ \"Message\" : \"Antenna\", \"Sequence\" : %d, \"Version\": 1, \"Parameters\" : {"
    " \"Station\" : %d, \"Radio\" : %d, \"Antennas\" : [";
constexpr const char* kAntennaTxEntry = " {\"TX\" : %d, \"Antenna\" : %d }";
constexpr const char* kAntennaSeparator = ", ";
constexpr const char* kAntennaRxEntry = " {\"RX\" : %d, \"Antenna\" : %d }";
constexpr const char* kAntennaTail = " ] } }";

constexpr const char* kFunctionFormat =
    "{ \"Message\" : \"Function\", \"Sequence\" : %d, \"Version\": 1, \"Parameters\" : {"
    " \"Station\" : %d, \"Radio\" : %d, \"Function\" : %d, \"State\" : %d} }";

constexpr const char* kRadioFormat =
    "{ \"Message\" : \"Radio\", \"Sequence\" : %d, \"Version\": 1, \"Parameters\" : {"
    " \"Station\" : %d, \"Radio\" : %d, \"Frequency\" : %d} }";

constexpr const char* kDirectionTurnFormat =
    "{ \"Message\" : \"Direction\", \"Sequence\" : %d, \"Version\": 1, \"Parameters\" : {"
    " \"Rotator\" : %d, \"Direction\" : %d} }";

constexpr const char* kDirectionStopFormat =
    "{ \"Message\" : \"Direction\", \"Sequence\" : %d, \"Version\": 1, \"Parameters\" : {"
    " \"Rotator\" : %d, \"Stop\" : true} }";

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length));
        std::vsnprintf(text.data(), text.size() + 1, format, args);
    }
    va_end(args);
    return text;
}

}  // namespace

std::string HelloText(int32_t sequence, int32_t station, int32_t radio) {
    return Format(kHelloFormat, sequence, station, radio);
}

std::string AntennaText(int32_t sequence, int32_t station, int32_t radio, int32_t txCode,
                        int32_t antenna, int32_t rxCode) {
    std::string text = Format(kAntennaHead, sequence, station, radio);
    if (txCode != 0) {
        text += Format(kAntennaTxEntry, txCode, antenna);
    }
    if (rxCode != 0) {
        if (txCode != 0) {
            text += kAntennaSeparator;
        }
        text += Format(kAntennaRxEntry, rxCode, antenna);
    }
    text += kAntennaTail;
    return text;
}

std::string FunctionText(int32_t sequence, int32_t station, int32_t radio, int32_t function,
                         int32_t state) {
    return Format(kFunctionFormat, sequence, station, radio, function, state);
}

std::string RadioText(int32_t sequence, int32_t station, int32_t radio, int32_t frequency) {
    return Format(kRadioFormat, sequence, station, radio, frequency);
}

std::string DirectionTurnText(int32_t sequence, int32_t rotator, int32_t bearing) {
    return Format(kDirectionTurnFormat, sequence, rotator, bearing);
}

std::string DirectionStopText(int32_t sequence, int32_t rotator) {
    return Format(kDirectionStopFormat, sequence, rotator);
}
