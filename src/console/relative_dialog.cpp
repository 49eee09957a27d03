#include "console/relative_dialog.h"

#include <QPushButton>

#include "console/dialog_units.h"
#include "console/template_buttons.h"

namespace {

// Template order, which is also the tab order. "Next" (id 8) stands above "Previous" (id 7).
constexpr TemplateButton kButtons[] = {
    {3, "Ant 1", 7, 7}, {4, "Ant 2", 7, 28},     {5, "Ant 3", 7, 49}, {6, "Ant 4", 7, 70},
    {8, "Next", 68, 7}, {7, "Previous", 68, 28}, {1, "OK", 129, 7},   {2, "Cancel", 130, 28},
};

}  // namespace

RelativeRequest RelativeRequestFor(int controlId) {
    switch (controlId) {
        case 3:
        case 4:
        case 5:
        case 6:
            return {RelativeAntenna, controlId - 3};
        case 8:
            return {NextAntenna, 0};
        case 7:
            return {PreviousAntenna, 0};
        default:
            return {};
    }
}

CRelative::CRelative(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Relative Antennas"));
    setFixedSize(DialogUnitsToPixelsX(187), DialogUnitsToPixelsY(91));
    AddTemplateButtons(*this, kButtons);
    for (const TemplateButton& row : kButtons) {
        const int id = row.id;
        if (RelativeRequestFor(id).code != NoAntennaCode) {
            connect(button(id), &QPushButton::clicked, this, [this, id] { OnRelativeClicked(id); });
        }
    }
    button(1)->setDefault(true);
    connect(button(1), &QPushButton::clicked, this, &CRelative::accept);
    connect(button(2), &QPushButton::clicked, this, &CRelative::reject);
}

QPushButton* CRelative::button(int controlId) const {
    return TemplateButtonOf(*this, controlId);
}

void CRelative::OnRelativeClicked(int controlId) {
    const RelativeRequest request = RelativeRequestFor(controlId);
    if (request.code != NoAntennaCode) {
        emit antennaRequested(request.code, request.antenna, request.code);
    }
}
