#include "console/colors_dialog.h"

#include <QColorDialog>
#include <QPushButton>

#include "console/dialog_units.h"
#include "console/template_buttons.h"

namespace {

// Template order, which is also the tab order.
constexpr TemplateButton kButtons[] = {
    {3, "Unavailable", 7, 7}, {4, "Available", 7, 25}, {5, "Selected", 7, 43},
    {6, "Text", 7, 61},       {1, "OK", 72, 7},        {2, "Cancel", 72, 25},
};

QColorDialog* CreateChooser() {
    auto* chooser = new QColorDialog();
    chooser->setOption(QColorDialog::DontUseNativeDialog);
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        QColorDialog::setCustomColor(i, QColor(255, 255, 255));
    }
    return chooser;
}

}  // namespace

QColorDialog& CColorsDialog::chooser() {
    // Never destroyed: Qt saves the custom colours to its own settings file when a colour
    // dialog is destroyed, and ours must live for the run only.
    static QColorDialog* const instance = CreateChooser();
    return *instance;
}

CColorsDialog::CColorsDialog(ColorScheme& inUse, SettingsLocation settings, QWidget* parent)
    : QDialog(parent), inUse_(inUse), settings_(std::move(settings)) {
    setWindowTitle(QStringLiteral("Colors"));
    setFixedSize(DialogUnitsToPixelsX(129), DialogUnitsToPixelsY(82));
    AddTemplateButtons(*this, kButtons);
    this->button(1)->setDefault(true);
    connect(button(3), &QPushButton::clicked, this, &CColorsDialog::OnUnavailableClicked);
    connect(button(4), &QPushButton::clicked, this, &CColorsDialog::OnAvailableClicked);
    connect(button(5), &QPushButton::clicked, this, &CColorsDialog::OnSelectedClicked);
    connect(button(6), &QPushButton::clicked, this, &CColorsDialog::OnTextClicked);
    connect(button(1), &QPushButton::clicked, this, &CColorsDialog::accept);
    connect(button(2), &QPushButton::clicked, this, &CColorsDialog::reject);
}

QPushButton* CColorsDialog::button(int controlId) const {
    return TemplateButtonOf(*this, controlId);
}

void CColorsDialog::OnUnavailableClicked() {
    ChooseColor(&ColorScheme::unavailableColor);
}
void CColorsDialog::OnAvailableClicked() {
    ChooseColor(&ColorScheme::availableColor);
}
void CColorsDialog::OnSelectedClicked() {
    ChooseColor(&ColorScheme::selectedColor);
}
void CColorsDialog::OnTextClicked() {
    ChooseColor(&ColorScheme::textColor);
}

void CColorsDialog::ChooseColor(uint32_t ColorScheme::*field) {
    QColorDialog& colorChooser = chooser();
    colorChooser.setCurrentColor(ColorFromRef(working.*field));
    if (colorChooser.exec() == QDialog::Accepted) {
        working.*field = RefFromColor(colorChooser.selectedColor());
    }
}

void CColorsDialog::accept() {
    inUse_ = working;
    SaveColorScheme(settings_, working);
    QDialog::accept();
}

void OpenColorsDialog(CColorsDialog& dialog, const std::vector<QWidget*>& buttonsInOrder) {
    dialog.working = dialog.inUse();
    dialog.exec();
    for (QWidget* button : buttonsInOrder) {
        if (button != nullptr) {
            button->repaint();
        }
    }
}
