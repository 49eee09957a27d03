// CServerDialog, "Server Information": where the server is and which station and radio this
// console speaks for. It neither checks nor converts: the four texts go in when the dialog
// opens and come back as typed, on OK only.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

class CServerDialog : public QDialog {
    Q_OBJECT
public:
    // Results of DoModal.
    static constexpr int IdOk = 1;
    static constexpr int IdCancel = 2;
    // Control ids of the four edit fields.
    static constexpr int AddressEditId = 1000;
    static constexpr int PortEditId = 1001;
    static constexpr int StationEditId = 1002;
    static constexpr int RadioEditId = 1003;

    explicit CServerDialog(QWidget* parent = nullptr);

    // Copies the fields into the edits, runs the dialog and, on OK, copies the edits back.
    // Returns IdOk, or IdCancel for Cancel, Escape and the close box.
    int DoModal();

    // The edit field of a control id (1000 to 1003), or none.
    QLineEdit* edit(int id) const;

    std::string addressText;
    std::string portText;
    std::string stationText;
    std::string radioText;

private:
    QLineEdit* addressEdit_;
    QLineEdit* portEdit_;
    QLineEdit* stationEdit_;
    QLineEdit* radioEdit_;
};
