#include "model/station_texts.h"

std::string GridTitle(int32_t lower, int32_t upper, const std::string& connectedTitle) {
    if (lower == -1 || upper == -1) {
        return connectedTitle;
    }
    return "[" + std::to_string(lower) + "-" + std::to_string(upper) + "] " + connectedTitle;
}

LongNameLines MakeLongNameLines(const std::optional<std::string>& txName,
                                const std::optional<std::string>& rxName) {
    const std::optional<std::string>& rx = rxName ? rxName : txName;
    if (!txName) {
        return {};
    }
    if (*txName == *rx) {
        return {"    " + *txName, ""};
    }
    return {"TX: " + *txName, "RX: " + *rx};
}
