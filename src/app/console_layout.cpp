#include "app/console_layout.h"

namespace {

constexpr int ButtonWidth = 63;
constexpr int ButtonHeight = 25;
constexpr int RowTops[GridRows] = {39, 71, 103, 135, 167};
constexpr int GridColumnLefts[GridColumns] = {7, 77, 147};
constexpr int RotatorColumnLefts[2] = {231, 301};

}  // namespace

DialogItem ConsoleItem(int id) {
    if (id >= FirstGridButtonId && id < FirstGridButtonId + GridSlots) {
        const int slot = id - FirstGridButtonId;
        return {GridColumnLefts[slot / GridRows], RowTops[slot % GridRows], ButtonWidth,
                ButtonHeight};
    }
    if (id >= FirstRotatorButtonId && id < FirstRotatorButtonId + MaxRotators) {
        const int index = id - FirstRotatorButtonId;
        return {RotatorColumnLefts[index / GridRows], RowTops[index % GridRows], ButtonWidth,
                ButtonHeight};
    }
    switch (id) {
        case TxLabelId:
            return {7, 7, 270, 8};
        case RxLabelId:
            return {7, 20, 270, 8};
        case TxModeButtonId:
            return {290, 7, 33, 25};
        case RxModeButtonId:
            return {331, 7, 33, 25};
        default:
            return {};
    }
}

std::array<int, ConsoleControlCount> ConsoleTabOrder() {
    std::array<int, ConsoleControlCount> order{};
    std::size_t n = 0;
    for (int id = 5; id <= 19; ++id) {
        order[n++] = id;
    }
    for (int id : {20, 24, 29, 21, 22, 23, 25, 26, 27, 28, TxLabelId, RxLabelId, TxModeButtonId,
                   RxModeButtonId}) {
        order[n++] = id;
    }
    return order;
}
