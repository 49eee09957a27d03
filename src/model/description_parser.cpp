#include "model/description_parser.h"

#include "json/json_walk.h"
#include "json/report.h"
#include "protocol/names.h"

AntFuncDescription& ParseDescription(AntFuncDescription& record, const JsonNode* element,
                                     DescriptionKind kind, const Reporter& reporter) {
    record = AntFuncDescription{};
    record.kind = kind;
    for (const JsonNode* m = FirstMember(element); m; m = NextMember(m)) {
        if (TextEquals(m, MemberName::Antenna) || TextEquals(m, MemberName::Function)) {
            record.number = ReadInteger(m);
        } else if (TextEquals(m, MemberName::ShortName)) {
            record.shortName = ReadText(m);
        } else if (TextEquals(m, MemberName::LongName)) {
            record.longName = ReadText(m);
        } else if (TextEquals(m, MemberName::Row)) {
            record.row = ReadInteger(m);
        } else if (TextEquals(m, MemberName::Column)) {
            record.column = ReadInteger(m);
        } else if (TextEquals(m, MemberName::Additive)) {
            record.additive = ReadFlag(m);
        } else if (TextEquals(m, MemberName::Momentary)) {
            record.momentary = ReadFlag(m);
        } else if (TextEquals(m, MemberName::Alternate)) {
            record.alternate = ReadFlag(m);
        } else if (TextEquals(m, MemberName::Description) && kind == DescriptionKind::Antenna) {
            const JsonNode* entries = ValueOf(m);
            if (!IsKind(entries, JsonKind::Array)) {
                reporter.ReportMessage(
                    0, "Configuration antenna description parameters are not an object");
                break;
            }
            for (const JsonNode* e = FirstElement(entries); e; e = NextElement(e)) {
                ParseDescriptionEntry(e, record);
            }
        }
    }
    return record;
}

void ParseDescriptionEntry(const JsonNode* entry, AntFuncDescription& record) {
    int32_t rotator = -1;
    for (const JsonNode* m = FirstMember(entry); m; m = NextMember(m)) {
        if (TextEquals(m, MemberName::Rotator)) {
            rotator = ReadInteger(m);
        }
    }
    if (rotator != -1) {
        record.rotators.push_back(rotator);
    }
}
