#include "traffic.h"

#include <cstdint>
#include <string>

namespace {

// A small fixed-seed generator, so every run measures the same bytes.
class Random {
public:
    uint32_t Next(uint32_t below) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(state_ >> 33) % below;
    }

private:
    uint64_t state_ = 12059;
};

const char* const kAntennaNames[] = {"Yagi 20m",     "Dipole 40m", "Beverage NE", "Beverage SW",
                                     "Vertical 80m", "Loop 160m",  "Stack 15m",   "Log periodic"};
const char* const kFunctionNames[] = {"Preamp", "Attenuator", "Tune", "Bandpass 20m"};

std::string Number(int64_t value) {
    return std::to_string(value);
}

std::string Envelope(const char* name, int sequence, const std::string& parameters) {
    return std::string("{\"Message\":\"") + name + "\",\"Sequence\":" + Number(sequence) +
           ",\"Version\":1,\"Parameters\":" + parameters + "}";
}

std::string StateMessage(Random& random, int sequence) {
    std::string antennas;
    for (int i = 0; i < 8; ++i) {
        antennas += std::string(i ? ", " : "") + "{\"Antenna\": " + Number(i + 1) +
                    ", \"TX\": " + Number(random.Next(3)) + ", \"RX\": " + Number(random.Next(3)) +
                    ", \"Highlight\": " + (random.Next(4) == 0 ? "true" : "false") + "}";
    }
    std::string functions;
    for (int i = 0; i < 4; ++i) {
        functions += std::string(i ? "," : "") + "{\"Function\":" + Number(i + 1) +
                     ",\"State\":" + Number(random.Next(3)) + "}";
    }
    const char* tx = kAntennaNames[random.Next(8)];
    const char* rx = kAntennaNames[random.Next(8)];
    return Envelope("State", sequence,
                    std::string("{\"TXLongName\": \"") + tx + "\", \"RXLongName\": \"" + rx +
                        "\",\r\n \"Antennas\": [" + antennas + "],\r\n \"Functions\": [" +
                        functions + "]}");
}

std::string ConfigurationMessage(Random& random, int sequence) {
    std::string antennas;
    for (int i = 0; i < 8; ++i) {
        antennas += std::string(i ? ",\r\n  " : "") + "{\"Antenna\":" + Number(i + 1) +
                    ",\"ShortName\":\"Ant " + Number(i + 1) + "\",\"LongName\":\"" +
                    kAntennaNames[i] + "\",\"Row\":" + Number(i % 5) +
                    ",\"Column\":" + Number(i / 5) +
                    ",\"Additive\":" + (i == 2 ? "true" : "false") +
                    ",\"Description\":[{\"Rotator\":" + Number(1 + random.Next(2)) + "}]}";
    }
    std::string functions;
    for (int i = 0; i < 4; ++i) {
        functions += std::string(i ? ",\r\n  " : "") + "{\"Function\":" + Number(i + 1) +
                     ",\"ShortName\":\"F" + Number(i + 1) + "\",\"LongName\":\"" +
                     kFunctionNames[i] + "\",\"Row\":" + Number(i) +
                     ",\"Column\":2,\"Momentary\":" + (i == 2 ? "true" : "false") +
                     ",\"Alternate\":false}";
    }
    return Envelope("Configuration", sequence,
                    "{\"LowerFrequency\":1800,\"UpperFrequency\":29700,\r\n \"Antennas\":[" +
                        antennas + "],\r\n \"Functions\":[" + functions + "]}");
}

std::string RotatorsMessage(int sequence) {
    return Envelope("Rotators", sequence,
                    "{\"Rotators\":[{\"Rotator\":1,\"ShortName\":\"Tower\",\"LongName\":\"Main "
                    "tower\",\"HasStop\":true},{\"Rotator\":2,\"ShortName\":\"Mast\","
                    "\"HasStop\":false}]}");
}

std::string RotationMessage(Random& random, int sequence) {
    return Envelope(
        "Rotation", sequence,
        "{\"Rotator\":" + Number(1 + random.Next(2)) +
            ",\"CCWLimit\":180,\"Rotation\":450,\"Position\":" + Number(random.Next(450)) + "}");
}

}  // namespace

Traffic GenerateTraffic(std::size_t bytes) {
    Traffic traffic;
    Random random;
    int sequence = 0;
    while (traffic.bytes.size() < bytes) {
        const uint32_t pick = random.Next(20);
        ++sequence;
        if (pick == 0) {
            traffic.bytes += ConfigurationMessage(random, sequence);
        } else if (pick == 1) {
            traffic.bytes += RotatorsMessage(sequence);
        } else if (pick < 12) {
            traffic.bytes += StateMessage(random, sequence);
        } else {
            traffic.bytes += RotationMessage(random, sequence);
        }
        traffic.bytes += random.Next(2) ? "\r\n" : " ";
        ++traffic.messages;
    }
    return traffic;
}
