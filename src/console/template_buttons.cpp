#include "console/template_buttons.h"

#include <QDialog>
#include <QPushButton>

#include "console/dialog_units.h"

void AddTemplateButtons(QDialog& dialog, std::span<const TemplateButton> buttons) {
    for (const TemplateButton& row : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(row.text), &dialog);
        button->setObjectName(QString::number(row.id));
        button->setGeometry(DialogRect(row.x, row.y, 50, 14));
    }
}

QPushButton* TemplateButtonOf(const QDialog& dialog, int controlId) {
    return dialog.findChild<QPushButton*>(QString::number(controlId), Qt::FindDirectChildrenOnly);
}
