// The "Configuration" message: the station's antennas and functions and its frequency range.
#include "json/json_walk.h"
#include "json/report.h"
#include "model/description_parser.h"
#include "model/station.h"
#include "protocol/names.h"

void Station::HandleConfiguration(const JsonNode* parameters) {
    if (HasNoChildren(parameters)) {
        reporter_.ReportMessage(0, "Message parameters are empty or unreadable");
        return;
    }
    if (!IsKind(parameters, JsonKind::Object)) {
        reporter_.ReportMessage(0, "Message parameters are not an object");
    }
    ClearDescriptions();

    int32_t lower = -1;
    int32_t upper = -1;
    for (const JsonNode* m = FirstMember(parameters); m; m = NextMember(m)) {
        if (TextEquals(m, MemberName::LowerFrequency)) {
            lower = ReadInteger(m);
        } else if (TextEquals(m, MemberName::UpperFrequency)) {
            upper = ReadInteger(m);
        } else if (TextEquals(m, MemberName::Antennas)) {
            if (!ReadDescriptions(ValueOf(m), DescriptionKind::Antenna)) {
                break;
            }
        } else if (TextEquals(m, MemberName::Functions)) {
            if (!ReadDescriptions(ValueOf(m), DescriptionKind::Function)) {
                break;
            }
        }
    }
    // Also after a list that was not an array: the old descriptions are gone, so the grid must
    // show what was read so far rather than point at records that no longer exist.
    RebuildButtonGrid(lower, upper);
}

bool Station::ReadDescriptions(const JsonNode* list, DescriptionKind kind) {
    if (!IsKind(list, JsonKind::Array)) {
        reporter_.ReportMessage(0, kind == DescriptionKind::Antenna
                                       ? "Configuration antennas parameters are not an object"
                                       : "Configuration functions parameters are not an object");
        return false;
    }
    for (const JsonNode* e = FirstElement(list); e; e = NextElement(e)) {
        // Filled apart from the list: ParseDescription may report, and a report may re-enter.
        auto record = std::make_unique<AntFuncDescription>();
        ParseDescription(*record, e, kind, reporter_);
        descriptions_.push_back(std::move(record));
    }
    return true;
}
