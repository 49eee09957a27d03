#include "keva-sim/message_writer.h"

#include "protocol/names.h"

namespace {

// Appends `"name": ` after a separator when the object already has members.
void Name(std::string& out, std::string_view name) {
    if (out.back() != '{') {
        out += ", ";
    }
    out += '"';
    out += name;
    out += "\": ";
}

void Int(std::string& out, std::string_view name, int64_t value) {
    Name(out, name);
    out += std::to_string(value);
}

void Text(std::string& out, std::string_view name, std::string_view value) {
    Name(out, name);
    out += '"';
    out += value;
    out += '"';
}

void Flag(std::string& out, std::string_view name, bool value) {
    Name(out, name);
    out += value ? "true" : "false";
}

// Joins objects built by `one` into `"name": [..., ...]`.
template <typename Items, typename One>
void List(std::string& out, std::string_view name, const Items& items, One one) {
    Name(out, name);
    out += '[';
    bool first = true;
    for (const auto& item : items) {
        out += first ? "{" : ", {";
        first = false;
        one(out, item);
        out += '}';
    }
    out += ']';
}

void Antenna(std::string& out, const AntennaSetup& a) {
    Int(out, MemberName::Antenna, a.number);
    Text(out, MemberName::ShortName, a.shortName);
    Text(out, MemberName::LongName, a.longName);
    Int(out, MemberName::Row, a.row);
    Int(out, MemberName::Column, a.column);
    Flag(out, MemberName::Additive, a.additive);
    List(out, MemberName::Description, a.rotators,
         [](std::string& o, int32_t rotator) { Int(o, MemberName::Rotator, rotator); });
}

void Function(std::string& out, const FunctionSetup& f) {
    Int(out, MemberName::Function, f.number);
    Text(out, MemberName::ShortName, f.shortName);
    Text(out, MemberName::LongName, f.longName);
    Int(out, MemberName::Row, f.row);
    Int(out, MemberName::Column, f.column);
    Flag(out, MemberName::Momentary, f.momentary);
    Flag(out, MemberName::Alternate, f.alternate);
}

}  // namespace

std::string EnvelopeText(std::string_view message, int64_t sequence, std::string_view parameters) {
    std::string out = "{";
    Text(out, MemberName::Message, message);
    Int(out, MemberName::Sequence, sequence);
    Int(out, MemberName::Version, 1);
    Name(out, MemberName::Parameters);
    out += parameters;
    out += "}\n";
    return out;
}

std::string ServerParameters(const StationDescription& station) {
    std::string out = "{";
    Text(out, "Name", "keva-sim");
    Int(out, MemberName::Station, station.station);
    return out + "}";
}

std::string ConfigurationParameters(const StationDescription& station) {
    std::string out = "{";
    Int(out, MemberName::LowerFrequency, station.lowerFrequency);
    Int(out, MemberName::UpperFrequency, station.upperFrequency);
    List(out, MemberName::Antennas, station.antennas, Antenna);
    List(out, MemberName::Functions, station.functions, Function);
    return out + "}";
}

std::string RotatorsParameters(const StationDescription& station) {
    std::string out = "{";
    List(out, MemberName::Rotators, station.rotators, [](std::string& o, const RotatorSetup& r) {
        Int(o, MemberName::Rotator, r.number);
        Text(o, MemberName::ShortName, r.shortName);
        Text(o, MemberName::LongName, r.longName);
        Flag(o, MemberName::HasStop, r.hasStop);
    });
    return out + "}";
}

std::string RotationParameters(const RotationReport& report) {
    std::string out = "{";
    Int(out, MemberName::Rotator, report.rotator);
    Int(out, MemberName::CCWLimit, report.ccwLimit);
    Int(out, MemberName::Rotation, report.rotation);
    Int(out, MemberName::Position, report.position);
    return out + "}";
}

std::string StateParameters(const RadioView& view) {
    std::string out = "{";
    Text(out, MemberName::TXLongName, view.txLongName);
    Text(out, MemberName::RXLongName, view.rxLongName);
    List(out, MemberName::Antennas, view.antennas, [](std::string& o, const AntennaView& a) {
        Int(o, MemberName::Antenna, a.antenna);
        Int(o, MemberName::TX, a.tx);
        Int(o, MemberName::RX, a.rx);
        Flag(o, MemberName::Highlight, a.highlight);
    });
    List(out, MemberName::Functions, view.functions, [](std::string& o, const FunctionView& f) {
        Int(o, MemberName::Function, f.function);
        Int(o, MemberName::State, f.state);
        Flag(o, MemberName::Highlight, f.highlight);
    });
    return out + "}";
}
