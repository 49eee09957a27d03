#include "console/server_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "console/dialog_units.h"

namespace {

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The edit's text as bytes; an edit left as it was opened gives back the original bytes, even
// those that are not valid UTF-8.
void CopyBack(const QLineEdit* edit, std::string& text) {
    if (edit->text() != ToQString(text)) {
        text = edit->text().toUtf8().toStdString();
    }
}

QPushButton* AddButton(QDialog* dialog, const char* text, int id, const QRect& rect) {
    auto* button = new QPushButton(QString::fromLatin1(text), dialog);
    button->setObjectName(QStringLiteral("control%1").arg(id));
    button->setGeometry(rect);
    return button;
}

QLineEdit* AddEdit(QDialog* dialog, int id, const QRect& rect) {
    auto* edit = new QLineEdit(dialog);
    edit->setObjectName(QStringLiteral("control%1").arg(id));
    edit->setGeometry(rect);
    return edit;
}

// A label keeps its template place but grows to its text, which a wider font than the one
// the template was measured in would otherwise cut off.
void AddLabel(QDialog* dialog, const char* text, const QRect& rect) {
    auto* label = new QLabel(QString::fromLatin1(text), dialog);
    label->setGeometry(rect);
    label->resize(std::max(rect.width(), label->sizeHint().width()), rect.height());
}

}  // namespace

CServerDialog::CServerDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Server Information"));
    setFixedSize(DialogUnitsToPixelsX(274), DialogUnitsToPixelsY(128));

    // Created in template order, which is also the tab order: OK, Cancel, then the edits.
    QPushButton* ok = AddButton(this, "OK", IdOk, DialogRect(217, 7, 50, 14));
    QPushButton* cancel = AddButton(this, "Cancel", IdCancel, DialogRect(217, 24, 50, 14));
    addressEdit_ = AddEdit(this, AddressEditId, DialogRect(7, 28, 77, 14));
    portEdit_ = AddEdit(this, PortEditId, DialogRect(107, 28, 55, 14));
    AddLabel(this, "Server name or address", DialogRect(7, 16, 82, 8));
    AddLabel(this, "Server port", DialogRect(107, 15, 82, 8));
    stationEdit_ = AddEdit(this, StationEditId, DialogRect(7, 70, 40, 14));
    AddLabel(this, "Station", DialogRect(7, 58, 43, 8));
    AddLabel(this, "Radio", DialogRect(67, 58, 50, 8));
    radioEdit_ = AddEdit(this, RadioEditId, DialogRect(67, 70, 40, 14));

    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, addressEdit_);
    setTabOrder(addressEdit_, portEdit_);
    setTabOrder(portEdit_, stationEdit_);
    setTabOrder(stationEdit_, radioEdit_);
    ok->setFocus();
}

int CServerDialog::DoModal() {
    addressEdit_->setText(ToQString(addressText));
    portEdit_->setText(ToQString(portText));
    stationEdit_->setText(ToQString(stationText));
    radioEdit_->setText(ToQString(radioText));
    if (exec() != QDialog::Accepted) {
        return IdCancel;
    }
    CopyBack(addressEdit_, addressText);
    CopyBack(portEdit_, portText);
    CopyBack(stationEdit_, stationText);
    CopyBack(radioEdit_, radioText);
    return IdOk;
}

QLineEdit* CServerDialog::edit(int id) const {
    switch (id) {
        case AddressEditId:
            return addressEdit_;
        case PortEditId:
            return portEdit_;
        case StationEditId:
            return stationEdit_;
        case RadioEditId:
            return radioEdit_;
        default:
            return nullptr;
    }
}
