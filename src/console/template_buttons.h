// Push buttons laid out from a dialog template: each at its place in dialog units, created in
// template order (which Qt takes as the tab order) and named after its control id.
#pragma once

#include <span>

class QDialog;
class QPushButton;

struct TemplateButton {
    int id;
    const char* text;
    int x, y;  // dialog units; every such button is 50 x 14
};

void AddTemplateButtons(QDialog& dialog, std::span<const TemplateButton> buttons);

// The dialog's button with this control id, or none.
QPushButton* TemplateButtonOf(const QDialog& dialog, int controlId);
