// Where the descriptions go on the 15 grid buttons: a plain decision, tested without a display.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/station_view.h"

// The place a description asks for; -1 (or anything outside the grid) asks for none.
struct GridPlace {
    int32_t row = -1;
    int32_t column = -1;
};

// Slot of row r, column c: slots count down the columns.
constexpr int SlotOf(int32_t row, int32_t column) {
    return row + GridRows * column;
}

// The buttonSlot table for the first GridSlots places: entry j holds the index of the place
// shown on slot j, or -1. First every valid place that is still free, in list order; then each
// description left over takes the lowest free slot.
std::array<int32_t, GridSlots> PlaceOnGrid(std::span<const GridPlace> places);
