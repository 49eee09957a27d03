// The station as the server describes and reports it: descriptions of antennas and functions,
// their places on the grid, and the rotator records. The four message handlers change these
// records and tell the StationView what to redraw; clicks read them to compute request codes.
//
// Handlers report problems to the station's Reporter, whose box runs a nested event loop that can
// re-enter the console (even reset the rotators). They therefore never hold a pointer into the
// records across a report: they look things up again by index afterwards.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "json/json_node.h"
#include "json/report.h"
#include "model/ant_func_description.h"
#include "model/rotator.h"
#include "model/station_view.h"

class Station {
public:
    // Both outlive the station.
    Station(StationView& view, const Reporter& reporter);
    ~Station();
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    // Message handlers, each given the value of the envelope's "Parameters".
    void HandleConfiguration(const JsonNode* parameters);
    void HandleState(const JsonNode* parameters);
    void HandleRotators(const JsonNode* parameters);
    void HandleRotation(const JsonNode* parameters);

    // The steps the handlers are made of. ClearDescriptions also empties buttonSlot, so no slot
    // reaches a description until RebuildButtonGrid has placed the new ones.
    void ClearDescriptions();
    void RebuildButtonGrid(int32_t lower, int32_t upper);
    void ApplyState(int32_t number, int32_t tx, int32_t rx, bool highlight, DescriptionKind kind);
    void SetLongNameLabels(const std::optional<std::string>& txName,
                           const std::optional<std::string>& rxName);
    void AddRotator(int32_t number, std::optional<std::string> shortName,
                    std::optional<std::string> longName, bool hasStop);
    void UpdateRotation(int32_t number, int32_t ccwLimit, int32_t rotation, int32_t position);
    void RefreshRotatorButton(int index);

    // Drops every rotator record (the console closes their windows first).
    void ClearRotators();

    // The title while connected, without the frequency range; the grid rebuild prefixes it.
    void SetConnectedTitle(std::string title);
    const std::string& connectedTitle() const;

    // Read access, by index; none when the index or the slot holds nothing.
    const AntFuncDescription* DescriptionOnSlot(int slot) const;
    int32_t buttonSlot(int slot) const;  // -1 or an index into descriptions()
    const std::vector<std::unique_ptr<AntFuncDescription>>& descriptions() const;
    const std::vector<std::unique_ptr<CRotator>>& rotators() const;
    const CRotator* RotatorAt(int index) const;

    // Whether the mode buttons were armed at the last single click on a grid button.
    bool lastClickTxArmed = false;
    bool lastClickRxArmed = false;

private:
    // Appends the elements of an "Antennas" or "Functions" list; false (after the report) when
    // the list is not an array.
    bool ReadDescriptions(const JsonNode* list, DescriptionKind kind);
    // Apply the entries of a "State" message's lists; false (after the report) when the
    // handler must stop.
    bool ApplyAntennaStates(const JsonNode* list);
    bool ApplyFunctionStates(const JsonNode* list);
    // Index of the first rotator with this number, or -1.
    int FindRotator(int32_t number) const;
    // Sets `mark` on the first rotator of every number that an antenna on the grid lists (only
    // antennas selected on TX or RX when `selectedOnly`).
    void MarkListedRotators(bool CRotator::*mark, bool selectedOnly);

    StationView& view_;
    const Reporter& reporter_;
    std::vector<std::unique_ptr<AntFuncDescription>> descriptions_;
    std::vector<std::unique_ptr<CRotator>> rotators_;
    std::array<int32_t, GridSlots> buttonSlot_;
    std::string connectedTitle_;
};
