#include "model/description_parser.h"

#include "json/report.h"
#include "model/json_walk.h"

AntFuncDescription& ParseDescription(AntFuncDescription& record, const JsonNode* element,
                                     DescriptionKind kind) {
    record = AntFuncDescription{};
    record.kind = kind;
    for (const JsonNode* m = FirstMember(element); m; m = NextMember(m)) {
        if (TextEquals(m, "Antenna") || TextEquals(m, "Function")) {
            record.number = ReadInteger(m);
        } else if (TextEquals(m, "ShortName")) {
            record.shortName = ReadText(m);
        } else if (TextEquals(m, "LongName")) {
            record.longName = ReadText(m);
        } else if (TextEquals(m, "Row")) {
            record.row = ReadInteger(m);
        } else if (TextEquals(m, "Column")) {
            record.column = ReadInteger(m);
        } else if (TextEquals(m, "Additive")) {
            record.additive = ReadFlag(m);
        } else if (TextEquals(m, "Momentary")) {
            record.momentary = ReadFlag(m);
        } else if (TextEquals(m, "Alternate")) {
            record.alternate = ReadFlag(m);
        } else if (TextEquals(m, "Description") && kind == DescriptionKind::Antenna) {
            const JsonNode* entries = ValueOf(m);
            if (!IsKind(entries, JsonKind::Array)) {
                ReportMessage(0, "Configuration antenna description parameters are not an object");
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
        if (TextEquals(m, "Rotator")) {
            rotator = ReadInteger(m);
        }
    }
    if (rotator != -1) {
        record.rotators.push_back(rotator);
    }
}
