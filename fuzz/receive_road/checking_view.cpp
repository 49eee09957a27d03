#include "receive_road/checking_view.h"

void CheckingView::Reset() {
    grid_ = {};
    rotators_ = {};
    resetSinceRebuild_ = true;
}

bool CheckingView::SlotOk(int slot, const char* call) {
    if (slot >= 0 && slot < GridSlots) {
        return true;
    }
    if (breach_.empty()) {
        breach_ = std::string(call) + " for slot " + std::to_string(slot);
    }
    return false;
}

bool CheckingView::RotatorOk(int index, const char* call) {
    const std::size_t count = station_ ? station_->rotators().size() : 0;
    if (index >= 0 && index < MaxRotators && static_cast<std::size_t>(index) < count) {
        return true;
    }
    if (breach_.empty()) {
        breach_ = std::string(call) + " for rotator " + std::to_string(index) + " of " +
                  std::to_string(count);
    }
    return false;
}

void CheckingView::ShowGridButton(int slot, const std::string& label) {
    if (SlotOk(slot, "ShowGridButton")) {
        grid_[slot] = {true, label};
    }
}

void CheckingView::HideGridButton(int slot) {
    if (SlotOk(slot, "HideGridButton")) {
        grid_[slot].shown = false;
    }
}

void CheckingView::SetGridButtonState(int slot, const GridButtonState&) {
    if (SlotOk(slot, "SetGridButtonState") && station_ && !station_->DescriptionOnSlot(slot) &&
        breach_.empty()) {
        breach_ = "state for the empty slot " + std::to_string(slot);
    }
}

void CheckingView::ShowRotatorButton(int index, const std::string& label) {
    if (RotatorOk(index, "ShowRotatorButton")) {
        rotators_[index].shown = true;
        rotators_[index].label = label;
    }
}

void CheckingView::SetRotatorButton(int index, const std::string& label, bool onGrid, bool inUse) {
    if (RotatorOk(index, "SetRotatorButton")) {
        rotators_[index].label = label;
        rotators_[index].onGrid = onGrid;
        rotators_[index].inUse = inUse;
    }
}

void CheckingView::RotationChanged(int index) {
    RotatorOk(index, "RotationChanged");
}

void CheckingView::SetLongNameLines(const std::string&, const std::string&) {}

// Only the grid rebuild sets the title, as its last step.
void CheckingView::SetWindowTitle(const std::string&) {
    resetSinceRebuild_ = false;
}

std::string CheckingView::Compare() const {
    if (!station_) {
        return {};
    }
    for (int slot = 0; slot < GridSlots; ++slot) {
        const AntFuncDescription* d = station_->DescriptionOnSlot(slot);
        if (grid_[slot].shown && !d) {
            return "slot " + std::to_string(slot) + " shown without a description";
        }
        if (grid_[slot].shown && grid_[slot].label != d->shortName.value_or(std::string())) {
            return "slot " + std::to_string(slot) + " shows another label";
        }
        if (!grid_[slot].shown && d && !resetSinceRebuild_) {
            return "slot " + std::to_string(slot) + " hidden with a description";
        }
    }
    const auto& rotators = station_->rotators();
    for (std::size_t i = 0; i < rotators.size() && i < rotators_.size(); ++i) {
        const CRotator& r = *rotators[i];
        const RotatorButton& b = rotators_[i];
        if (!b.shown || b.label != RotatorButtonLabel(r) || b.onGrid != r.onGrid ||
            b.inUse != r.inUse) {
            return "rotator button " + std::to_string(i) + " differs from its rotator";
        }
    }
    return {};
}

int CheckingView::ShownGridButtons() const {
    int shown = 0;
    for (const GridButton& button : grid_) {
        shown += button.shown ? 1 : 0;
    }
    return shown;
}
