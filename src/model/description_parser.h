// Reading one element of a "Configuration" message's "Antennas" or "Functions" array.
#pragma once

#include "json/json_node.h"
#include "model/ant_func_description.h"

// Resets `record` to the defaults of `kind` and fills it from `element`; a non-object or empty
// element leaves the defaults. An antenna's "Description" that is not an array is reported and
// ends the reading of this element. Reports can re-enter the console, so `record` must not be
// one of the station's descriptions: fill a fresh record, then append it.
AntFuncDescription& ParseDescription(AntFuncDescription& record, const JsonNode* element,
                                     DescriptionKind kind, const Reporter& reporter);

// One entry of an antenna's "Description" array: its last "Rotator" number, unless -1, is
// appended to the record's rotators.
void ParseDescriptionEntry(const JsonNode* entry, AntFuncDescription& record);
