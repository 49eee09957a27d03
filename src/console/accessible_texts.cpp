#include "console/accessible_texts.h"

#include <cctype>
#include <vector>

#include "console/button_geometry.h"
#include "console/compass_geometry.h"

namespace {

std::string JoinedByCommas(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty()) {
            joined += ", ";
        }
        joined += part;
    }
    return joined;
}

// An optional '-' followed by at least one decimal digit, nothing else.
bool IsWholeNumber(const std::string& text) {
    const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (first == text.size()) {
        return false;
    }
    for (std::size_t i = first; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string LabelAsShown(const std::string& label) {
    std::string shown;
    for (std::size_t i = 0; i < label.size(); ++i) {
        char c = label[i];
        if (c == '&') {
            if (++i == label.size()) {
                break;  // a last '&' marks nothing and is not drawn
            }
            c = label[i];  // "&&" is one '&'; "&x" is x, underlined
        }
        shown += c == '\n' ? ' ' : c;
    }
    return shown;
}

std::string SwitchStateWord(int32_t state) {
    if (!StateAvailable(state)) {
        return "unavailable";
    }
    return StateSelected(state) ? "selected" : "available";
}

std::string GridButtonDescription(DescriptionKind kind, const GridButtonState& state) {
    std::vector<std::string> parts;
    if (kind == DescriptionKind::Function) {
        parts.push_back(SwitchStateWord(state.txState));
    } else {
        parts.push_back("TX " + SwitchStateWord(state.txState));
        parts.push_back("RX " + SwitchStateWord(state.rxState));
    }
    if (state.highlight) {
        parts.push_back("highlighted");
    }
    return JoinedByCommas(parts);
}

std::string RotatorButtonName(const std::string& label) {
    if (!TwoLineLabel(label)) {
        return LabelAsShown(label);
    }
    std::string name = label;
    for (char& c : name) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return name;
}

std::string RotatorButtonDescription(const std::string& label, bool onGrid, bool inUse) {
    std::vector<std::string> parts;
    const std::size_t lineFeed = label.rfind('\n');
    if (lineFeed != std::string::npos) {
        const std::string lastLine = label.substr(lineFeed + 1);
        if (IsWholeNumber(lastLine)) {
            parts.push_back("bearing " + lastLine + " degrees");
        }
    }
    if (onGrid) {
        parts.push_back("on the grid");
    }
    if (inUse) {
        parts.push_back("in use");
    }
    return JoinedByCommas(parts);
}

std::string CompassValueText(int32_t relativePosition) {
    if (!NeedleVisible(relativePosition)) {
        return "no position";
    }
    return std::to_string(relativePosition) + " degrees";
}

std::string CompassRangeText(int32_t ccwLimit, int32_t rotation) {
    if (!RangeShaded(rotation)) {
        return "no limit";
    }
    const int64_t through = static_cast<int64_t>(ccwLimit) + rotation;
    return "reachable from " + std::to_string(ccwLimit) + " clockwise through " +
           std::to_string(through) + " degrees";
}
