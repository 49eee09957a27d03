// The Frequency dialog: one edit field carrying the text between the dialog and its caller. OK
// copies the edit back into frequencyText; Cancel leaves frequencyText as it was. The caller
// converts and sends the text.
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

class CFrequencyDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFrequencyDlg(QWidget* parent = nullptr);

    std::string frequencyText;  // UTF-8; empty at construction

    QLineEdit* edit() const { return edit_; }
    QPushButton* button(int controlId) const;  // 1 (OK), 2 (Cancel); else none

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;  // frequencyText into the edit

private:
    QLineEdit* edit_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};
