// The "Rotators" and "Rotation" messages: the rotator records, their positions and buttons.
#include <utility>

#include "json/json_walk.h"
#include "json/report.h"
#include "model/station.h"
#include "protocol/names.h"

void Station::HandleRotators(const JsonNode* parameters) {
    if (HasNoChildren(parameters)) {
        reporter_.ReportMessage(0, "Message parameters are empty or unreadable");
        return;
    }
    if (!IsKind(parameters, JsonKind::Object)) {
        reporter_.ReportMessage(0, "Rotator parameters are not an object");
    }
    for (const JsonNode* m = FirstMember(parameters); m; m = NextMember(m)) {
        if (!TextEquals(m, MemberName::Rotators)) {
            continue;
        }
        const JsonNode* list = ValueOf(m);
        if (!IsKind(list, JsonKind::Array)) {
            reporter_.ReportMessage(0, "Rotators parameters are not an array");
            return;
        }
        for (const JsonNode* e = FirstElement(list); e; e = NextElement(e)) {
            if (!IsKind(e, JsonKind::Object)) {
                reporter_.ReportMessage(0, "Rotators array member is not an object");
                return;
            }
            int32_t number = -1;
            std::optional<std::string> shortName;
            std::optional<std::string> longName;
            bool hasStop = false;
            for (const JsonNode* r = FirstMember(e); r; r = NextMember(r)) {
                if (TextEquals(r, MemberName::Rotator)) {
                    number = ReadInteger(r);
                } else if (TextEquals(r, MemberName::ShortName)) {
                    shortName = ReadText(r);
                } else if (TextEquals(r, MemberName::LongName)) {
                    longName = ReadText(r);
                } else if (TextEquals(r, MemberName::HasStop)) {
                    hasStop = ReadFlag(r);
                }
            }
            if (number != -1) {
                AddRotator(number, std::move(shortName), std::move(longName), hasStop);
            }
        }
    }
}

void Station::AddRotator(int32_t number, std::optional<std::string> shortName,
                         std::optional<std::string> longName, bool hasStop) {
    const int index = static_cast<int>(rotators_.size());
    if (index >= MaxRotators) {
        reporter_.ReportMessage(0, "Too many rotators, this client supports %d", MaxRotators);
        return;
    }
    auto rotator = std::make_unique<CRotator>();
    rotator->number = number;
    rotator->shortName = shortName ? std::move(*shortName) : "Rotator " + std::to_string(index + 1);
    rotator->longName = std::move(longName);
    rotator->hasStop = hasStop;
    const std::string label = rotator->shortName;
    rotators_.push_back(std::move(rotator));
    // The button's marks stay as they are until its next refresh.
    view_.ShowRotatorButton(index, label);
}

void Station::HandleRotation(const JsonNode* parameters) {
    if (HasNoChildren(parameters)) {
        reporter_.ReportMessage(0, "Rotation parameters are empty or unreadable");
        return;
    }
    if (!IsKind(parameters, JsonKind::Object)) {
        reporter_.ReportMessage(0, "Rotation parameters are not an object");
    }
    int32_t number = -1;
    int32_t ccwLimit = NoPosition;
    int32_t rotation = NoPosition;
    int32_t position = NoPosition;
    for (const JsonNode* m = FirstMember(parameters); m; m = NextMember(m)) {
        if (TextEquals(m, MemberName::Rotator)) {
            number = ReadInteger(m);
        } else if (TextEquals(m, MemberName::CCWLimit)) {
            ccwLimit = ReadInteger(m);
        } else if (TextEquals(m, MemberName::Rotation)) {
            rotation = ReadInteger(m);
        } else if (TextEquals(m, MemberName::Position)) {
            position = ReadInteger(m);
        }
    }
    if (number != -1) {
        UpdateRotation(number, ccwLimit, rotation, position);
    }
}

void Station::UpdateRotation(int32_t number, int32_t ccwLimit, int32_t rotation, int32_t position) {
    const int i = FindRotator(number);
    if (i < 0) {
        return;
    }
    CRotator& rotator = *rotators_[i];
    if (ccwLimit != NoPosition) {
        rotator.ccwLimit = ccwLimit;
    }
    if (rotation != NoPosition) {
        rotator.rotation = rotation;
    }
    if (position != NoPosition) {
        rotator.position = position;
    }
    // A position without a limit in the same message is taken against the stored limit.
    rotator.relativePosition = RelativePosition(position, rotator.ccwLimit);
    view_.RotationChanged(i);
    RefreshRotatorButton(i);
}

void Station::RefreshRotatorButton(int index) {
    const CRotator* rotator = RotatorAt(index);
    if (!rotator) {
        return;
    }
    view_.SetRotatorButton(index, RotatorButtonLabel(*rotator), rotator->onGrid, rotator->inUse);
}
