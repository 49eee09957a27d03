#include "keva-sim/message_writer.h"

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
    Int(out, "Antenna", a.number);
    Text(out, "ShortName", a.shortName);
    Text(out, "LongName", a.longName);
    Int(out, "Row", a.row);
    Int(out, "Column", a.column);
    Flag(out, "Additive", a.additive);
    List(out, "Description", a.rotators,
         [](std::string& o, int32_t rotator) { Int(o, "Rotator", rotator); });
}

void Function(std::string& out, const FunctionSetup& f) {
    Int(out, "Function", f.number);
    Text(out, "ShortName", f.shortName);
    Text(out, "LongName", f.longName);
    Int(out, "Row", f.row);
    Int(out, "Column", f.column);
    Flag(out, "Momentary", f.momentary);
    Flag(out, "Alternate", f.alternate);
}

}  // namespace

std::string EnvelopeText(std::string_view message, int64_t sequence, std::string_view parameters) {
    std::string out = "{";
    Text(out, "Message", message);
    Int(out, "Sequence", sequence);
    Int(out, "Version", 1);
    Name(out, "Parameters");
    out += parameters;
    out += "}\n";
    return out;
}

std::string ServerParameters(const StationDescription& station) {
    std::string out = "{";
    Text(out, "Name", "keva-sim");
    Int(out, "Station", station.station);
    return out + "}";
}

std::string ConfigurationParameters(const StationDescription& station) {
    std::string out = "{";
    Int(out, "LowerFrequency", station.lowerFrequency);
    Int(out, "UpperFrequency", station.upperFrequency);
    List(out, "Antennas", station.antennas, Antenna);
    List(out, "Functions", station.functions, Function);
    return out + "}";
}

std::string RotatorsParameters(const StationDescription& station) {
    std::string out = "{";
    List(out, "Rotators", station.rotators, [](std::string& o, const RotatorSetup& r) {
        Int(o, "Rotator", r.number);
        Text(o, "ShortName", r.shortName);
        Text(o, "LongName", r.longName);
        Flag(o, "HasStop", r.hasStop);
    });
    return out + "}";
}

std::string RotationParameters(const RotationReport& report) {
    std::string out = "{";
    Int(out, "Rotator", report.rotator);
    Int(out, "CCWLimit", report.ccwLimit);
    Int(out, "Rotation", report.rotation);
    Int(out, "Position", report.position);
    return out + "}";
}

std::string StateParameters(const RadioView& view) {
    std::string out = "{";
    Text(out, "TXLongName", view.txLongName);
    Text(out, "RXLongName", view.rxLongName);
    List(out, "Antennas", view.antennas, [](std::string& o, const AntennaView& a) {
        Int(o, "Antenna", a.antenna);
        Int(o, "TX", a.tx);
        Int(o, "RX", a.rx);
        Flag(o, "Highlight", a.highlight);
    });
    List(out, "Functions", view.functions, [](std::string& o, const FunctionView& f) {
        Int(o, "Function", f.function);
        Int(o, "State", f.state);
        Flag(o, "Highlight", f.highlight);
    });
    return out + "}";
}
