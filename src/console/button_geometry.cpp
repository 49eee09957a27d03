#include "console/button_geometry.h"

namespace {

constexpr int BarInset = 10;  // bars run from x = 10 to W - 10
constexpr int BarHeight = 3;

uint32_t StateColor(int32_t state, const ColorScheme& scheme) {
    return StateAvailable(state) ? scheme.availableColor : scheme.unavailableColor;
}

QRect BarRect(int top, QSize size) {
    const int width = size.width() - 2 * BarInset;
    return width > 0 ? QRect(BarInset, top, width, BarHeight) : QRect();
}

}  // namespace

bool StateAvailable(int32_t state) {
    return state != 0;
}
bool StateSelected(int32_t state) {
    return state == 2;
}

QRect TopBarRect(QSize size) {
    return BarRect(6, size);
}
QRect BottomBarRect(QSize size) {
    return BarRect(size.height() - 9, size);
}

std::vector<FaceFill> AntFuncFills(const GridButtonState& state, const ColorScheme& scheme,
                                   QSize size) {
    const int width = size.width();
    const int height = size.height();
    std::vector<FaceFill> fills;
    if (state.txState == 0 && state.rxState == 0) {
        fills.push_back({QRect(0, 0, width, height), scheme.unavailableColor});
    } else if (state.txState != 0 && state.rxState != 0) {
        fills.push_back({QRect(0, 0, width, height), scheme.availableColor});
    } else {
        // Lower half first: on an odd height the middle row ends in the upper colour.
        fills.push_back(
            {QRect(0, height / 2, width, height - height / 2), StateColor(state.rxState, scheme)});
        fills.push_back({QRect(0, 0, width, (height + 1) / 2), StateColor(state.txState, scheme)});
    }
    if (StateSelected(state.txState)) {
        fills.push_back({TopBarRect(size), scheme.selectedColor});
    }
    if (StateSelected(state.rxState)) {
        fills.push_back({BottomBarRect(size), scheme.selectedColor});
    }
    return fills;
}

std::vector<FaceFill> RotatorFills(bool onGrid, bool inUse, const ColorScheme& scheme, QSize size) {
    std::vector<FaceFill> fills;
    fills.push_back(
        {QRect(QPoint(0, 0), size), onGrid ? scheme.availableColor : scheme.unavailableColor});
    if (inUse) {
        fills.push_back({TopBarRect(size), scheme.selectedColor});
        fills.push_back({BottomBarRect(size), scheme.selectedColor});
    }
    return fills;
}

uint32_t RotatorLabelBackground(bool onGrid, bool inUse, const ColorScheme& scheme) {
    return onGrid || inUse ? scheme.availableColor : scheme.unavailableColor;
}

uint32_t ModeButtonFace(bool armed, const ColorScheme& scheme) {
    return armed ? scheme.selectedColor : scheme.availableColor;
}

bool TwoLineLabel(const std::string& label) {
    return label.find('\n') != std::string::npos;
}

int TwoLineLabelTop(int height, int lineHeight) {
    return height / 2 - lineHeight;
}
