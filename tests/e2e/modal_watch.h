// Keeps the console's modal boxes from stalling a test: a short repeating timer looks at
// QApplication::activeModalWidget() and
// - closes every message box with OK, recording its text;
// - answers a Server Information dialog with OK (its fields already hold the stored server) and
//   records it, since a test that meets one has lost its server; Cancel would end the process.
//   Should it come back again and again, the program aborts with a message rather than hang;
// - leaves a dialog alone while the test claims it (Claim), and otherwise records and rejects it.
#pragma once

#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

class QWidget;

class ModalWatch {
public:
    ModalWatch();

    // Dialogs for which `claimed` returns true are the test's to drive.
    void Claim(std::function<bool(QWidget*)> claimed) { claimed_ = std::move(claimed); }

    // Texts of the message boxes closed so far, in order.
    const std::vector<std::string>& boxTexts() const { return boxTexts_; }
    // One line for each other modal widget met: its class and title.
    const std::vector<std::string>& unexpected() const { return unexpected_; }
    void ForgetBoxes() { boxTexts_.clear(); }

private:
    void Poll();

    QTimer timer_;
    std::function<bool(QWidget*)> claimed_;
    QPointer<QWidget> answered_;  // closing, but maybe still the active modal widget
    int serverDialogs_ = 0;
    std::vector<std::string> boxTexts_;
    std::vector<std::string> unexpected_;
};
