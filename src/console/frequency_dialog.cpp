#include "console/frequency_dialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "console/dialog_units.h"

CFrequencyDlg::CFrequencyDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Frequency"));
    setFixedSize(DialogUnitsToPixelsX(175), DialogUnitsToPixelsY(45));
    // Template order, which is also the tab order: OK has the focus when the dialog opens.
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setGeometry(DialogRect(118, 7, 50, 14));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setGeometry(DialogRect(118, 24, 50, 14));
    edit_ = new QLineEdit(this);
    edit_->setGeometry(DialogRect(7, 7, 84, 15));
    edit_->setAccessibleName(QStringLiteral("Frequency"));
    connect(ok_, &QPushButton::clicked, this, &CFrequencyDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CFrequencyDlg::reject);
    ok_->setFocus();
}

QPushButton* CFrequencyDlg::button(int controlId) const {
    switch (controlId) {
        case 1:
            return ok_;
        case 2:
            return cancel_;
        default:
            return nullptr;
    }
}

void CFrequencyDlg::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        edit_->setText(QString::fromStdString(frequencyText));
    }
    QDialog::showEvent(event);
}

void CFrequencyDlg::accept() {
    frequencyText = edit_->text().toStdString();
    QDialog::accept();
}
