// The Colors dialog: four buttons that each open the colour chooser on one colour of a working
// copy of the scheme; OK makes the copy the scheme in use and saves it, Cancel drops it.
#pragma once

#include <QDialog>
#include <vector>

#include "console/color_scheme.h"

class QColorDialog;
class QPushButton;

class CColorsDialog : public QDialog {
    Q_OBJECT
public:
    // `inUse` is the scheme every console button is painted in; it outlives the dialog. OK saves
    // it to `settings`.
    CColorsDialog(ColorScheme& inUse, SettingsLocation settings, QWidget* parent = nullptr);

    ColorScheme& inUse() const { return inUse_; }

    ColorScheme working;

    // The one colour chooser, shared by the four colour buttons and kept for the whole run, so
    // that its 16 custom colours (white at first) last as long as the process; they are never
    // saved.
    static QColorDialog& chooser();

    QPushButton* button(int controlId) const;  // 3 to 6, 1 (OK), 2 (Cancel); else none

    // OK: the working copy becomes the scheme in use, all four colours are saved, the dialog
    // ends with Accepted.
    void accept() override;

private:
    void OnUnavailableClicked();
    void OnAvailableClicked();
    void OnSelectedClicked();
    void OnTextClicked();
    void ChooseColor(uint32_t ColorScheme::*field);

    ColorScheme& inUse_;
    SettingsLocation settings_;
};

// The console's "Colors" command: the scheme in use is copied into the working copy, the dialog
// runs modally, then, whatever its result, every given button is repainted in the given order
// (the console passes ids 5 to 19, 20 to 29, 1009, 1005, hidden ones included).
void OpenColorsDialog(CColorsDialog& dialog, const std::vector<QWidget*>& buttonsInOrder);
