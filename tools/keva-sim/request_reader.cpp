#include "keva-sim/request_reader.h"

#include "protocol/names.h"

#include <optional>
#include <string_view>

namespace {

// The value of the last member called `name`, or none.
const JsonNode* Member(const JsonNode* object, std::string_view name) {
    const JsonNode* found = nullptr;
    if (object != nullptr && object->kind == JsonKind::Object) {
        for (const JsonNode* label = object->firstChild.get(); label; label = label->next.get()) {
            if (TextEquals(label, name)) {
                found = ValueOf(label);
            }
        }
    }
    return found;
}

std::optional<int32_t> Integer(const JsonNode* object, std::string_view name) {
    const JsonNode* value = Member(object, name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return IntValue(value);
}

IgnoredRequest Missing(std::string_view message, std::string_view member) {
    return {"\"" + std::string(message) + "\" without \"" + std::string(member) + "\""};
}

// "Station" and "Radio" of a request's parameters.
std::optional<StationRadio> Target(const JsonNode* parameters) {
    const std::optional<int32_t> station = Integer(parameters, MemberName::Station);
    const std::optional<int32_t> radio = Integer(parameters, MemberName::Radio);
    if (!station || !radio) {
        return std::nullopt;
    }
    return StationRadio{*station, *radio};
}

Request ReadHello(const JsonNode* parameters) {
    const JsonNode* radios = Member(parameters, MemberName::Radios);
    if (radios == nullptr || radios->kind != JsonKind::Array) {
        return Missing("Hello", "Radios");
    }
    HelloRequest hello;
    for (const JsonNode* entry = radios->firstChild.get(); entry; entry = entry->next.get()) {
        if (const std::optional<StationRadio> target = Target(entry)) {
            hello.radios.push_back(*target);
        }
    }
    return hello;
}

Request ReadAntenna(const JsonNode* parameters) {
    const std::optional<StationRadio> target = Target(parameters);
    const JsonNode* entries = Member(parameters, MemberName::Antennas);
    if (!target || entries == nullptr || entries->kind != JsonKind::Array) {
        return IgnoredRequest{"\"Antenna\" without \"Station\", \"Radio\" or \"Antennas\""};
    }
    AntennaRequest request{*target, {}};
    for (const JsonNode* entry = entries->firstChild.get(); entry; entry = entry->next.get()) {
        const std::optional<int32_t> antenna = Integer(entry, MemberName::Antenna);
        if (!antenna) {
            continue;
        }
        if (const std::optional<int32_t> tx = Integer(entry, MemberName::TX)) {
            request.sides.push_back({Side::Tx, *tx, *antenna});
        }
        if (const std::optional<int32_t> rx = Integer(entry, MemberName::RX)) {
            request.sides.push_back({Side::Rx, *rx, *antenna});
        }
    }
    if (request.sides.empty()) {
        return IgnoredRequest{"\"Antenna\" names no side with an antenna"};
    }
    return request;
}

Request ReadFunction(const JsonNode* parameters) {
    const std::optional<StationRadio> target = Target(parameters);
    const std::optional<int32_t> function = Integer(parameters, MemberName::Function);
    const std::optional<int32_t> state = Integer(parameters, MemberName::State);
    if (!target || !function || !state) {
        return IgnoredRequest{
            "\"Function\" without \"Station\", \"Radio\", \"Function\" or \"State\""};
    }
    return FunctionRequest{*target, *function, *state};
}

Request ReadRadio(const JsonNode* parameters) {
    const std::optional<StationRadio> target = Target(parameters);
    const std::optional<int32_t> frequency = Integer(parameters, MemberName::Frequency);
    if (!target || !frequency) {
        return IgnoredRequest{"\"Radio\" without \"Station\", \"Radio\" or \"Frequency\""};
    }
    return RadioRequest{*target, *frequency};
}

Request ReadDirection(const JsonNode* parameters) {
    const std::optional<int32_t> rotator = Integer(parameters, MemberName::Rotator);
    if (!rotator) {
        return Missing("Direction", "Rotator");
    }
    const JsonNode* stop = Member(parameters, MemberName::Stop);
    if (stop != nullptr && stop->kind == JsonKind::True) {
        return DirectionRequest{*rotator, true, 0};
    }
    const std::optional<int32_t> bearing = Integer(parameters, MemberName::Direction);
    if (!bearing) {
        return IgnoredRequest{"\"Direction\" without \"Direction\" or \"Stop\": true"};
    }
    return DirectionRequest{*rotator, false, *bearing};
}

std::string AddressedTo(const char* message, const StationRadio& target) {
    return std::string(message) + " for station " + std::to_string(target.station) + " radio " +
           std::to_string(target.radio);
}

struct Describe {
    std::string operator()(const IgnoredRequest& r) const { return "ignored " + r.why; }
    std::string operator()(const HelloRequest& r) const {
        std::string text = "Hello for";
        for (const StationRadio& t : r.radios) {
            text += (&t == &r.radios.front() ? " station " : ", station ") +
                    std::to_string(t.station) + " radio " + std::to_string(t.radio);
        }
        return r.radios.empty() ? text + " no radio" : text;
    }
    std::string operator()(const AntennaRequest& r) const {
        std::string text = AddressedTo("Antenna", r.target) + ":";
        for (const AntennaSideRequest& side : r.sides) {
            text += std::string(&side == &r.sides.front() ? " " : ", ") +
                    (side.side == Side::Tx ? "TX " : "RX ") + std::to_string(side.code) +
                    " on antenna " + std::to_string(side.antenna);
        }
        return text;
    }
    std::string operator()(const FunctionRequest& r) const {
        return AddressedTo("Function", r.target) + ": function " + std::to_string(r.function) +
               " state " + std::to_string(r.state);
    }
    std::string operator()(const RadioRequest& r) const {
        return AddressedTo("Radio", r.target) + ": " + std::to_string(r.frequency) + " kHz";
    }
    std::string operator()(const DirectionRequest& r) const {
        return "Direction for rotator " + std::to_string(r.rotator) + ": " +
               (r.stop ? std::string("stop") : "turn to " + std::to_string(r.bearing));
    }
};

}  // namespace

std::string DescribeRequest(const Request& request) {
    return std::visit(Describe{}, request);
}

Request ReadRequest(const JsonNode* root) {
    const JsonNode* name = Member(root, MemberName::Message);
    const JsonNode* parameters = Member(root, MemberName::Parameters);
    if (name == nullptr || !name->text) {
        return IgnoredRequest{"a message without \"Message\""};
    }
    if (parameters == nullptr || parameters->kind != JsonKind::Object) {
        return IgnoredRequest{"\"" + *name->text + "\" without \"Parameters\" object"};
    }
    struct Reader {
        std::string_view name;
        Request (*read)(const JsonNode*);
    };
    static constexpr Reader readers[] = {
        {MessageName::Hello, ReadHello},         {MessageName::Antenna, ReadAntenna},
        {MessageName::Function, ReadFunction},   {MessageName::Radio, ReadRadio},
        {MessageName::Direction, ReadDirection},
    };
    for (const Reader& reader : readers) {
        if (TextEquals(name, reader.name)) {
            return reader.read(parameters);
        }
    }
    return IgnoredRequest{"unknown message \"" + *name->text + "\""};
}
