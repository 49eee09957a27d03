// The "State" message: antenna and function states, highlights and the long-name lines.
#include "json/json_walk.h"
#include "json/report.h"
#include "model/station.h"
#include "model/station_texts.h"
#include "protocol/names.h"

void Station::HandleState(const JsonNode* parameters) {
    if (HasNoChildren(parameters)) {
        reporter_.ReportMessage(0, "Message parameters are empty or unreadable");
        return;
    }
    if (!IsKind(parameters, JsonKind::Object)) {
        reporter_.ReportMessage(0, "Message parameters are not an object");
    }

    std::optional<std::string> txName;
    std::optional<std::string> rxName;
    for (const JsonNode* m = FirstMember(parameters); m; m = NextMember(m)) {
        if (TextEquals(m, MemberName::TXLongName)) {
            txName = ReadText(m);
        } else if (TextEquals(m, MemberName::RXLongName)) {
            rxName = ReadText(m);
        } else if (TextEquals(m, MemberName::Antennas)) {
            if (!ApplyAntennaStates(ValueOf(m))) {
                return;
            }
        } else if (TextEquals(m, MemberName::Functions)) {
            if (!ApplyFunctionStates(ValueOf(m))) {
                return;
            }
        }
    }
    SetLongNameLabels(txName, rxName);
}

bool Station::ApplyAntennaStates(const JsonNode* list) {
    if (!IsKind(list, JsonKind::Array)) {
        reporter_.ReportMessage(0, "Message parameters are not an object");
        return false;
    }
    for (const JsonNode* e = FirstElement(list); e; e = NextElement(e)) {
        if (!IsKind(e, JsonKind::Object)) {
            reporter_.ReportMessage(0, "Antenna parameters are not an object");
            return false;
        }
        int32_t number = -1;
        int32_t tx = -1;
        int32_t rx = -1;
        bool highlight = false;
        for (const JsonNode* m = FirstMember(e); m; m = NextMember(m)) {
            if (TextEquals(m, MemberName::Antenna)) {
                number = ReadInteger(m);
            } else if (TextEquals(m, MemberName::TX)) {
                tx = ReadInteger(m);
            } else if (TextEquals(m, MemberName::RX)) {
                rx = ReadInteger(m);
            } else if (TextEquals(m, MemberName::Highlight)) {
                highlight = ReadFlag(m);
            }
        }
        if (number != -1 && tx != -1 && rx != -1) {
            ApplyState(number, tx, rx, highlight, DescriptionKind::Antenna);
        }
    }
    return true;
}

bool Station::ApplyFunctionStates(const JsonNode* list) {
    if (!IsKind(list, JsonKind::Array)) {
        reporter_.ReportMessage(0, "Function parameters are not an object");
        return false;
    }
    for (const JsonNode* e = FirstElement(list); e; e = NextElement(e)) {
        if (!IsKind(e, JsonKind::Object)) {
            reporter_.ReportMessage(0, "Function child parameters are not an object");
            return false;
        }
        int32_t number = -1;
        int32_t state = -1;
        bool highlight = false;
        for (const JsonNode* m = FirstMember(e); m; m = NextMember(m)) {
            if (TextEquals(m, MemberName::Function)) {
                number = ReadInteger(m);
            } else if (TextEquals(m, MemberName::State)) {
                state = ReadInteger(m);
            } else if (TextEquals(m, MemberName::Highlight)) {
                highlight = ReadFlag(m);
            }
        }
        if (number != -1 && state != -1) {
            ApplyState(number, state, state, highlight, DescriptionKind::Function);
        }
    }
    return true;
}

void Station::ApplyState(int32_t number, int32_t tx, int32_t rx, bool highlight,
                         DescriptionKind kind) {
    // Every slot showing this description, not only the first.
    for (int slot = 0; slot < GridSlots; ++slot) {
        const int32_t index = buttonSlot(slot);
        if (index < 0 || static_cast<std::size_t>(index) >= descriptions_.size()) {
            continue;
        }
        AntFuncDescription& d = *descriptions_[index];
        if (d.kind != kind || d.number != number) {
            continue;
        }
        d.txState = tx;
        d.rxState = rx;
        view_.SetGridButtonState(slot, {tx, rx, highlight});
    }

    // The in-use marks follow the states applied so far.
    for (int i = 0; i < static_cast<int>(rotators_.size()); ++i) {
        if (rotators_[i]->inUse) {
            rotators_[i]->inUse = false;
            RefreshRotatorButton(i);
        }
    }
    MarkListedRotators(&CRotator::inUse, true);
    for (int i = 0; i < static_cast<int>(rotators_.size()); ++i) {
        if (rotators_[i]->inUse) {
            RefreshRotatorButton(i);
        }
    }
}

void Station::SetLongNameLabels(const std::optional<std::string>& txName,
                                const std::optional<std::string>& rxName) {
    const LongNameLines lines = MakeLongNameLines(txName, rxName);
    view_.SetLongNameLines(lines.tx, lines.rx);
}
