#include "console/rotator_window.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "base/atol_value.h"
#include "console/compass.h"
#include "console/compass_geometry.h"
#include "console/dialog_units.h"

namespace {

constexpr int FirstButtonId = 1003;

struct ButtonRow {
    int id;
    const char* text;
    int x, y;
    int bearing;  // the preset's bearing; 0 for Turn and Stop
};
// Template order, which is also the tab order (after the bearing edit).
constexpr ButtonRow kButtons[] = {
    {1003, "Turn", 79, 301, 0},   {1004, "45", 7, 236, 45},   {1005, "90", 95, 236, 90},
    {1006, "180", 183, 236, 180}, {1007, "270", 7, 263, 270}, {1008, "330", 95, 263, 330},
    {1009, "Stop", 183, 263, 0},
};

}  // namespace

CRotatorWindow::CRotatorWindow(const CRotator& rotator, QWidget* parent)
    : QDialog(parent), rotator_(&rotator) {
    setWindowTitle(QString::fromStdString(RotatorWindowTitle(rotator.shortName)));
    setFixedSize(DialogUnitsToPixelsX(254), DialogUnitsToPixelsY(328));

    bearingEdit_ = new QLineEdit(this);
    bearingEdit_->setGeometry(DialogRect(7, 302, 67, 19));
    bearingEdit_->setAccessibleName(QStringLiteral("Bearing"));
    for (const ButtonRow& row : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(row.text), this);
        button->setGeometry(DialogRect(row.x, row.y, 63, 20));
        // The window has no default button, and none may look like one: Qt would otherwise
        // promote an auto-default button (Turn, next to the focused edit) and frame it.
        // keyPressEvent gives Enter to a focused button instead.
        button->setAutoDefault(false);
        button->setDefault(false);
        buttons_[row.id - FirstButtonId] = button;
        if (row.bearing != 0) {
            const int bearing = row.bearing;
            connect(button, &QPushButton::clicked, this,
                    [this, bearing] { OnPresetClicked(bearing); });
        }
    }
    connect(button(1003), &QPushButton::clicked, this, &CRotatorWindow::OnTurnClicked);
    connect(button(1009), &QPushButton::clicked, this, &CRotatorWindow::OnStopClicked);

    compass_ = new CCompass(*this);
    compass_->setGeometry(DialogRect(7, 7, 240, 240));
    // Its lower part lies under the preset buttons, which must stay on top.
    compass_->lower();

    if (!rotator.hasStop) {
        button(1009)->setEnabled(false);
        button(1009)->hide();
    }
    bearingEdit_->setFocus();
}

QPushButton* CRotatorWindow::button(int controlId) const {
    const int index = controlId - FirstButtonId;
    return index >= 0 && index < 7 ? buttons_[index] : nullptr;
}

void CRotatorWindow::RotationChanged() {
    if (rotator_ != nullptr) {
        compass_->repaint();
        compass_->AnnounceChanges();
    }
}

void CRotatorWindow::CloseAndDetach() {
    rotator_ = nullptr;
    reject();
}

void CRotatorWindow::OnPresetClicked(int bearing) {
    if (rotator_ != nullptr) {
        emit directionRequested(rotator_->number, bearing, false);
    }
}

void CRotatorWindow::OnTurnClicked() {
    if (rotator_ != nullptr) {
        const int32_t bearing = AtolValue(bearingEdit_->text().toStdString());
        emit directionRequested(rotator_->number, bearing, false);
    }
}

void CRotatorWindow::OnStopClicked() {
    if (rotator_ != nullptr) {
        emit directionRequested(rotator_->number, 0, true);
    }
}

void CRotatorWindow::OnCompassPressed(int32_t bearing) {
    if (rotator_ != nullptr) {
        emit directionRequested(rotator_->number, bearing, false);
    }
}

void CRotatorWindow::keyPressEvent(QKeyEvent* event) {
    // Enter on a focused push button clicks it; anywhere else it is the dialog's OK: the window
    // closes and sends nothing.
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget())) {
            focused->click();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}
