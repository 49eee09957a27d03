#include "model/station.h"

#include <algorithm>
#include <climits>

#include "json/report.h"
#include "model/grid_placement.h"
#include "model/station_texts.h"

Station::Station(StationView& view, const Reporter& reporter) : view_(view), reporter_(reporter) {
    buttonSlot_.fill(-1);
}

Station::~Station() = default;

void Station::ClearDescriptions() {
    descriptions_.clear();
    // The buttons keep their labels until the rebuild, but no click or state may reach a
    // description through them meanwhile: a report in between can re-enter the console.
    buttonSlot_.fill(-1);
    view_.DisarmModeButtons();
    lastClickTxArmed = false;
    lastClickRxArmed = false;
}

void Station::RebuildButtonGrid(int32_t lower, int32_t upper) {
    buttonSlot_.fill(-1);
    if (descriptions_.size() > GridSlots) {
        const auto count = std::min<std::size_t>(descriptions_.size(), INT_MAX);
        reporter_.ReportMessage(0, "Too many buttons: %d", static_cast<int>(count));
    }

    // Read the list only now: the report above may have re-entered the console.
    std::vector<GridPlace> places;
    const std::size_t shown = std::min<std::size_t>(descriptions_.size(), GridSlots);
    for (std::size_t i = 0; i < shown; ++i) {
        places.push_back({descriptions_[i]->row, descriptions_[i]->column});
    }
    buttonSlot_ = PlaceOnGrid(places);

    for (int slot = 0; slot < GridSlots; ++slot) {
        const AntFuncDescription* description = DescriptionOnSlot(slot);
        if (description) {
            view_.ShowGridButton(slot, description->shortName.value_or(std::string()));
        } else {
            view_.HideGridButton(slot);
        }
    }

    for (auto& rotator : rotators_) {
        rotator->onGrid = false;
        rotator->inUse = false;
    }
    MarkListedRotators(&CRotator::onGrid, false);
    for (int i = 0; i < static_cast<int>(rotators_.size()); ++i) {
        RefreshRotatorButton(i);
    }

    view_.SetWindowTitle(GridTitle(lower, upper, connectedTitle_));
}

void Station::MarkListedRotators(bool CRotator::*mark, bool selectedOnly) {
    for (int slot = 0; slot < GridSlots; ++slot) {
        const AntFuncDescription* d = DescriptionOnSlot(slot);
        if (!d || d->kind != DescriptionKind::Antenna) {
            continue;
        }
        if (selectedOnly && d->txState != SwitchState::Selected &&
            d->rxState != SwitchState::Selected) {
            continue;
        }
        for (int32_t number : d->rotators) {
            const int i = FindRotator(number);
            if (i >= 0) {
                rotators_[i].get()->*mark = true;
            }
        }
    }
}

int Station::FindRotator(int32_t number) const {
    for (std::size_t i = 0; i < rotators_.size(); ++i) {
        if (rotators_[i]->number == number) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void Station::ClearRotators() {
    rotators_.clear();
}

void Station::SetConnectedTitle(std::string title) {
    connectedTitle_ = std::move(title);
}

const std::string& Station::connectedTitle() const {
    return connectedTitle_;
}

const AntFuncDescription* Station::DescriptionOnSlot(int slot) const {
    const int32_t index = buttonSlot(slot);
    if (index < 0 || static_cast<std::size_t>(index) >= descriptions_.size()) {
        return nullptr;
    }
    return descriptions_[index].get();
}

int32_t Station::buttonSlot(int slot) const {
    return slot >= 0 && slot < GridSlots ? buttonSlot_[slot] : -1;
}

const std::vector<std::unique_ptr<AntFuncDescription>>& Station::descriptions() const {
    return descriptions_;
}

const std::vector<std::unique_ptr<CRotator>>& Station::rotators() const {
    return rotators_;
}

const CRotator* Station::RotatorAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= rotators_.size()) {
        return nullptr;
    }
    return rotators_[index].get();
}
