#include "model/grid_placement.h"

#include <algorithm>

namespace {

bool OnGrid(const GridPlace& place) {
    return place.row >= 0 && place.row < GridRows && place.column >= 0 &&
           place.column < GridColumns;
}

}  // namespace

std::array<int32_t, GridSlots> PlaceOnGrid(std::span<const GridPlace> places) {
    std::array<int32_t, GridSlots> slots;
    slots.fill(-1);
    const int count = static_cast<int>(std::min<std::size_t>(places.size(), GridSlots));
    std::array<bool, GridSlots> placed{};

    for (int i = 0; i < count; ++i) {
        const GridPlace& place = places[i];
        if (OnGrid(place) && slots[SlotOf(place.row, place.column)] == -1) {
            slots[SlotOf(place.row, place.column)] = i;
            placed[i] = true;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (placed[i]) {
            continue;
        }
        // count <= GridSlots, so a free slot is always left.
        auto free = std::find(slots.begin(), slots.end(), -1);
        *free = i;
    }
    return slots;
}
