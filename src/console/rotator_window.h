// The window of one rotator, run modally from its console button: a compass to click on, five
// presets, a typed bearing with "Turn", and "Stop" when the rotator has one. Every request is a
// "Direction" message, asked for through directionRequested; closing (Escape, Enter outside a push
// button, the close box) sends nothing. Each opening builds a new window, so the typed bearing
// always starts empty.
//
// The window reads the rotator's record but does not own it. When the console is about to
// delete the records (a reconnection), it calls CloseAndDetach first: from then on the window
// touches the record no more.
#pragma once

#include <QDialog>
#include <cstdint>

#include "model/rotator.h"

class CCompass;
class QLineEdit;
class QPushButton;

class CRotatorWindow : public QDialog {
    Q_OBJECT
public:
    CRotatorWindow(const CRotator& rotator, QWidget* parent);

    // The record shown, or none after CloseAndDetach.
    const CRotator* rotator() const { return rotator_; }

    // A "Rotation" for this rotator arrived: repaint the compass now and announce what its
    // value and range now say.
    void RotationChanged();
    // Forgets the record and ends the modal loop (reject); sends nothing.
    void CloseAndDetach();

    CCompass* compass() const { return compass_; }
    QLineEdit* bearingEdit() const { return bearingEdit_; }
    QPushButton* button(int controlId) const;  // 1003 to 1009; else none

    void OnPresetClicked(int bearing);
    void OnTurnClicked();
    void OnStopClicked();
    void OnCompassPressed(int32_t bearing);

signals:
    // Turn `rotator` to `bearing`, or stop it (bearing 0).
    void directionRequested(int32_t rotator, int32_t bearing, bool stop);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const CRotator* rotator_;
    QLineEdit* bearingEdit_ = nullptr;
    QPushButton* buttons_[7] = {};  // ids 1003 to 1009
    CCompass* compass_ = nullptr;
};
